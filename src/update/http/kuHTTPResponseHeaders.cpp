#include "update/http/kuHTTPResponseHeaders.h"

#include "platform/Paths.h"

namespace tessaro {
namespace {

std::string_view Trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(" \t\r\n");
    return text.substr(first, last - first + 1);
}

std::optional<std::string> Fitting(std::string value) {
    // The buffer holds the terminating zero too.
    if (value.size() >= TkuHTTPResponseHeaders::kQueryBufferSize) return std::nullopt;
    return value;
}

}  // namespace

std::optional<std::string> TkuHTTPResponseHeaders::Query(std::string_view name) const {
    const std::string wanted = platform::ToLowerAscii(std::string(name));
    std::size_t start = FRaw.find("\r\n");
    while (start != std::string::npos && start + 2 < FRaw.size()) {
        start += 2;
        const std::size_t end = FRaw.find("\r\n", start);
        const std::string_view line =
            std::string_view(FRaw).substr(start, end == std::string::npos ? end : end - start);
        const std::size_t colon = line.find(':');
        if (colon != std::string_view::npos &&
            platform::ToLowerAscii(std::string(Trimmed(line.substr(0, colon)))) == wanted)
            return Fitting(std::string(Trimmed(line.substr(colon + 1))));
        start = end;
    }
    return std::nullopt;
}

std::optional<std::string> TkuHTTPResponseHeaders::RawCRLF() const {
    if (FRaw.empty()) return std::nullopt;
    return Fitting(FRaw);
}

std::string RealmOf(std::string_view authenticate) {
    const std::size_t pair = authenticate.find("=\"");
    if (pair == std::string_view::npos) return std::string(authenticate);
    const std::size_t first = pair + 2;
    if (first >= authenticate.size()) return {};
    return std::string(authenticate.substr(first, authenticate.size() - 1 - first));
}

std::string RangeHeaderLine(std::uint32_t start, std::uint32_t end) {
    std::string line = "RANGE: bytes=" + std::to_string(start) + "-";
    if (end != 0) line += std::to_string(end);
    return line;
}

}  // namespace tessaro
