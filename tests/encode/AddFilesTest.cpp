#include "encode/AddFiles.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "CorpusFiles.h"
#include "MediaInfoCli.h"

namespace tessaro {
namespace {

namespace fs = std::filesystem;

const auto* const kLocale = ::testing::AddGlobalTestEnvironment(new test::Utf8LocaleEnvironment);

struct Recorder final : AddFilesObserver {
    std::vector<std::pair<std::string, size_t>> added;
    std::vector<std::pair<std::string, SkipReason>> skipped;
    size_t stopAfterRows = SIZE_MAX;

    void RowAdded(const JobRow& row, size_t index) override {
        added.emplace_back(row.caption, index);
    }
    void FileSkipped(const std::string& path, SkipReason reason) override {
        skipped.emplace_back(path, reason);
    }
    bool ContinueAdding() override { return added.size() < stopAfterRows; }
};

class AddFilesTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "tessaro-addfiles-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        folder_ = pattern;
    }
    void TearDown() override { fs::remove_all(folder_); }

    // A link in the private folder to a corpus file, under a name of our choice.
    std::string Link(const std::string& name, const std::string& target) {
        const fs::path link = folder_ / name;
        fs::create_symlink(target, link);
        return link.string();
    }

    fs::path folder_;
};

TEST_F(AddFilesTest, OneHundredThirtyFilesLeave128RowsInOrder) {
    std::vector<std::string> paths;
    for (int i = 0; i < 130; ++i)
        paths.push_back(
            Link("clip-" + std::to_string(1000 + i) + ".avi", test::CorpusFile("xvid.avi")));
    JobList rows;
    Recorder recorder;
    EXPECT_EQ(AddFiles(paths, 0, rows, &recorder), kMaxJobRows);
    ASSERT_EQ(rows.size(), kMaxJobRows);
    for (size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i].caption, paths[i]);
        EXPECT_EQ(recorder.added[i], std::make_pair(paths[i], i));
    }
    const std::vector<std::pair<std::string, SkipReason>> expectedSkips{
        {paths[128], SkipReason::listFull}, {paths[129], SkipReason::listFull}};
    EXPECT_EQ(recorder.skipped, expectedSkips);
}

TEST_F(AddFilesTest, RowsAlreadyListedCountTowardsTheLimit) {
    JobList rows(kMaxJobRows - 1);
    const std::string clip = test::CorpusFile("xvid.avi");
    EXPECT_EQ(AddFiles({clip, clip}, 0, rows), 1u);
    EXPECT_EQ(rows.size(), kMaxJobRows);
    EXPECT_EQ(rows.back().caption, clip);
}

TEST_F(AddFilesTest, SkipsWithReasonsAndKeepsDuplicates) {
    const fs::path directory = folder_ / "folder.avi";
    fs::create_directory(directory);
    const std::vector<std::string> paths{
        test::CorpusFile("xvid.avi"),
        test::CorpusFile("subrip-utf8.srt"),
        test::CorpusFile("no-such-file.avi"),
        directory.string(),
        Link("no-extension", test::CorpusFile("xvid.avi")),
        test::CorpusFile("b.mkv"),
        test::CorpusFile("xvid.avi"),
    };
    JobList rows;
    Recorder recorder;
    EXPECT_EQ(AddFiles(paths, 0, rows, &recorder), 3u);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].caption, paths[0]);
    EXPECT_EQ(rows[1].caption, paths[5]);
    EXPECT_EQ(rows[2].caption, paths[6]);
    EXPECT_EQ(rows[0], rows[2]);
    const std::vector<std::pair<std::string, SkipReason>> expectedSkips{
        {paths[1], SkipReason::notAccepted},
        {paths[2], SkipReason::missing},
        {paths[3], SkipReason::missing},
        {paths[4], SkipReason::notAccepted},
    };
    EXPECT_EQ(recorder.skipped, expectedSkips);
}

TEST_F(AddFilesTest, RowsCarryTheProbeInColumnOrder) {
    JobList rows;
    AddFiles({test::CorpusFile("b.mkv"), test::CorpusFile("subrip-utf8.srt"),
              test::CorpusFile("plain-ansi.txt")},
             1, rows);
    ASSERT_EQ(rows.size(), 3u);
    const std::string bitrate = std::to_string(
        std::stoi(test::MediaInfoCommand("Video;%BitRate%", test::CorpusFile("b.mkv"))) / 1000);
    const std::array<std::string, kSubItemCount> road{
        "MPEG-4 Visual", "V_MPEG4/ISO/ASP", "1280", "720", "AC-3", "No", "5", bitrate};
    EXPECT_EQ(rows[0].subItems, road);
    const std::array<std::string, kSubItemCount> subtitle{"SubRip", "UTF8NOBOM", "0",  "0",
                                                          "",       "No",        "11", "0"};
    EXPECT_EQ(rows[1].subItems, subtitle);
    const std::array<std::string, kSubItemCount> plain{"Text", "(NULL)", "0",  "0",
                                                       "",     "No",     "-1", "0"};
    EXPECT_EQ(rows[2].subItems, plain);
}

TEST_F(AddFilesTest, UnreadableSubtitleIsSkippedAndTheRestAdded) {
    // Reading a process's own memory from offset 0 fails with an I/O error.
    const std::string unreadable = Link("broken.srt", "/proc/self/mem");
    JobList rows;
    Recorder recorder;
    EXPECT_EQ(AddFiles({unreadable, test::CorpusFile("subrip-ansi.srt")}, 2, rows, &recorder), 1u);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].subItems[siDecision], "7");
    const std::vector<std::pair<std::string, SkipReason>> expectedSkips{
        {unreadable, SkipReason::unreadable}};
    EXPECT_EQ(recorder.skipped, expectedSkips);
}

TEST_F(AddFilesTest, ObserverCanStopTheAdding) {
    JobList rows;
    Recorder recorder;
    recorder.stopAfterRows = 2;
    const std::string clip = test::CorpusFile("xvid.avi");
    EXPECT_EQ(AddFiles({clip, clip, clip, clip}, 0, rows, &recorder), 2u);
    EXPECT_EQ(rows.size(), 2u);
    EXPECT_TRUE(recorder.skipped.empty());
}

TEST_F(AddFilesTest, SerialDecidesWhatIsAcceptedAndHowItIsClassified) {
    const std::vector<std::string> paths{test::CorpusFile("sami-ansi.smi"),
                                         test::CorpusFile("dvd.vob")};
    const std::vector<std::string> expectedCodes[] = {{"4"}, {"7", "4"}, {"7", "0"}};
    for (int serial = 0; serial < 3; ++serial) {
        SCOPED_TRACE("serial index " + std::to_string(serial));
        JobList rows;
        AddFiles(paths, serial, rows);
        std::vector<std::string> codes;
        for (const auto& row : rows) codes.push_back(row.subItems[siDecision]);
        EXPECT_EQ(codes, expectedCodes[serial]);
    }
}

TEST_F(AddFilesTest, EmptyListAddsNothing) {
    JobList rows;
    Recorder recorder;
    EXPECT_EQ(AddFiles({}, 0, rows, &recorder), 0u);
    EXPECT_TRUE(rows.empty());
    EXPECT_TRUE(recorder.added.empty());
}

}  // namespace
}  // namespace tessaro
