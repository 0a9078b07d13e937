#pragma once

#include <functional>
#include <string>
#include <vector>

#include "encode/RunStateView.h"
#include "platform/PowerManager.h"

namespace tessaro::testing {

// The window's side of a run, as a log of what the run control asked of it.
class RecordingRunView final : public IRunStateView {
public:
    void SetEncodeCommandsEnabled(bool enabled) override { Log("encode", enabled); }
    void SetStopEnabled(bool enabled) override { Log("stop", enabled); }
    void SetCloseBlocked(bool blocked) override { Log("closeBlocked", blocked); }
    bool ShowEncodingConsole() const override { return showConsole; }
    bool ShutdownAfterEncoding() const override { return shutdownAfterEncoding; }
    void MinimizeApplication() override {
        calls.push_back("minimize");
        if (onMinimize) onMinimize();
    }
    void RestoreApplication() override { calls.push_back("restore"); }
    void EndProgramWithoutSaving() override { calls.push_back("end"); }

    bool showConsole = false;
    bool shutdownAfterEncoding = false;
    std::function<void()> onMinimize;
    std::vector<std::string> calls;

private:
    void Log(const std::string& what, bool on) { calls.push_back(what + (on ? "+" : "-")); }
};

// Stands in for logind: powering off the test machine is never an option.
class RecordingPowerManager final : public platform::IPowerManager {
public:
    bool PowerOff() override {
        ++powerOffRequests;
        return accept;
    }

    int powerOffRequests = 0;
    bool accept = true;
};

}  // namespace tessaro::testing
