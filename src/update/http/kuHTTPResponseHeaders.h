#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tessaro {

// The header block of one response, as received (status line first, CR LF after each
// line). Queries answer like a header query into a 4096-byte buffer: a value that
// does not fit is treated as absent.
class TkuHTTPResponseHeaders final {
public:
    static constexpr std::size_t kQueryBufferSize = 4096;

    void Clear() { FRaw.clear(); }
    void AddLine(std::string_view line) { FRaw.append(line); }
    const std::string& Raw() const { return FRaw; }

    // The first header of that name (case-insensitive), its value trimmed.
    std::optional<std::string> Query(std::string_view name) const;
    // The whole block, ending with the empty line.
    std::optional<std::string> RawCRLF() const;

private:
    std::string FRaw;
};

// The realm of a WWW-Authenticate value: the text after the first '=' that is
// followed by a double quote, up to the value's last character; the whole value when
// there is no such pair.
std::string RealmOf(std::string_view authenticate);

// "bytes=<start>-[<end>]" as the range request line, end 0 meaning up to the end.
std::string RangeHeaderLine(std::uint32_t start, std::uint32_t end);

}  // namespace tessaro
