#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <string>

namespace tessaro::testing {

inline std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteFile(const std::string& path, const std::string& content) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << content;
}

// A throw-away home folder with its own XDG folders, so that nothing a test
// writes reaches the real user's settings. The environment is restored after.
class ScratchHome : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/tessaro-settings-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        home_ = pattern;
        SetVariable("HOME", home_);
        SetVariable("XDG_CONFIG_HOME", home_ + "/config");
        SetVariable("XDG_DATA_HOME", home_ + "/data");
        SetVariable("APPDATA", std::nullopt);
        SetVariable("TESSARO_REGISTRY_DIR", std::nullopt);
    }

    void TearDown() override {
        for (const auto& [name, value] : saved_) {
            if (value)
                setenv(name.c_str(), value->c_str(), 1);
            else
                unsetenv(name.c_str());
        }
        std::filesystem::remove_all(home_);
    }

    void SetVariable(const std::string& name, const std::optional<std::string>& value) {
        if (!saved_.count(name)) {
            const char* old = getenv(name.c_str());
            saved_[name] = old ? std::optional<std::string>(old) : std::nullopt;
        }
        if (value)
            setenv(name.c_str(), value->c_str(), 1);
        else
            unsetenv(name.c_str());
    }

    std::string Home() const { return home_; }

private:
    std::string home_;
    std::map<std::string, std::optional<std::string>> saved_;
};

}  // namespace tessaro::testing
