#include "platform/AtomicFile.h"

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

namespace tessaro::platform {
namespace {

namespace fs = std::filesystem;

std::string ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

class AtomicFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() / ("tessaro-atomic-" + std::to_string(getpid()));
        fs::remove_all(folder_);
        fs::create_directories(folder_);
    }
    void TearDown() override { fs::remove_all(folder_); }

    size_t EntriesInFolder() const {
        return static_cast<size_t>(std::distance(fs::directory_iterator(folder_), {}));
    }

    fs::path folder_;
};

TEST_F(AtomicFileTest, WritesContentWithTheRequestedMode) {
    const fs::path target = folder_ / "script.sh";
    std::string error;
    ASSERT_TRUE(WriteFileAtomically(target, std::string("a\0b\r\n", 5), 0700, &error)) << error;
    EXPECT_EQ(ReadAll(target), std::string("a\0b\r\n", 5));
    struct stat info {};
    ASSERT_EQ(::stat(target.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);
    EXPECT_EQ(EntriesInFolder(), 1u) << "no temporary file is left behind";
}

TEST_F(AtomicFileTest, ReplacesAPlantedLinkInsteadOfWritingThroughIt) {
    const fs::path victim = folder_ / "victim.txt";
    std::ofstream(victim) << "precious";
    const fs::path target = folder_ / "script.sh";
    fs::create_symlink(victim, target);
    std::string error;
    ASSERT_TRUE(WriteFileAtomically(target, "new", 0600, &error)) << error;
    EXPECT_EQ(ReadAll(victim), "precious");
    EXPECT_FALSE(fs::is_symlink(target));
    EXPECT_EQ(ReadAll(target), "new");
}

TEST_F(AtomicFileTest, FailureLeavesTheOldFileAndExplainsWhy) {
    const fs::path target = folder_ / "kept.txt";
    std::ofstream(target) << "old";
    fs::create_directory(folder_ / "sub");
    std::string error;
    EXPECT_FALSE(WriteFileAtomically(folder_ / "sub", "x", 0600, &error))
        << "a folder cannot be replaced by a file";
    EXPECT_NE(error.find("sub"), std::string::npos) << error;
    EXPECT_FALSE(WriteFileAtomically(folder_ / "missing" / "f.txt", "x", 0600, &error));
    EXPECT_NE(error.find("missing"), std::string::npos) << error;
    EXPECT_EQ(ReadAll(target), "old");
    EXPECT_EQ(EntriesInFolder(), 2u) << "no temporary file is left behind";
}

}  // namespace
}  // namespace tessaro::platform
