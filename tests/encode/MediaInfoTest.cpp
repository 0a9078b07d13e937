#include "encode/MediaInfo.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "CorpusFiles.h"

namespace tessaro {
namespace {

const auto* const kLocale = ::testing::AddGlobalTestEnvironment(new test::Utf8LocaleEnvironment);

void UnloadCompletely() {
    while (IsMediaInfoLibraryLoaded()) UnloadMediaInfoLibrary();
}

TEST(MediaInfoBinding, LoadCountsUpAndUnloadFreesAtZero) {
    UnloadCompletely();
    EXPECT_EQ(MediaInfoEntries(), nullptr);
    EXPECT_EQ(LoadMediaInfoLibrary() + LoadMediaInfoLibrary(), 2);
    EXPECT_EQ(MediaInfoLoadCount(), 2);
    std::array<uintptr_t, kMediaInfoEntryPointCount> addresses{};
    std::memcpy(addresses.data(), MediaInfoEntries(), sizeof addresses);
    for (size_t i = 0; i < addresses.size(); ++i) EXPECT_NE(addresses[i], 0u) << "entry point " << i;
    UnloadMediaInfoLibrary();
    EXPECT_TRUE(IsMediaInfoLibraryLoaded());
    UnloadMediaInfoLibrary();
    EXPECT_FALSE(IsMediaInfoLibraryLoaded());
    EXPECT_EQ(MediaInfoEntries(), nullptr);
    UnloadMediaInfoLibrary();
    EXPECT_EQ(MediaInfoLoadCount(), 0) << "an unload too many must not count below zero";
}

TEST(MediaInfoBinding, HandlesCreatedAtOnceLoadTheLibraryOnceAndKeepIt) {
    UnloadCompletely();
    std::vector<std::string> widths(4);
    std::vector<std::thread> threads;
    for (auto& width : widths)
        threads.emplace_back([&width] {
            MediaInfo info;
            info.Open(test::CorpusFile("hd720.avi"));
            width = info.Get(StreamKind::video, 0, "Width");
            info.Close();
        });
    for (auto& thread : threads) thread.join();
    EXPECT_EQ(MediaInfoLoadCount(), 1);
    EXPECT_EQ(widths, std::vector<std::string>(4, "1280"));
    EXPECT_TRUE(IsMediaInfoLibraryLoaded()) << "the library stays loaded for the rest of the run";
}

TEST(MediaInfoHandle, InformFollowsItsOptionAndMissingValuesAreEmpty) {
    MediaInfo info;
    info.Open(test::CorpusFile("silent.avi"));
    EXPECT_NE(info.Inform().find("XVID"), std::string::npos);
    info.Option("Inform", "Video;%Width%x%Height%");
    EXPECT_EQ(info.Inform(), "320x240");
    EXPECT_EQ(info.Get(StreamKind::video, 0, "NoSuchParameter") + info.Get(StreamKind::video, 1, "Format"), "");
    EXPECT_EQ(info.Get(StreamKind::video, 0, "Width", InfoKind::name), "Width");
    EXPECT_THROW(info.Open(std::string("a\0b.avi", 7)), std::invalid_argument);
}

}  // namespace
}  // namespace tessaro
