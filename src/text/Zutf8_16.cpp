#include "text/Zutf8_16.h"

#include <array>
#include <cstring>

namespace tessaro {
namespace {

constexpr std::array<const char*, 5> kEncodingNames = {"ANSI", "UNI16BE", "UNI16LE", "UTF8",
                                                       "UTF8NOBOM"};

constexpr uint64_t kLowBits = 0x0101010101010101ULL;
constexpr uint64_t kHighBits = 0x8080808080808080ULL;

// True when all eight bytes are 01..7F: no high bit set and no zero byte.
// The zero-byte term is exact once no byte has its high bit set.
inline bool IsPlainAsciiWord(const unsigned char* bytes) {
    uint64_t word;
    std::memcpy(&word, bytes, sizeof word);
    return ((word | ((word - kLowBits) & ~word)) & kHighBits) == 0;
}

inline bool IsContinuation(unsigned char b) {
    return (b & 0xC0) == 0x80;
}

bool HasPrefix(std::string_view text, size_t at, std::string_view prefix) {
    return text.size() >= at + prefix.size() && text.compare(at, prefix.size(), prefix) == 0;
}

}  // namespace

bool ZUtf8_16::LoadAndDetect(std::string_view loadedFile) {
    DetectEncoding(reinterpret_cast<const unsigned char*>(loadedFile.data()), loadedFile.size());
    return true;
}

uint8_t ZUtf8_16::DetectEncoding(const unsigned char* bytes, size_t length) {
    if (length >= 2 && bytes[0] == 0xFE && bytes[1] == 0xFF) {
        encoding_ = UNI16BE;
    } else if (length >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE) {
        encoding_ = UNI16LE;
    } else if (length >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF) {
        encoding_ = UTF8;
    } else {
        encoding_ = IsUtf8(bytes, length) == 1 ? UTF8NOBOM : ANSI;
    }
    return encoding_;
}

// A lead byte cut off by the end of the buffer ends the scan without failing;
// C0 and E0 leads are refused outright, C1 is let through.
int ZUtf8_16::IsUtf8(const unsigned char* bytes, size_t length) {
    bool asciiOnly = true;
    size_t p = 0;
    while (p < length) {
        if (p + 8 <= length && IsPlainAsciiWord(bytes + p)) {
            p += 8;
            continue;
        }
        const unsigned char b = bytes[p];
        if (b == 0x00) return 0;
        if (b < 0x80) {
            ++p;
            continue;
        }
        if (b < 0xC0 || b >= 0xF0) return 0;
        asciiOnly = false;
        if (b < 0xE0) {
            if (p + 1 >= length) break;
            if ((b & 0x1F) == 0 || !IsContinuation(bytes[p + 1])) return 0;
            p += 2;
        } else {
            if (p + 2 >= length) break;
            if ((b & 0x0F) == 0 || !IsContinuation(bytes[p + 1]) || !IsContinuation(bytes[p + 2]))
                return 0;
            p += 3;
        }
    }
    return asciiOnly ? 0 : 1;
}

bool ZUtf8_16::IsSami(std::string_view loadedFile) {
    return HasPrefix(loadedFile, 0, "<SAMI>") && HasPrefix(loadedFile, 8, "<HEAD>");
}

const char* ZUtf8_16::EncodingName(uint8_t code) {
    return code < kEncodingNames.size() ? kEncodingNames[code] : kEncodingNames[ANSI];
}

}  // namespace tessaro
