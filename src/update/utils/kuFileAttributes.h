#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>

namespace tessaro {

enum class TkuFileAttribute {
    atrArchive,
    atrHidden,
    atrReadOnly,
    atrSystem,
    atrTemporary,
    atrOffline
};

// A set of file attributes; bit i stands for the attribute of value i.
class TkuFileAttributes {
public:
    constexpr TkuFileAttributes() = default;
    constexpr TkuFileAttributes(std::initializer_list<TkuFileAttribute> attributes) {
        for (TkuFileAttribute attribute : attributes) Include(attribute);
    }

    constexpr bool Contains(TkuFileAttribute attribute) const { return bits_ & Bit(attribute); }
    constexpr void Include(TkuFileAttribute attribute) { bits_ |= Bit(attribute); }
    constexpr void Exclude(TkuFileAttribute attribute) {
        bits_ &= static_cast<std::uint8_t>(~Bit(attribute));
    }
    constexpr std::uint8_t Bits() const { return bits_; }
    constexpr bool operator==(const TkuFileAttributes&) const = default;

private:
    static constexpr std::uint8_t Bit(TkuFileAttribute attribute) {
        return static_cast<std::uint8_t>(1u << static_cast<unsigned>(attribute));
    }
    std::uint8_t bits_ = 0;
};

// The Windows attribute bits of a set (FILE_ATTRIBUTE_ARCHIVE 0x20 and so on)
// and back; bits outside the six are ignored.
std::uint32_t ToWindowsAttributes(TkuFileAttributes attributes);
TkuFileAttributes FromWindowsAttributes(std::uint32_t bits);

// Read-only is the absence of the owner's write permission (setting it clears
// every write bit, clearing it gives the owner write permission back). The other
// attributes live in the extended attribute "user.DOSATTRIB" as "0x<hex>", as
// Samba keeps them; where the file system has no extended attributes they are
// silently absent. False when the file is missing or its mode cannot change.
bool SetFileAttr(const std::string& fileName, TkuFileAttributes attributes);
bool GetFileAttr(const std::string& fileName, TkuFileAttributes& attributes);

}  // namespace tessaro
