#include "encode/Probe.h"

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <string>
#include <string_view>

#include "CorpusFiles.h"
#include "MediaInfoCli.h"
#include "encode/AddFiles.h"
#include "encode/FileKind.h"
#include "encode/JobRow.h"
#include "platform/Paths.h"
#include "platform/ProcessTestSupport.h"

namespace tessaro {
namespace {

using test::CorpusFile;
using Skips = std::vector<std::pair<std::string, SkipReason>>;

const auto* const kLocale = ::testing::AddGlobalTestEnvironment(new test::Utf8LocaleEnvironment);

TEST(FileKind, AcceptanceAndClassificationFollowThePatternListsPerSerial) {
    // Per serial index: '1' accepted. Substring rules on purpose: partial extensions match whatever
    // list holds them.
    const std::pair<std::string_view, std::string_view> accepted[] = {
        {".avi", "111"}, {".AVI", "111"}, {".mkv", "111"}, {".m2ts", "111"}, {".rmvb", "111"},
        {".vob", "111"}, {".srt", "011"}, {".sri", "011"}, {".smi", "011"},  {".SMI", "011"},
        {".txt", "011"}, {".s", "011"},   {".mp", "111"},  {".t", "111"},    {"", "000"},
        {".", "111"},    {".mp3", "000"}, {".doc", "000"}, {".part", "000"}};
    for (const auto& [extension, flags] : accepted)
        for (int serial = 0; serial < 3; ++serial)
            EXPECT_EQ(IsAcceptedFile(extension, serial) ? '1' : '0', flags[size_t(serial)])
                << '"' << extension << "\" " << serial;
    // Per serial index: v vob, s subtitle, m media, - none; vob before subtitle before media.
    const std::pair<std::string_view, std::string_view> kinds[] = {
        {".vob", "vvm"}, {".VoB", "vvm"},  {".v", "vvm"},   {".avi", "mmm"},
        {".ts", "mmm"},  {".MPEG", "mmm"}, {".srt", "sss"}, {".smi", "sss"},
        {".txt", "sss"}, {".t", "sss"},    {".mp3", "---"}, {"", "---"}};
    for (const auto& [extension, letters] : kinds)
        for (int serial = 0; serial < 3; ++serial)
            EXPECT_EQ("-mvs"[int(ClassifyFile(extension, serial)) + 1], letters[size_t(serial)])
                << '"' << extension << "\" " << serial;
}

// What the media library reports for each corpus file, and the decision code per serial index.
// Motion JPEG is "JPEG" to the current library; Matroska names the codec by its own id.
struct MediaCase {
    std::string_view file, videoFormat, codecId;
    int32_t width, height;
    std::string_view audioFormat;
    std::array<int8_t, 3> codeOnSerial;
};

constexpr MediaCase kMediaCorpus[] = {
    {"xvid.avi", "MPEG-4 Visual", "XVID", 320, 240, "MPEG Audio", {0, 0, 0}},
    {"divx.avi", "MPEG-4 Visual", "DIVX", 320, 240, "MPEG Audio", {0, 0, 0}},
    {"dx50.avi", "MPEG-4 Visual", "DX50", 320, 240, "MPEG Audio", {0, 0, 0}},
    {"div3.avi", "MPEG-4 Visual", "DIV3", 320, 240, "MPEG Audio", {4, 4, 0}},
    {"fmp4.avi", "MPEG-4 Visual", "FMP4", 320, 240, "MPEG Audio", {4, 4, 4}},
    {"mjpeg.avi", "JPEG", "MJPG", 320, 240, "PCM", {0, 0, 0}},
    {"adpcm.avi", "MPEG-4 Visual", "XVID", 320, 240, "ADPCM", {1, 0, 1}},
    {"b.mkv", "MPEG-4 Visual", "V_MPEG4/ISO/ASP", 1280, 720, "AC-3", {5, 5, 5}},
    {"mpeg4.mp4", "MPEG-4 Visual", "mp4v-20", 320, 240, "AAC", {4, 4, 4}},
    {"mpeg1.mpg", "MPEG Video", "", 320, 240, "MPEG Audio", {0, 0, 0}},
    {"transport.ts", "MPEG Video", "2", 320, 240, "MPEG Audio", {0, 0, 0}},
    {"dvd.vob", "MPEG Video", "", 720, 576, "AC-3", {4, 4, 0}},
    {"sorenson.flv", "Sorenson Spark", "2", 320, 240, "MPEG Audio", {4, 4, 4}},
    {"windows.wmv", "WMV2", "WMV2", 320, 240, "WMA", {4, 4, 4}},
    {"mobile.3gp", "H.263", "s263", 176, 144, "AAC", {4, 4, 4}},
    {"real.rm", "RealVideo 2", "RV20", 320, 240, "AC-3", {4, 4, 0}},
    {"hd720.avi", "MPEG-4 Visual", "XVID", 1280, 720, "MPEG Audio", {2, 2, 2}},
    {"full1080.avi", "MPEG-4 Visual", "XVID", 1920, 1080, "MPEG Audio", {2, 2, 2}},
    {"tall.avi", "MPEG-4 Visual", "XVID", 640, 720, "MPEG Audio", {3, 3, 3}},
    {"silent.avi", "MPEG-4 Visual", "XVID", 320, 240, "", {0, 0, 0}},
    {"café ü.avi", "MPEG-4 Visual", "XVID", 320, 240, "MPEG Audio", {0, 0, 0}},
    {"not-media.avi", "", "", 0, 0, "", {4, 4, 4}},
};

TEST(Probe, EveryCorpusMediaFileGivesItsRowOnEverySerial) {
    for (const auto& c : kMediaCorpus) {
        const std::string path = CorpusFile(c.file);
        // Kilobits truncated; 512 when the library reports no rate.
        const std::string reported = test::MediaInfoCommand("Video;%BitRate%", path);
        const int32_t bitrate = reported.empty() ? 512 : std::stoi(reported) / 1000;
        for (int serial = 0; serial < 3; ++serial) {
            video_struct r;
            const int8_t code =
                ProbeFile(ClassifyFile(platform::ExtractFileExt(path), serial), r, path, serial);
            EXPECT_EQ(std::tuple(code, r.video_format, r.codec_id, r.width, r.height,
                                 r.audio_format, r.bitrate),
                      std::tuple(c.codeOnSerial[size_t(serial)], c.videoFormat, c.codecId, c.width,
                                 c.height, c.audioFormat, bitrate))
                << c.file << " on serial index " << serial;
            const JobRow row = MakeJobRow(path, r, code);
            EXPECT_EQ(row.subItems[siSupport], code == 0 ? "Yes" : "No") << c.file;
            EXPECT_EQ(row.subItems[siDecision], std::to_string(code)) << c.file;
        }
    }
    EXPECT_EQ(test::MediaInfoCommand("Video;%BitRate%", CorpusFile("transport.ts")), "")
        << "no rate to fall back from";
    EXPECT_NE(std::stoi(test::MediaInfoCommand("Video;%BitRate%", CorpusFile("xvid.avi"))) % 1000,
              0)
        << "no truncation";
}

// The library knows SubRip but neither SAMI nor UTF-16 SubRip; SAMI only without a byte-order mark.
TEST(Probe, EveryCorpusSubtitleGivesFormatEncodingAndCode) {
    const std::tuple<std::string_view, std::string_view, std::string_view, int8_t> cases[] = {
        {"subrip-ansi.srt", "SubRip", "ANSI", 7},
        {"subrip-utf16be.srt", "Text", "UNI16BE", 8},
        {"subrip-utf16le.srt", "Text", "UNI16LE", 9},
        {"subrip-utf8bom.srt", "SubRip", "UTF8", 10},
        {"subrip-utf8.srt", "SubRip", "UTF8NOBOM", 11},
        {"sami-ansi.smi", "Sami", "ANSI", 7},
        {"sami-utf16be.smi", "Text", "UNI16BE", 8},
        {"sami-utf16le.smi", "Text", "UNI16LE", 9},
        {"sami-utf8bom.smi", "Text", "UTF8", 10},
        {"sami-utf8.smi", "Sami", "UTF8NOBOM", 11},
        {"plain-ansi.txt", "Text", "(NULL)", -1},
        {"plain-utf16be.txt", "Text", "UNI16BE", 8},
        {"plain-utf16le.txt", "Text", "UNI16LE", 9},
        {"plain-utf8bom.txt", "Text", "UTF8", 10},
        {"plain-utf8.txt", "Text", "UTF8NOBOM", 11}};
    for (const auto& [file, format, codec, expected] : cases) {
        const std::string path = CorpusFile(file);
        ASSERT_EQ(ClassifyFile(platform::ExtractFileExt(path), 1), FileKind::subtitle);
        video_struct r;
        const int8_t code = ProbeFile(FileKind::subtitle, r, path, 1);
        EXPECT_EQ(std::tuple(code, r.video_format, r.codec_id, r.audio_format),
                  std::tuple(expected, format, codec, ""))
            << file;
        const JobRow row = MakeJobRow(path, r, code);
        EXPECT_EQ(row.subItems[siSupport], code == 7 ? "Yes" : "No") << file;
        EXPECT_EQ(row.subItems[siDecision], std::to_string(code)) << file;
    }
}

TEST(Probe, RecordIsClearedAndBadPathsFailWithoutOpeningAnotherFile) {
    video_struct record;
    ProbeFile(FileKind::media, record, CorpusFile("xvid.avi"), 0);
    ProbeFile(FileKind::media, record, CorpusFile("silent.avi"), 0);
    EXPECT_EQ(record.audio_format, "");
    ProbeFile(FileKind::subtitle, record, CorpusFile("subrip-utf8.srt"), 1);
    EXPECT_EQ(std::tuple(record.width, record.height, record.bitrate), std::tuple(0, 0, 0));
    const std::string path = CorpusFile("xvid.avi") + std::string(1, '\0') + "ignored.avi";
    EXPECT_EQ(ProbeFile(FileKind::media, record, path, 0), -1);
    EXPECT_EQ(std::tuple(record.video_format, record.codec_id, record.width),
              std::tuple(kUnknownFormat, "", 0));
    EXPECT_EQ(DecisionCodeOf(MakeJobRow(path, record, -1)), -1);
    EXPECT_THROW(ProbeFile(FileKind::subtitle, record, CorpusFile("no-such-file.srt"), 1),
                 std::system_error);
}

struct Recorder final : AddFilesObserver {
    void RowAdded(const JobRow& row, size_t index) override {
        added.emplace_back(row.caption, index);
    }
    void FileSkipped(const std::string& path, SkipReason reason) override {
        skipped.emplace_back(path, reason);
    }
    bool ContinueAdding() override { return added.size() < stopAfterRows; }

    std::vector<std::pair<std::string, size_t>> added;
    Skips skipped;
    size_t stopAfterRows = SIZE_MAX;
};

class AddFilesTest : public ::testing::Test {
protected:
    // A link in a private folder to another file, under a name of our choice.
    std::string Link(const std::string& name, const std::string& target) {
        std::filesystem::create_symlink(target, dir.File(name));
        return dir.File(name);
    }

    testing::TempDir dir;
    JobList rows;
    Recorder recorder;
};

// Files are probed ahead on spare cores: every row must still carry its own
// file's values, in the order given.
TEST_F(AddFilesTest, OneHundredThirtyFilesLeave128RowsInOrder) {
    const std::array<const char*, 9> distinct = {"xvid.avi",  "b.mkv",       "hd720.avi",
                                                 "mpeg4.mp4", "windows.wmv", "tall.avi",
                                                 "mjpeg.avi", "mpeg1.mpg",   "silent.avi"};
    std::vector<std::string> paths;
    for (int i = 0; i < 130; ++i) {
        const std::string source = CorpusFile(distinct[static_cast<size_t>(i) % distinct.size()]);
        paths.push_back(
            Link("clip-" + std::to_string(1000 + i) + platform::ExtractFileExt(source), source));
    }
    EXPECT_EQ(AddFiles(paths, 0, rows, &recorder), kMaxJobRows);
    ASSERT_EQ(rows.size(), kMaxJobRows);
    for (size_t i = 0; i < rows.size(); ++i) {
        video_struct alone;
        const int8_t code =
            ProbeFile(ClassifyFile(platform::ExtractFileExt(paths[i]), 0), alone, paths[i], 0);
        const JobRow expected = MakeJobRow(paths[i], alone, code);
        EXPECT_EQ(rows[i].caption, paths[i]) << "row " << i;
        EXPECT_EQ(rows[i].subItems, expected.subItems) << "row " << i << ", " << paths[i];
        EXPECT_EQ(recorder.added.at(i), std::pair(paths[i], i)) << "row " << i;
    }
    EXPECT_EQ(recorder.skipped,
              (Skips{{paths[128], SkipReason::listFull}, {paths[129], SkipReason::listFull}}));
    // Rows already listed count towards the limit.
    JobList nearlyFull(kMaxJobRows - 1);
    EXPECT_EQ(AddFiles({paths[0], paths[1]}, 0, nearlyFull), 1u);
    EXPECT_EQ(nearlyFull.back().caption, paths[0]);
    Recorder stopper;
    stopper.stopAfterRows = 2;
    rows.clear();
    EXPECT_EQ(AddFiles(paths, 0, rows, &stopper), 2u) << "the observer can stop the adding";
    EXPECT_EQ(rows.size(), 2u);
    EXPECT_TRUE(stopper.skipped.empty());
}

TEST_F(AddFilesTest, SkipsWithReasonsAndKeepsDuplicates) {
    std::filesystem::create_directory(dir.File("folder.avi"));
    const std::vector<std::string> paths{CorpusFile("xvid.avi"),
                                         CorpusFile("subrip-utf8.srt"),
                                         CorpusFile("nothing.avi"),
                                         dir.File("folder.avi"),
                                         Link("no-extension", CorpusFile("xvid.avi")),
                                         CorpusFile("b.mkv"),
                                         CorpusFile("xvid.avi")};
    ASSERT_EQ(AddFiles(paths, 0, rows, &recorder), 3u);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].caption, paths[0]);
    EXPECT_EQ(rows[1].caption, paths[5]);
    EXPECT_EQ(rows[2].caption, paths[6]);
    // Reading a process's own memory from offset 0 fails with an I/O error.
    const std::string unreadable = Link("broken.srt", "/proc/self/mem");
    EXPECT_EQ(AddFiles({unreadable, CorpusFile("subrip-ansi.srt")}, 2, rows, &recorder), 1u);
    EXPECT_EQ(rows.back().subItems[siDecision], "7");
    EXPECT_EQ(recorder.skipped, (Skips{{paths[1], SkipReason::notAccepted},
                                       {paths[2], SkipReason::missing},
                                       {paths[3], SkipReason::missing},
                                       {paths[4], SkipReason::notAccepted},
                                       {unreadable, SkipReason::unreadable}}));
}

// The window's way in: paths arrive in batches while rows are listed, and the
// list's own count (rows deleted meanwhile included) decides when it is full.
TEST_F(AddFilesTest, AdderTakesAppendedPathsInOrderAgainstTheListedCount) {
    FileAdder adder(0);
    adder.Append({CorpusFile("xvid.avi"), CorpusFile("nothing.avi"), CorpusFile("hd720.avi")});
    const auto next = [&](size_t listed) {
        const std::optional<JobRow> row = adder.Next(listed, recorder);
        return row ? row->caption : std::string("-");
    };
    EXPECT_EQ(next(0), CorpusFile("xvid.avi"));
    adder.Append({CorpusFile("b.mkv"), CorpusFile("dvd.vob")});
    EXPECT_EQ(next(1), "-");
    EXPECT_EQ(next(kMaxJobRows), "-");
    EXPECT_EQ(next(kMaxJobRows - 1), CorpusFile("b.mkv"));
    ASSERT_TRUE(adder.HasNext());
    const std::optional<JobRow> vob = adder.Next(0, recorder);
    ASSERT_TRUE(vob.has_value());
    EXPECT_EQ(vob->subItems[siDecision], "4") << "probed as a DVD program stream on Serial 1";
    EXPECT_FALSE(adder.HasNext());
    EXPECT_EQ(recorder.skipped, (Skips{{CorpusFile("nothing.avi"), SkipReason::missing},
                                       {CorpusFile("hd720.avi"), SkipReason::listFull}}));
}

TEST_F(AddFilesTest, RowsCarryTheProbeInColumnOrder) {
    AddFiles({CorpusFile("b.mkv"), CorpusFile("subrip-utf8.srt"), CorpusFile("plain-ansi.txt")}, 1,
             rows);
    ASSERT_EQ(rows.size(), 3u);
    const std::string bitrate = std::to_string(
        std::stoi(test::MediaInfoCommand("Video;%BitRate%", CorpusFile("b.mkv"))) / 1000);
    using SubItems = std::array<std::string, kSubItemCount>;
    EXPECT_EQ(rows[0].subItems, (SubItems{"MPEG-4 Visual", "V_MPEG4/ISO/ASP", "1280", "720", "AC-3",
                                          "No", "5", bitrate}));
    EXPECT_EQ(rows[1].subItems, (SubItems{"SubRip", "UTF8NOBOM", "0", "0", "", "No", "11", "0"}));
    EXPECT_EQ(rows[2].subItems, (SubItems{"Text", "(NULL)", "0", "0", "", "No", "-1", "0"}));
}

TEST_F(AddFilesTest, SerialDecidesWhatIsAcceptedAndHowItIsClassified) {
    const std::vector<std::string> expectedCodes[] = {{"4"}, {"7", "4"}, {"7", "0"}};
    for (int serial = 0; serial < 3; ++serial) {
        JobList listed;
        AddFiles({CorpusFile("sami-ansi.smi"), CorpusFile("dvd.vob")}, serial, listed);
        std::vector<std::string> codes;
        for (const auto& row : listed) codes.push_back(row.subItems[siDecision]);
        EXPECT_EQ(codes, expectedCodes[serial]) << "serial index " << serial;
    }
}

}  // namespace
}  // namespace tessaro
