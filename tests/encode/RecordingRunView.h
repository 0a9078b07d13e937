#pragma once

#include <array>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "encode/EventPump.h"
#include "encode/RunStateView.h"
#include "encode/StatusBar.h"
#include "platform/PowerManager.h"

namespace tessaro::testing {

// The window's side of a run, as a log of what the run control asked of it.
class RecordingRunView final : public IRunStateView {
public:
    void SetEncodeCommandsEnabled(bool enabled) override { calls.push_back(enabled ? "encode+" : "encode-"); }
    void SetStopEnabled(bool enabled) override { calls.push_back(enabled ? "stop+" : "stop-"); }
    void SetCloseBlocked(bool blocked) override { calls.push_back(blocked ? "closeBlocked+" : "closeBlocked-"); }
    bool ShowEncodingConsole() const override { return showConsole; }
    bool ShutdownAfterEncoding() const override { return shutdownAfterEncoding; }
    void MinimizeApplication() override {
        calls.push_back("minimize");
        if (onMinimize) onMinimize();
    }
    void RestoreApplication() override { calls.push_back("restore"); }
    bool ConfirmPowerOff(const std::string& runEnd) override {
        calls.push_back("confirm " + runEnd);
        return confirmPowerOff;
    }
    void EndProgramWithoutSaving() override { calls.push_back("end"); }

    bool showConsole = false;
    bool shutdownAfterEncoding = false;
    bool confirmPowerOff = true;
    std::function<void()> onMinimize;
    std::vector<std::string> calls;
};

// Keeps the current panel texts and every change in order.
class RecordingStatusBar final : public IStatusBar {
public:
    void SetPanelText(int panel, const std::string& text) override {
        panels.at(static_cast<size_t>(panel)) = text;
        changes.emplace_back(panel, text);
    }

    std::array<std::string, 2> panels;
    std::vector<std::pair<int, std::string>> changes;
};

// Lets a test act while a run is in progress, as the window's input would.
class CallbackPump final : public IEventPump {
public:
    void PumpMessages() override {
        ++pumps;
        if (onPump) onPump();
    }
    void WaitIdle(std::span<const int> fds, int timeoutMs) override { poll.WaitIdle(fds, timeoutMs); }

    std::function<void()> onPump;
    int pumps = 0;
    PollEventPump poll;
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
