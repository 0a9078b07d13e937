#include "update/helper/Renovator.h"

#include <unistd.h>

#include <iostream>

#include "update/helper/RenovatorCommandLine.h"
#include "update/helper/RenovatorFiles.h"
#include "update/helper/RenovatorLaunch.h"
#include "update/helper/RenovatorNames.h"
#include "update/helper/RenovatorQueue.h"
#include "update/helper/RenovatorReport.h"
#include "update/helper/RenovatorSuffixScan.h"
#include "update/helper/RenovatorWait.h"

namespace tessaro {
namespace {

constexpr int kBusy = 1;

void ShowInformation() {
    std::cout << "Renovator v4.0\n"
                 "The self-upgrading part of Tessaro's update component: it puts downloaded\n"
                 "files in place once the program has exited and starts the program again.\n";
}

// A file still busy after the bound is left alone, and nothing is started:
// never a half-updated program, nor a second copy of a running one.
bool WaitForFree(const std::string& path, const std::string& consequence) {
    const auto bound = WritableWaitBound();
    if (WaitUntilWritable(path, bound)) return true;
    Report(path + " is still in use after " + std::to_string(bound.count()) + " ms; " +
           consequence);
    return false;
}

pid_t Start(const std::string& path, const std::string& parameter) {
    const pid_t pid = StartProgram(path, parameter);
    if (pid < 0) Report("Cannot start " + path + ErrnoReason());
    return pid;
}

// The setup runs in place of the program, as long as it likes; once it has
// ended and its file is no longer busy it is deleted and the program starts
// again. A setup that cannot start is left in place.
int RunSetupThenProgram(const std::string& setupPath, const RenovatorCommand& command) {
    const pid_t setup = Start(setupPath, command.restartParameter);
    if (setup > 0) {
        WaitForProgram(setup);
        if (!WaitForFree(setupPath, "the setup stays and the program is not started")) return kBusy;
        ::unlink(setupPath.c_str());
    }
    Start(command.programPath, command.restartParameter);
    return 0;
}

}  // namespace

int RunRenovator(const std::vector<std::string>& arguments, const std::string& queueFolder) {
    if (arguments.empty()) {
        ShowInformation();
        return 0;
    }
    StartResult(queueFolder);
    const std::string queuePath = queueFolder + kRenovatorQueueFileName;
    const std::string queueText = ReadQueueFile(queuePath);
    const RenovatorCommand command = ParseRenovatorCommand(arguments);
    if (IsRegularFile(command.programPath) &&
        !WaitForFree(command.programPath, std::string("the downloads (") + kDownloadSuffix +
                                              ") stay in place and nothing is started"))
        return kBusy;
    const bool ownDownloadFound = EntryExists(command.programPath + kDownloadSuffix);
    MoveQueuedDownloads(QueueLines(queueText));
    const std::string setupPath = MoveSuffixedDownloads(command, ownDownloadFound);
    // Gone before anything starts, so a quick next update cannot lose its queue.
    ::unlink(queuePath.c_str());
    // Without a downloaded setup there is nothing to run in the program's
    // place: the program itself starts again and is never deleted.
    if (!setupPath.empty()) return RunSetupThenProgram(setupPath, command);
    Start(command.programPath, command.restartParameter);
    return 0;
}

}  // namespace tessaro
