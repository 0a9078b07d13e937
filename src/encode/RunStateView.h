#pragma once

#include <string>

namespace tessaro {

// What the run control needs of the window (or of the command line). The
// options are asked for at the moment they are used, as the user may change
// them while a run is going on.
class IRunStateView {
public:
    virtual ~IRunStateView() = default;

    // "Encode" with the list's encode entries, "Exit" and "&Run update check now...".
    virtual void SetEncodeCommandsEnabled(bool enabled) = 0;
    virtual void SetStopEnabled(bool enabled) = 0;
    // While a script runs the window must not close.
    virtual void SetCloseBlocked(bool blocked) = 0;

    virtual bool ShowEncodingConsole() const = 0;
    virtual bool ShutdownAfterEncoding() const = 0;
    virtual void MinimizeApplication() = 0;
    virtual void RestoreApplication() = 0;

    // Asked before a power-off after a run, with the run's end as the panel
    // shows it: the user gets a count-down to cancel it. True: power off.
    virtual bool ConfirmPowerOff(const std::string& runEnd) = 0;

    // Called once power-off was requested: the program ends at once, without
    // saving its settings.
    virtual void EndProgramWithoutSaving() = 0;
};

}  // namespace tessaro
