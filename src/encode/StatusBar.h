#pragma once

#include <string>

namespace tessaro {

// The two panels a run reports into: panel 0 the job text, panel 1 the status text.
class IStatusBar {
public:
    virtual ~IStatusBar() = default;
    virtual void SetPanelText(int panel, const std::string& text) = 0;
};

inline constexpr int kJobPanel = 0;
inline constexpr int kStatusPanel = 1;

}  // namespace tessaro
