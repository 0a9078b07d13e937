#include "encode/MediaInfo.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstring>

#include "CorpusFiles.h"

namespace tessaro {
namespace {

const auto* const kLocale = ::testing::AddGlobalTestEnvironment(new test::Utf8LocaleEnvironment);

static_assert(sizeof(MediaInfoEntryPoints) == kMediaInfoEntryPointCount * sizeof(void (*)()));

void UnloadCompletely() {
    while (IsMediaInfoLibraryLoaded()) UnloadMediaInfoLibrary();
}

TEST(MediaInfoBinding, LoadCountsUpAndUnloadFreesAtZero) {
    UnloadCompletely();
    EXPECT_EQ(MediaInfoEntries(), nullptr);
    EXPECT_EQ(LoadMediaInfoLibrary(), 1);
    EXPECT_EQ(LoadMediaInfoLibrary(), 1);
    EXPECT_EQ(MediaInfoLoadCount(), 2);
    UnloadMediaInfoLibrary();
    EXPECT_TRUE(IsMediaInfoLibraryLoaded());
    EXPECT_NE(MediaInfoEntries(), nullptr);
    UnloadMediaInfoLibrary();
    EXPECT_FALSE(IsMediaInfoLibraryLoaded());
    EXPECT_EQ(MediaInfoEntries(), nullptr);
    UnloadMediaInfoLibrary();
    EXPECT_EQ(MediaInfoLoadCount(), 0) << "an unload too many must not count below zero";
}

TEST(MediaInfoBinding, EveryEntryPointIsBound) {
    ASSERT_EQ(LoadMediaInfoLibrary(), 1);
    std::array<uintptr_t, kMediaInfoEntryPointCount> addresses{};
    std::memcpy(addresses.data(), MediaInfoEntries(), sizeof addresses);
    for (size_t i = 0; i < addresses.size(); ++i)
        EXPECT_NE(addresses[i], 0u) << "entry point " << i;
    UnloadMediaInfoLibrary();
}

TEST(MediaInfoBinding, HandleLoadsTheLibraryOnceAndKeepsIt) {
    UnloadCompletely();
    {
        MediaInfo first;
        MediaInfo second;
        EXPECT_TRUE(first.IsReady());
        EXPECT_TRUE(second.IsReady());
        EXPECT_EQ(MediaInfoLoadCount(), 1);
    }
    EXPECT_TRUE(IsMediaInfoLibraryLoaded()) << "the library stays loaded for the rest of the run";
}

TEST(MediaInfoHandle, ValuesAreCopiedBeforeTheNextCall) {
    MediaInfo info;
    info.Open(test::CorpusFile("xvid.avi"));
    const std::string video = info.Get(StreamKind::video, 0, "Format");
    const std::string audio = info.Get(StreamKind::audio, 0, "Format");
    const std::string codec = info.Get(StreamKind::video, 0, "CodecID");
    EXPECT_EQ(video, "MPEG-4 Visual");
    EXPECT_EQ(audio, "MPEG Audio");
    EXPECT_EQ(codec, "XVID");
    info.Close();
}

TEST(MediaInfoHandle, UnknownParameterAndMissingStreamGiveEmptyText) {
    MediaInfo info;
    info.Open(test::CorpusFile("silent.avi"));
    EXPECT_EQ(info.Get(StreamKind::video, 0, "NoSuchParameter"), "");
    EXPECT_EQ(info.Get(StreamKind::audio, 0, "Format"), "");
    EXPECT_EQ(info.Get(StreamKind::video, 1, "Format"), "");
    EXPECT_EQ(info.Get(StreamKind::video, 0, "Width", InfoKind::name), "Width");
}

TEST(MediaInfoHandle, InformFollowsTheInformOption) {
    MediaInfo info;
    info.Open(test::CorpusFile("tall.avi"));
    EXPECT_NE(info.Inform().find("XVID"), std::string::npos);
    info.Option("Inform", "Video;%Width%x%Height%");
    EXPECT_EQ(info.Inform(), "640x720");
    info.Option("Inform", "");
}

TEST(MediaInfoHandle, OpenRefusesPathWithNulByte) {
    MediaInfo info;
    EXPECT_THROW(info.Open(std::string("a\0b.avi", 7)), std::invalid_argument);
}

}  // namespace
}  // namespace tessaro
