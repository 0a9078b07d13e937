// Its own program: the binding is process-wide and a successful load stays.
#include <gtest/gtest.h>

#include <string>

#include "CorpusFiles.h"
#include "encode/FileKind.h"
#include "encode/JobRow.h"
#include "encode/MediaInfo.h"
#include "encode/Probe.h"
#include "platform/ScopedEnv.h"

namespace tessaro {
namespace {

const auto* const kLocale = ::testing::AddGlobalTestEnvironment(new test::Utf8LocaleEnvironment);
const std::string kFallback = "Unable to load MediaInfo.dll";

class MediaInfoUnavailable : public ::testing::Test {
protected:
    testing::ScopedEnv library{kMediaInfoLibraryVariable, "/nonexistent/libmediainfo.so.0"};
};

TEST_F(MediaInfoUnavailable, MissingOrIncompleteLibraryDoesNotLoad) {
    for (const char* file : {"/nonexistent/libmediainfo.so.0", INCOMPLETE_MEDIAINFO_LIBRARY, "libc.so.6"}) {
        setenv(kMediaInfoLibraryVariable, file, 1);
        EXPECT_EQ(LoadMediaInfoLibrary(), -1) << file;
        EXPECT_EQ(std::tuple(IsMediaInfoLibraryLoaded(), MediaInfoLoadCount(), MediaInfoEntries()),
                  std::tuple(false, 0, nullptr)) << file;
    }
}

TEST_F(MediaInfoUnavailable, HandleAnswersEveryRequestWithTheFallbackText) {
    MediaInfo info;
    EXPECT_FALSE(info.IsReady());
    EXPECT_EQ(info.Open(test::CorpusFile("xvid.avi")), 0u);
    EXPECT_EQ(info.Get(StreamKind::video, 0, "Format") + info.Inform() + info.Option("Complete", "1"),
              kFallback + kFallback + kFallback);
}

TEST_F(MediaInfoUnavailable, VideoNeedsConvertingAndSubtitlesStillGetTheirEncoding) {
    video_struct record;
    const int8_t code = ProbeFile(FileKind::media, record, test::CorpusFile("xvid.avi"), 0);
    EXPECT_EQ(code, 4);
    EXPECT_EQ(record.video_format + record.codec_id + record.audio_format, kFallback + kFallback + kFallback);
    EXPECT_EQ(std::tuple(record.width, record.height, record.bitrate), std::tuple(0, 0, 512));
    EXPECT_EQ(MakeJobRow("x.avi", record, code).subItems[siSupport], "No");
    EXPECT_EQ(ProbeFile(FileKind::subtitle, record, test::CorpusFile("subrip-utf8.srt"), 1), 11);
    EXPECT_EQ(record.video_format + "|" + record.codec_id, kFallback + "|UTF8NOBOM");
}

TEST_F(MediaInfoUnavailable, FailedLoadsAreNotCountedOnceTheLibraryIsBack) {
    EXPECT_EQ(LoadMediaInfoLibrary(), -1);
    unsetenv(kMediaInfoLibraryVariable);
    EXPECT_EQ(LoadMediaInfoLibrary(), 1);
    EXPECT_EQ(MediaInfoLoadCount(), 1);
}

}  // namespace
}  // namespace tessaro
