#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "AviCompleteness.h"

namespace {

constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

constexpr const char* kUsage =
    "Usage: avifinish WORKFILE OUTPUT\n"
    "Gives the AVI file WORKFILE, which mencoder has just written, the name OUTPUT,\n"
    "but only when it is complete: mencoder does not report a full disk, so a\n"
    "file cut short must not replace a good one. WORKFILE stays where it is when\n"
    "it is incomplete; OUTPUT is then left as it was.\n"
    "Exit status: 0 renamed, 1 incomplete or not renamed, 2 bad arguments.\n";

int Fail(const std::string& message) {
    std::fprintf(stderr, "avifinish: %s\n", message.c_str());
    return kExitFailure;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        std::fputs(kUsage, stdout);
        return EXIT_SUCCESS;
    }
    if (argc != 3 || *argv[1] == '\0' || *argv[2] == '\0') {
        std::fprintf(stderr, "avifinish: expected WORKFILE OUTPUT\n\n%s", kUsage);
        return kExitUsage;
    }
    const std::string work = argv[1];
    const std::string output = argv[2];
    const int fd = ::open(work.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return Fail("cannot open '" + work + "': " + std::strerror(errno));
    struct stat info {};
    const bool regular = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
    const tessaro::tools::AviCheck check =
        regular ? tessaro::tools::CheckAviFile(fd, static_cast<uint64_t>(info.st_size))
                : tessaro::tools::AviCheck{false, "it is not a regular file"};
    ::close(fd);
    if (!check.complete)
        return Fail("'" + work + "' is not a complete AVI file (" + check.problem +
                    "; is the disk full?); '" + output + "' is left as it was");
    if (std::rename(work.c_str(), output.c_str()) != 0)
        return Fail("cannot name '" + work + "' '" + output + "': " + std::strerror(errno));
    return EXIT_SUCCESS;
}
