#include "settings/LegacyText.h"

#include <iconv.h>

#include <cerrno>

namespace tessaro {
namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD

const char* IconvName(LegacyCodePage codePage) {
    return codePage == LegacyCodePage::cp932 ? "CP932" : "CP1252";
}

size_t SequenceLength(unsigned char lead) {
    if (lead < 0x80) return 1;
    if (lead >= 0xC2 && lead <= 0xDF) return 2;
    if (lead >= 0xE0 && lead <= 0xEF) return 3;
    if (lead >= 0xF0 && lead <= 0xF4) return 4;
    return 0;
}

bool IsContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

// The second byte's narrower ranges rule out overlong forms, surrogates and
// code points beyond U+10FFFF.
bool SecondByteFits(unsigned char lead, unsigned char second) {
    switch (lead) {
        case 0xE0:
            return second >= 0xA0;
        case 0xED:
            return second <= 0x9F;
        case 0xF0:
            return second >= 0x90;
        case 0xF4:
            return second <= 0x8F;
        default:
            return true;
    }
}

class Converter final {
public:
    explicit Converter(LegacyCodePage codePage)
        : handle_(iconv_open("UTF-8", IconvName(codePage))) {}
    ~Converter() {
        if (Valid()) iconv_close(handle_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool Valid() const { return handle_ != reinterpret_cast<iconv_t>(-1); }

    std::string Convert(std::string_view bytes) {
        std::string result;
        char* in = const_cast<char*>(bytes.data());
        size_t inLeft = bytes.size();
        char buffer[1024];
        while (inLeft > 0) {
            char* out = buffer;
            size_t outLeft = sizeof buffer;
            const size_t status = iconv(handle_, &in, &inLeft, &out, &outLeft);
            result.append(buffer, static_cast<size_t>(out - buffer));
            if (status != static_cast<size_t>(-1) || errno == E2BIG) continue;
            // An undefined or cut-off sequence: mark it and go on after its first byte.
            result += kReplacement;
            ++in;
            --inLeft;
            iconv(handle_, nullptr, nullptr, nullptr, nullptr);
        }
        return result;
    }

private:
    iconv_t handle_;
};

// Without the system's converter only ASCII is certain; the rest is marked.
std::string KeepAsciiOnly(std::string_view bytes) {
    std::string marked;
    for (const char c : bytes) {
        if (static_cast<unsigned char>(c) < 0x80)
            marked += c;
        else
            marked += kReplacement;
    }
    return marked;
}

}  // namespace

bool IsValidUtf8(std::string_view bytes) {
    size_t i = 0;
    while (i < bytes.size()) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        const size_t length = SequenceLength(lead);
        if (length == 0 || i + length > bytes.size()) return false;
        for (size_t k = 1; k < length; ++k)
            if (!IsContinuation(static_cast<unsigned char>(bytes[i + k]))) return false;
        if (length > 2 && !SecondByteFits(lead, static_cast<unsigned char>(bytes[i + 1])))
            return false;
        i += length;
    }
    return true;
}

std::string DecodeLegacyText(std::string_view bytes, LegacyCodePage codePage) {
    Converter converter(codePage);
    return converter.Valid() ? converter.Convert(bytes) : KeepAsciiOnly(bytes);
}

}  // namespace tessaro
