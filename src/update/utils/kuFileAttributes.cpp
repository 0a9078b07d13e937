#include "update/utils/kuFileAttributes.h"

#include <sys/stat.h>
#include <sys/xattr.h>

#include <array>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <utility>

namespace tessaro {
namespace {

constexpr const char* kDosAttributeName = "user.DOSATTRIB";
constexpr mode_t kWriteBits = S_IWUSR | S_IWGRP | S_IWOTH;

constexpr std::array<std::pair<TkuFileAttribute, std::uint32_t>, 6> kWindowsBits = {{
    {TkuFileAttribute::atrArchive, 0x20},
    {TkuFileAttribute::atrHidden, 0x2},
    {TkuFileAttribute::atrReadOnly, 0x1},
    {TkuFileAttribute::atrSystem, 0x4},
    {TkuFileAttribute::atrTemporary, 0x100},
    {TkuFileAttribute::atrOffline, 0x1000},
}};

bool XattrUnsupported(int error) {
    return error == ENOTSUP || error == EPERM;
}

std::uint32_t ReadDosBits(const std::string& fileName) {
    char text[32] = {};
    const ssize_t length = ::getxattr(fileName.c_str(), kDosAttributeName, text, sizeof text - 1);
    if (length < 3 || text[0] != '0' || (text[1] != 'x' && text[1] != 'X')) return 0;
    std::uint32_t bits = 0;
    std::from_chars(text + 2, text + length, bits, 16);
    return bits;
}

bool WriteDosBits(const std::string& fileName, std::uint32_t bits) {
    if (bits == 0) {
        const bool removed = ::removexattr(fileName.c_str(), kDosAttributeName) == 0;
        return removed || errno == ENODATA || XattrUnsupported(errno);
    }
    char text[16];
    const int length = std::snprintf(text, sizeof text, "0x%x", bits);
    const bool written = ::setxattr(fileName.c_str(), kDosAttributeName, text,
                                    static_cast<std::size_t>(length), 0) == 0;
    return written || XattrUnsupported(errno);
}

}  // namespace

std::uint32_t ToWindowsAttributes(TkuFileAttributes attributes) {
    std::uint32_t bits = 0;
    for (const auto& [attribute, bit] : kWindowsBits)
        if (attributes.Contains(attribute)) bits |= bit;
    return bits;
}

TkuFileAttributes FromWindowsAttributes(std::uint32_t bits) {
    TkuFileAttributes attributes;
    for (const auto& [attribute, bit] : kWindowsBits)
        if (bits & bit) attributes.Include(attribute);
    return attributes;
}

bool SetFileAttr(const std::string& fileName, TkuFileAttributes attributes) {
    struct stat info {};
    if (::stat(fileName.c_str(), &info) != 0) return false;
    const bool readOnly = attributes.Contains(TkuFileAttribute::atrReadOnly);
    const mode_t writable = (info.st_mode | S_IWUSR) & 07777;
    const mode_t mode = readOnly ? (info.st_mode & ~kWriteBits & 07777) : writable;
    // Extended attributes of a file without write permission cannot change.
    if (::chmod(fileName.c_str(), writable) != 0) return false;
    attributes.Exclude(TkuFileAttribute::atrReadOnly);
    const bool dosWritten = WriteDosBits(fileName, ToWindowsAttributes(attributes));
    return ::chmod(fileName.c_str(), mode) == 0 && dosWritten;
}

bool GetFileAttr(const std::string& fileName, TkuFileAttributes& attributes) {
    struct stat info {};
    if (::stat(fileName.c_str(), &info) != 0) return false;
    TkuFileAttributes read = FromWindowsAttributes(ReadDosBits(fileName));
    read.Exclude(TkuFileAttribute::atrReadOnly);
    if ((info.st_mode & S_IWUSR) == 0) read.Include(TkuFileAttribute::atrReadOnly);
    attributes = read;
    return true;
}

}  // namespace tessaro
