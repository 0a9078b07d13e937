#include "update/helper/kuUpdateHelper.h"

#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>

#include "../platform/ScopedEnv.h"
#include "RenovatorTestSupport.h"

namespace tessaro {
namespace {

namespace fs = std::filesystem;
using testing::ModeOf;
using testing::ReadTextFile;
using testing::RecordedProcess;
using testing::ScopedEnv;
using testing::TempDir;
using testing::WriteTextFile;

const std::string kBuiltHelper = TESSARO_BIN_DIR "/Renovator4";

TEST(UpdateHelperImage, IsWrittenByteForByteAsAPrivateProgramThatRuns) {
    TempDir dir;
    const ScopedEnv temp("TEMP", dir.Path().c_str());
    const std::string path = UpdateHelperPath();
    ASSERT_EQ(path, dir.File("Renovator4"));
    EXPECT_EQ(UpdateQueuePath(), dir.File("RenovatorQueue.txt"));
    WriteTextFile(path, "an old copy");

    ASSERT_TRUE(WriteUpdateHelper(path));
    EXPECT_EQ(ReadTextFile(path), ReadTextFile(kBuiltHelper));
    EXPECT_EQ(ModeOf(path), 0700);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), fs::directory_iterator()), 1);
    RecordedProcess helper({path}, dir.File("out"), dir.File("err"));
    EXPECT_EQ(helper.ExitCode(), 0);
    EXPECT_EQ(ReadTextFile(dir.File("out")).rfind("Renovator v4.0\n", 0), 0u);
}

TEST(UpdateHelperImage, ReplacesALinkInsteadOfWritingThroughIt) {
    TempDir dir;
    const std::string victim = dir.File("victim");
    WriteTextFile(victim, "someone else's file");
    const std::string path = dir.File("Renovator4");
    fs::create_symlink(victim, path);

    ASSERT_TRUE(WriteUpdateHelper(path));
    EXPECT_FALSE(fs::is_symlink(path));
    EXPECT_EQ(ReadTextFile(path), ReadTextFile(kBuiltHelper));
    EXPECT_EQ(ReadTextFile(victim), "someone else's file");
}

TEST(UpdateHelperImage, IsNeverWrittenOutsideAPrivateTemporaryFolder) {
    TempDir dir;
    fs::create_directory(dir.File("elsewhere"));
    fs::create_directory_symlink(dir.File("elsewhere"),
                                 dir.File("tessaro-" + std::to_string(::getuid())));
    const ScopedEnv noTemp("TEMP", nullptr);
    const ScopedEnv base("TMPDIR", dir.Path().c_str());

    EXPECT_EQ(UpdateHelperPath(), "");
    EXPECT_FALSE(WriteUpdateHelper(UpdateHelperPath()));
    EXPECT_TRUE(fs::is_empty(dir.File("elsewhere")));
}

}  // namespace
}  // namespace tessaro
