#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "FastcopyArguments.h"
#include "UpdateCopy.h"
#include "platform/TerminationCleanup.h"

namespace {

using tessaro::tools::CopyOutcome;
using tessaro::tools::CopyReport;

constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

constexpr const char* kUsage =
    "Usage: fastcopy /cmd=update [/auto_close] [/force_close] [/force_start] [/log=...]\n"
    "                SOURCE... /to=DEST_FOLDER/\n"
    "Copies each SOURCE file into DEST_FOLDER under its own name, unless the file\n"
    "there already has the same size and is not older. The folder is created when\n"
    "missing. A copy is written beside its target and then renamed into place, so\n"
    "a failed copy never replaces a good file; modification time and permission\n"
    "bits are kept. /auto_close, /force_close, /force_start and /log are accepted\n"
    "and ignored. Use -- before a source whose name looks like an option.\n"
    "Exit status: 0 all copied or up to date, 1 a copy failed, 2 bad arguments.\n";

bool Report(const std::string& source, const CopyReport& report) {
    switch (report.outcome) {
        case CopyOutcome::Copied:
            std::printf("Copied '%s' to '%s' (%llu bytes)\n", source.c_str(),
                        report.destination.c_str(), static_cast<unsigned long long>(report.bytes));
            return true;
        case CopyOutcome::UpToDate:
            std::printf("Skipped '%s': '%s' is up to date\n", source.c_str(),
                        report.destination.c_str());
            return true;
        case CopyOutcome::SameFile:
            std::printf("Skipped '%s': '%s' is the same file\n", source.c_str(),
                        report.destination.c_str());
            return true;
        case CopyOutcome::Failed:
            break;
    }
    std::fprintf(stderr, "fastcopy: %s\n", report.error.c_str());
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    tessaro::platform::EnableTerminationCleanup();
    const std::vector<std::string> words(argv + 1, argv + argc);
    const tessaro::tools::ParsedArguments parsed = tessaro::tools::ParseFastcopyArguments(words);
    if (!parsed.ok) {
        std::fprintf(stderr, "fastcopy: %s\n\n%s", parsed.error.c_str(), kUsage);
        return kExitUsage;
    }
    if (parsed.arguments.help) {
        std::fputs(kUsage, stdout);
        return EXIT_SUCCESS;
    }
    bool allDone = true;
    for (const std::string& source : parsed.arguments.sources) {
        allDone = Report(source,
                         tessaro::tools::UpdateCopy(source, parsed.arguments.destinationFolder)) &&
                  allDone;
    }
    return allDone ? EXIT_SUCCESS : kExitFailure;
}
