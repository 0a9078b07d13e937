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
    const std::string own = "tessaro-" + std::to_string(::getuid());
    fs::create_directory(dir.File("elsewhere"));
    fs::create_directory_symlink(dir.File("elsewhere"), dir.File(own));
    // A shared TEMP where someone left a program under the helper's name.
    const std::string shared = dir.File("shared");
    fs::create_directory(shared);
    fs::permissions(shared, fs::perms::all | fs::perms::sticky_bit);
    WriteTextFile(shared + "/Renovator4", "#!/bin/sh\ntouch planted-ran\n");
    fs::permissions(shared + "/Renovator4", fs::perms::all);
    const std::pair<const char*, std::string> cases[] = {{nullptr, dir.File(own)},
                                                         {shared.c_str(), shared + "/" + own}};
    const ScopedEnv base("TMPDIR", dir.Path().c_str());
    for (const auto& [temp, folder] : cases) {
        const ScopedEnv variable("TEMP", temp);
        ASSERT_EQ(UpdateHelperPath(), folder + "/Renovator4");
        EXPECT_EQ(UpdateQueuePath(), folder + "/RenovatorQueue.txt");
        ASSERT_TRUE(WriteUpdateHelper(UpdateHelperPath()));
        EXPECT_EQ(ReadTextFile(UpdateHelperPath()), ReadTextFile(kBuiltHelper));
    }
    EXPECT_TRUE(fs::is_empty(dir.File("elsewhere"))) << "a planted link is set aside";
    EXPECT_EQ(ReadTextFile(shared + "/Renovator4"), "#!/bin/sh\ntouch planted-ran\n");
}

}  // namespace
}  // namespace tessaro
