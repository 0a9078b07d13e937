#include "AviCompleteness.h"

#include <unistd.h>

#include <array>
#include <cstring>

namespace tessaro::tools {
namespace {

constexpr size_t kHeaderSize = 12;  // "RIFF", size, form type

struct RiffHeader {
    std::string id;
    uint64_t size = 0;
    std::string form;
};

bool ReadHeader(int fd, uint64_t offset, RiffHeader& header) {
    std::array<unsigned char, kHeaderSize> bytes{};
    if (::pread(fd, bytes.data(), bytes.size(), static_cast<off_t>(offset)) !=
        static_cast<ssize_t>(bytes.size()))
        return false;
    header.id.assign(reinterpret_cast<const char*>(bytes.data()), 4);
    header.size = uint64_t{bytes[4]} | uint64_t{bytes[5]} << 8 | uint64_t{bytes[6]} << 16 |
                  uint64_t{bytes[7]} << 24;
    header.form.assign(reinterpret_cast<const char*>(bytes.data()) + 8, 4);
    return true;
}

AviCheck Incomplete(std::string problem) {
    return {false, std::move(problem)};
}

}  // namespace

AviCheck CheckAviFile(int fd, uint64_t fileSize) {
    uint64_t offset = 0;
    for (bool first = true; offset < fileSize; first = false) {
        RiffHeader header;
        if (!ReadHeader(fd, offset, header))
            return Incomplete("it ends inside a chunk header at byte " + std::to_string(offset));
        const char* expectedForm = first ? "AVI " : "AVIX";
        if (header.id != "RIFF" || header.form != expectedForm)
            return Incomplete(first ? "it is not an AVI file"
                                    : "unexpected data at byte " + std::to_string(offset));
        const uint64_t end = offset + 8 + header.size + (header.size & 1);
        if (end > fileSize)
            return Incomplete("it holds " + std::to_string(fileSize) + " bytes of the " +
                              std::to_string(end) + " its headers announce");
        offset = end;
    }
    if (offset == 0) return Incomplete("it is empty");
    return {true, {}};
}

}  // namespace tessaro::tools
