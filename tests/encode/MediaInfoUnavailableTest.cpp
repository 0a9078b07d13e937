// Runs without the media library: its own program, because the binding is
// process-wide and a successful load would stay for the rest of the run.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "CorpusFiles.h"
#include "encode/FileKind.h"
#include "encode/JobRow.h"
#include "encode/MediaInfo.h"
#include "encode/Probe.h"

namespace tessaro {
namespace {

const auto* const kLocale = ::testing::AddGlobalTestEnvironment(new test::Utf8LocaleEnvironment);

class MediaInfoUnavailable : public ::testing::Test {
protected:
    void SetUp() override {
        setenv(kMediaInfoLibraryVariable, "/nonexistent/libmediainfo.so.0", 1);
    }
    void TearDown() override { unsetenv(kMediaInfoLibraryVariable); }
};

TEST_F(MediaInfoUnavailable, MissingOrIncompleteLibraryDoesNotLoad) {
    for (const char* file :
         {"/nonexistent/libmediainfo.so.0", INCOMPLETE_MEDIAINFO_LIBRARY, "libc.so.6"}) {
        SCOPED_TRACE(file);
        setenv(kMediaInfoLibraryVariable, file, 1);
        EXPECT_EQ(LoadMediaInfoLibrary(), -1);
        EXPECT_FALSE(IsMediaInfoLibraryLoaded());
        EXPECT_EQ(MediaInfoLoadCount(), 0);
        EXPECT_EQ(MediaInfoEntries(), nullptr);
    }
}

TEST_F(MediaInfoUnavailable, HandleAnswersEveryRequestWithTheFallbackText) {
    MediaInfo info;
    EXPECT_FALSE(info.IsReady());
    EXPECT_EQ(info.Open(test::CorpusFile("xvid.avi")), 0u);
    EXPECT_EQ(info.Get(StreamKind::video, 0, "Format"), "Unable to load MediaInfo.dll");
    EXPECT_EQ(info.Inform(), "Unable to load MediaInfo.dll");
    EXPECT_EQ(info.Option("Complete", "1"), "Unable to load MediaInfo.dll");
    info.Close();
}

TEST_F(MediaInfoUnavailable, VideoGetsTheFallbackTextNoSizeAndNeedsConverting) {
    video_struct record;
    const std::string path = test::CorpusFile("xvid.avi");
    const int8_t code = ProbeFile(FileKind::media, record, path, 0);
    EXPECT_EQ(code, 4);
    EXPECT_EQ(record.video_format, "Unable to load MediaInfo.dll");
    EXPECT_EQ(record.codec_id, "Unable to load MediaInfo.dll");
    EXPECT_EQ(record.audio_format, "Unable to load MediaInfo.dll");
    EXPECT_EQ(record.width, 0);
    EXPECT_EQ(record.height, 0);
    EXPECT_EQ(record.bitrate, 512);
    EXPECT_EQ(MakeJobRow(path, record, code).subItems[siSupport], "No");
}

TEST_F(MediaInfoUnavailable, SubtitleStillGetsItsEncoding) {
    video_struct record;
    EXPECT_EQ(ProbeFile(FileKind::subtitle, record, test::CorpusFile("subrip-utf8.srt"), 1), 11);
    EXPECT_EQ(record.video_format, "Unable to load MediaInfo.dll");
    EXPECT_EQ(record.codec_id, "UTF8NOBOM");
}

TEST_F(MediaInfoUnavailable, FailedLoadsAreNotCountedOnceTheLibraryIsBack) {
    EXPECT_EQ(LoadMediaInfoLibrary(), -1);
    unsetenv(kMediaInfoLibraryVariable);
    EXPECT_EQ(LoadMediaInfoLibrary(), 1);
    EXPECT_EQ(MediaInfoLoadCount(), 1);
    UnloadMediaInfoLibrary();
    EXPECT_FALSE(IsMediaInfoLibraryLoaded());
}

}  // namespace
}  // namespace tessaro
