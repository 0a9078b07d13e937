#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>

#include "SubtitleRecoder.h"
#include "platform/AnsiCodePage.h"
#include "platform/AtomicFile.h"
#include "platform/TerminationCleanup.h"
#include "platform/WholeFile.h"

namespace {

using tessaro::tools::SubtitleSource;

constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;
constexpr const char* kCodePageVariable = "TESSARO_SUBTITLE_CODEPAGE";

constexpr const char* kUsage =
    "Usage: charshift SOURCE OUTPUT FLAG [CODEPAGE]\n"
    "Re-encodes a subtitle file for players that show a single code page.\n"
    "\n"
    "  FLAG 0   SOURCE is UTF-16, byte order by its byte-order mark (little endian without one)\n"
    "  FLAG 1   SOURCE is UTF-8, with or without a byte-order mark\n"
    "  CODEPAGE the players' code page as iconv names it, for example CP932 for\n"
    "           Japanese players. Without the argument the environment variable\n"
    "           TESSARO_SUBTITLE_CODEPAGE is used when set, else the code page\n"
    "           Windows uses for the user's locale (LC_ALL, LC_CTYPE or LANG).\n"
    "\n"
    "A character the code page cannot hold fails the conversion: nothing is\n"
    "written. OUTPUT may be SOURCE itself; it is replaced in one step, so a failed\n"
    "run leaves the old file as it was. SOURCE must be a regular file.\n"
    "Exit status: 0 converted, 1 failed, 2 bad arguments.\n";

struct Request {
    std::string source;
    std::string output;
    SubtitleSource kind = SubtitleSource::Utf8;
    std::string codePage;
};

int UsageError(const std::string& problem) {
    std::fprintf(stderr, "charshift: %s\n\n%s", problem.c_str(), kUsage);
    return kExitUsage;
}

std::optional<SubtitleSource> ParseFlag(const std::string& flag) {
    if (flag == "0") return SubtitleSource::Utf16;
    if (flag == "1") return SubtitleSource::Utf8;
    return std::nullopt;
}

struct CodePageChoice {
    std::string name;
    std::string origin;
};

CodePageChoice ChooseCodePage(int argc, char** argv) {
    if (argc == 5) return {argv[4], "argument"};
    const char* fromEnvironment = std::getenv(kCodePageVariable);
    if (fromEnvironment && *fromEnvironment) return {fromEnvironment, kCodePageVariable};
    return {tessaro::platform::SystemAnsiCodePage(), "the locale's"};
}

// Keeps the permission bits of a file being replaced; a new file gets the usual ones.
mode_t OutputMode(const std::string& output) {
    struct stat info {};
    if (::stat(output.c_str(), &info) == 0) return info.st_mode & 0777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// A FIFO or device would block the read or never end.
int CheckSource(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        std::fprintf(stderr, "charshift: cannot read '%s': %s\n", path.c_str(),
                     std::strerror(errno));
        return kExitFailure;
    }
    if (S_ISREG(info.st_mode)) return EXIT_SUCCESS;
    std::fprintf(stderr, "charshift: '%s' is not a regular file; nothing was converted\n",
                 path.c_str());
    return kExitFailure;
}

int Convert(const Request& request) {
    if (const int status = CheckSource(request.source); status != EXIT_SUCCESS) return status;
    std::string content;
    if (!tessaro::platform::ReadWholeFile(request.source, content)) {
        std::fprintf(stderr, "charshift: cannot read '%s': %s\n", request.source.c_str(),
                     std::strerror(errno));
        return kExitFailure;
    }
    const tessaro::tools::RecodeResult recoded =
        tessaro::tools::RecodeSubtitle(content, request.kind, request.codePage);
    if (!recoded.ok) {
        std::fprintf(stderr, "charshift: cannot convert '%s': %s; '%s' is left as it was\n",
                     request.source.c_str(), recoded.error.c_str(), request.output.c_str());
        return kExitFailure;
    }
    std::string error;
    if (!tessaro::platform::WriteFileAtomically(request.output, recoded.text,
                                                OutputMode(request.output), &error)) {
        std::fprintf(stderr, "charshift: %s\n", error.c_str());
        return kExitFailure;
    }
    std::printf("Converted '%s' to '%s' (%s)\n", request.source.c_str(), request.output.c_str(),
                request.codePage.c_str());
    return EXIT_SUCCESS;
}

}  // namespace

int main(int argc, char** argv) {
    tessaro::platform::EnableTerminationCleanup();
    if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        std::fputs(kUsage, stdout);
        return EXIT_SUCCESS;
    }
    if (argc != 4 && argc != 5) return UsageError("expected SOURCE OUTPUT FLAG [CODEPAGE]");
    Request request;
    request.source = argv[1];
    request.output = argv[2];
    if (request.source.empty() || request.output.empty()) {
        return UsageError("SOURCE and OUTPUT must not be empty");
    }
    const std::optional<SubtitleSource> kind = ParseFlag(argv[3]);
    if (!kind) {
        return UsageError(std::string("FLAG must be 0 (UTF-16) or 1 (UTF-8), not '") + argv[3] +
                          "'");
    }
    request.kind = *kind;
    const CodePageChoice codePage = ChooseCodePage(argc, argv);
    if (!tessaro::tools::IsSupportedCodePage(codePage.name)) {
        return UsageError("unknown code page '" + codePage.name + "' (" + codePage.origin + ")");
    }
    request.codePage = codePage.name;
    return Convert(request);
}
