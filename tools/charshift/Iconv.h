#pragma once

#include <iconv.h>

#include <string>
#include <string_view>

namespace tessaro::tools {

// One iconv conversion descriptor, closed with the object.
class Iconv final {
public:
    enum class Stop { Done, IllegalSequence, IncompleteInput, Failed };

    Iconv(const std::string& toCode, const std::string& fromCode);
    ~Iconv();
    Iconv(const Iconv&) = delete;
    Iconv& operator=(const Iconv&) = delete;

    bool IsOpen() const { return handle_ != kClosed; }

    // Converts as much of `input` as it can, appending to `output` and dropping
    // the consumed bytes from `input`. IllegalSequence leaves `input` at a
    // sequence that is malformed or that the target cannot represent;
    // IncompleteInput at a sequence cut off by the end.
    Stop Convert(std::string_view& input, std::string& output);
    // Appends whatever a stateful target needs to return to its initial state.
    bool Finish(std::string& output);

private:
    static inline const iconv_t kClosed = reinterpret_cast<iconv_t>(-1);

    iconv_t handle_ = kClosed;
};

}  // namespace tessaro::tools
