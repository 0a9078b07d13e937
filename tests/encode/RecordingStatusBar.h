#pragma once

#include <array>
#include <string>
#include <utility>
#include <vector>

#include "encode/StatusBar.h"

namespace tessaro::testing {

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

}  // namespace tessaro::testing
