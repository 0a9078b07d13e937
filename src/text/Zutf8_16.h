#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace tessaro {

// Encoding of a subtitle file held in memory: byte-order marks first, then a
// UTF-8 test; everything else counts as the legacy single-byte code page.
class ZUtf8_16 {
public:
    enum Encoding : uint8_t { ANSI = 0, UNI16BE = 1, UNI16LE = 2, UTF8 = 3, UTF8NOBOM = 4 };

    // Detects the encoding of a whole loaded file; an empty file stays ANSI. Always true.
    bool LoadAndDetect(std::string_view loadedFile);
    // Byte-order marks first, then the UTF-8 test; the code is also kept in the object.
    uint8_t DetectEncoding(const unsigned char* bytes, size_t length);

    // 1 when the buffer is UTF-8 holding at least one multi-byte sequence, else 0.
    static int IsUtf8(const unsigned char* bytes, size_t length);
    // "<SAMI>" at byte 0 and "<HEAD>" at byte 8, byte-exact.
    static bool IsSami(std::string_view loadedFile);
    // "ANSI", "UNI16BE", "UNI16LE", "UTF8" or "UTF8NOBOM"; a code never produced here reads "ANSI".
    static const char* EncodingName(uint8_t code);

    uint8_t encoding() const { return encoding_; }

private:
    uint8_t encoding_ = ANSI;
};

}  // namespace tessaro
