#include "encode/MediaInfo.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "CorpusFiles.h"

namespace tessaro {
namespace {

const auto* const kLocale = ::testing::AddGlobalTestEnvironment(new test::Utf8LocaleEnvironment);

TEST(MediaInfoThreads, HandlesCreatedAtOnceLoadTheLibraryOnce) {
    while (IsMediaInfoLibraryLoaded()) UnloadMediaInfoLibrary();
    constexpr int kThreads = 4;
    std::vector<std::string> widths(kThreads);
    std::vector<std::thread> threads;
    for (int i = 0; i < kThreads; ++i)
        threads.emplace_back([&widths, i] {
            MediaInfo info;
            info.Open(test::CorpusFile("hd720.avi"));
            widths[static_cast<size_t>(i)] = info.Get(StreamKind::video, 0, "Width");
            info.Close();
        });
    for (auto& thread : threads) thread.join();
    EXPECT_EQ(MediaInfoLoadCount(), 1);
    for (const auto& width : widths) EXPECT_EQ(width, "1280");
}

}  // namespace
}  // namespace tessaro
