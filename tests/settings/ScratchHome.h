#pragma once

#include <gtest/gtest.h>

#include "../platform/ProcessTestSupport.h"
#include "../platform/ScopedEnv.h"

namespace tessaro::testing {

inline void WriteFile(const std::string& path, const std::string& content) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    WriteTextFile(path, content);
}

// A throw-away home with its own XDG folders, so nothing a test writes reaches the user's settings.
class ScratchHome : public ::testing::Test {
protected:
    std::string Home() const { return home_.Path().string(); }

private:
    TempDir home_;
    ScopedEnv homeVariable_{"HOME", Home().c_str()};
    ScopedEnv config_{"XDG_CONFIG_HOME", (Home() + "/config").c_str()};
    ScopedEnv data_{"XDG_DATA_HOME", (Home() + "/data").c_str()};
    ScopedEnv appData_{"APPDATA", nullptr};
    ScopedEnv defaultRegistry_{"TESSARO_REGISTRY_DIR", nullptr};
};

}  // namespace tessaro::testing
