#include "Iconv.h"

#include <cerrno>

namespace tessaro::tools {

Iconv::Iconv(const std::string& toCode, const std::string& fromCode)
    : handle_(::iconv_open(toCode.c_str(), fromCode.c_str())) {}

Iconv::~Iconv() {
    if (IsOpen()) ::iconv_close(handle_);
}

// Output goes through a fixed chunk, appended as it fills.
Iconv::Stop Iconv::Convert(std::string_view& input, std::string& output) {
    while (true) {
        char chunk[16384];
        char* in = const_cast<char*>(input.data());  // iconv never writes its input
        size_t inLeft = input.size();
        char* out = chunk;
        size_t outLeft = sizeof chunk;
        const size_t result = ::iconv(handle_, &in, &inLeft, &out, &outLeft);
        const int reason = errno;
        output.append(chunk, sizeof chunk - outLeft);
        input.remove_prefix(input.size() - inLeft);
        if (result != static_cast<size_t>(-1)) return Stop::Done;
        if (reason == E2BIG) continue;
        if (reason == EILSEQ) return Stop::IllegalSequence;
        if (reason == EINVAL) return Stop::IncompleteInput;
        return Stop::Failed;
    }
}

bool Iconv::Finish(std::string& output) {
    char shiftBack[32];
    char* out = shiftBack;
    size_t outLeft = sizeof shiftBack;
    if (::iconv(handle_, nullptr, nullptr, &out, &outLeft) == static_cast<size_t>(-1)) return false;
    output.append(shiftBack, sizeof shiftBack - outLeft);
    return true;
}

}  // namespace tessaro::tools
