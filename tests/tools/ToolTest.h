#pragma once

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>
#include <vector>

#include "cli/RunProgram.h"
#include "platform/ProcessTestSupport.h"

namespace tessaro::test {

using testing::ReadTextFile;
using testing::WriteTextFile;
using ::testing::AllOf;
using ::testing::HasSubstr;
using ::testing::StartsWith;

// A scratch folder `dir` for the files under test; the tool's streams go to another.
class ToolTest : public ::testing::Test {
protected:
    // `prefix` is a command the tool runs under: /usr/bin/env NAME=VALUE, a shell setting limits.
    ProgramRun RunTool(const std::string& tool, const std::vector<std::string>& arguments,
                       std::vector<std::string> prefix = {}) const {
        prefix.push_back(std::string(TESSARO_BIN_DIR) + "/" + tool);
        prefix.insert(prefix.end(), arguments.begin(), arguments.end());
        const std::string program = prefix.front();
        return RunProgram(program, {prefix.begin() + 1, prefix.end()}, streams_.Path());
    }
    std::string File(const std::string& name) const { return dir.File(name); }
    static long EntriesIn(const std::filesystem::path& folder) {
        return std::distance(std::filesystem::directory_iterator(folder), {});
    }
    static struct stat Status(const std::string& path) {
        struct stat info {};
        EXPECT_EQ(::stat(path.c_str(), &info), 0) << path;
        return info;
    }

    testing::TempDir dir;

private:
    testing::TempDir streams_;
};

}  // namespace tessaro::test
