#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "encode/ScriptError.h"
#include "encode/ScriptWriter.h"

namespace tessaro {
namespace {

namespace fs = std::filesystem;
using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::Not;

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

void WriteFile(const fs::path& path, const std::string& content) {
    std::ofstream(path, std::ios::binary) << content;
}

JobRow Row(std::string caption, std::string code) {
    JobRow row;
    row.caption = std::move(caption);
    row.subItems = {"MPEG-4 Visual", "XVID", "640", "480", "AC-3", "No", std::move(code), "900"};
    return row;
}

// Stand-in tools that record each call's program name and arguments, one
// file per argument, so any byte of an argument can be compared.
constexpr const char* kRecordingTool = R"tool(#!/bin/sh
calls="$(dirname "$0")/../calls"
mkdir -p "$calls"
call="$calls/$(ls "$calls" | wc -l | tr -d ' ')"
mkdir "$call"
basename "$0" > "$call/tool"
n=0
for argument in "$@"; do
  n=$((n + 1))
  printf '%s' "$argument" > "$call/$n"
done
echo "stderr of $(basename "$0")" >&2
echo "stdout of $(basename "$0")"
)tool";

struct RecordedCall {
    std::string tool;
    std::vector<std::string> arguments;
};

class ShScriptRun : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "tessaro-shscript-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        root_ = pattern;
        for (const char* folder : {"exe", "temp", "media", "out", "drive", "cwd"})
            fs::create_directories(root_ / folder);
        for (const char* tool : {"mencoder", "charshift", "fastcopy"}) {
            WriteFile(root_ / "exe" / tool, kRecordingTool);
            fs::permissions(root_ / "exe" / tool, fs::perms::owner_all);
        }
        options_.serial = 2;
        options_.outputFolder = (root_ / "out").string();
        options_.exeFolder = (root_ / "exe").string();
        options_.tempFolder = (root_ / "temp").string();
        options_.drive = (root_ / "drive").string();
        options_.dialect = ScriptDialect::sh;
    }

    void TearDown() override { fs::remove_all(root_); }

    std::string Media(const std::string& name) {
        const fs::path path = root_ / "media" / name;
        WriteFile(path, "media");
        return path.string();
    }

    // Runs the script from a folder of its own and returns what it printed.
    std::string Run(const std::string& scriptPath) {
        const fs::path output = root_ / "run-output.txt";
        const std::string command = "cd '" + (root_ / "cwd").string() + "' && /bin/sh '" +
                                    scriptPath + "' > '" + output.string() + "' 2>&1";
        EXPECT_EQ(std::system(command.c_str()), 0);
        return ReadFile(output);
    }

    std::vector<RecordedCall> Calls() const {
        std::vector<RecordedCall> calls;
        for (int index = 0; fs::exists(root_ / "calls" / std::to_string(index)); ++index) {
            const fs::path call = root_ / "calls" / std::to_string(index);
            RecordedCall recorded{ReadFile(call / "tool"), {}};
            recorded.tool.pop_back();  // basename's line end
            for (int n = 1; fs::exists(call / std::to_string(n)); ++n)
                recorded.arguments.push_back(ReadFile(call / std::to_string(n)));
            calls.push_back(recorded);
        }
        return calls;
    }

    std::string ScriptPath() const { return ScriptPathFor(options_); }

    fs::path root_;
    ScriptOptions options_;
};

std::vector<std::string> Mp3XvidArguments(const std::string& source, const std::string& output) {
    return {source,
            "-af",
            "volnorm",
            "-srate",
            "44100",
            "-vf-add",
            "harddup",
            "-oac",
            "mp3lame",
            "-lameopts",
            "cbr:br=128:mode=0",
            "-ovc",
            "xvid",
            "-xvidencopts",
            "bitrate=900:threads=2:max_bframes=0",
            "-o",
            output};
}

std::vector<std::string> FastcopyArguments(const std::string& source, const std::string& folder) {
    return {"/cmd=update", "/auto_close", "/force_close",       "/force_start",
            "/log=FALSE",  source,        "/to=" + folder + "/"};
}

TEST_F(ShScriptRun, PassesHostileFileNamesAsDataAndRunsNothingFromThem) {
    const std::string stem =
        "it's \"$(touch pwned1)\" `touch pwned2`; touch pwned3 & $HOME |>< *\nline2";
    const std::string video = Media(stem + ".mkv");
    const std::string subtitle = Media(stem + ".srt");
    const std::string usable = Media(stem + ".avi");
    options_.copyToDrive = true;
    const JobList rows = {Row(video, "4"), Row(subtitle, "10"), Row(usable, "0")};

    ASSERT_EQ(WriteScript(options_, rows, {}, ScriptPath()), 3);
    const std::string printed = Run(ScriptPath());

    const std::string out = options_.outputFolder;
    const std::string drive = options_.drive;
    const std::vector<RecordedCall> calls = Calls();
    ASSERT_EQ(calls.size(), 6u) << printed;
    EXPECT_EQ(calls[0].tool, "mencoder");
    EXPECT_EQ(calls[0].arguments, Mp3XvidArguments(video, out + "/" + stem + "_XviD.avi"));
    EXPECT_EQ(calls[1].tool, "fastcopy");
    EXPECT_EQ(calls[1].arguments, FastcopyArguments(out + "/" + stem + "_XviD.avi", drive));
    EXPECT_EQ(calls[2].tool, "charshift");
    EXPECT_THAT(calls[2].arguments, ElementsAre(subtitle, out + "/" + stem + ".srt", "1"));
    EXPECT_EQ(calls[3].arguments, FastcopyArguments(out + "/" + stem + ".srt", drive));
    EXPECT_EQ(calls[4].arguments, FastcopyArguments(usable, out));
    EXPECT_EQ(calls[5].arguments, FastcopyArguments(usable, drive));

    for (const char* planted : {"pwned1", "pwned2", "pwned3"}) {
        EXPECT_FALSE(fs::exists(root_ / "cwd" / planted)) << planted;
        EXPECT_FALSE(fs::exists(root_ / "exe" / planted)) << planted;
    }
    // Markers stay whole lines; the tools' redirected streams go to the log.
    EXPECT_THAT(printed, HasSubstr("#JOB#Job:1/3\n#STATUS#Encoding\n"));
    EXPECT_THAT(printed, HasSubstr("\n#STATUS#Completed\n"));
    EXPECT_THAT(printed, Not(HasSubstr("\nline2")));
    EXPECT_THAT(printed, HasSubstr("stdout of mencoder"));
    EXPECT_THAT(printed, HasSubstr("stderr of charshift"));
    EXPECT_THAT(printed, Not(HasSubstr("stderr of mencoder")));
    EXPECT_THAT(printed, Not(HasSubstr("stdout of charshift")));
    EXPECT_EQ(ReadFile(fs::path(options_.tempFolder) / "2.txt"), "stdout of fastcopy\n");
}

TEST_F(ShScriptRun, WritesTheSameLinesAsTheBatchScriptInShellForm) {
    const std::string source = Media("b.mkv");
    options_.serial = 0;
    const Script script = BuildScript(options_, {Row(source, "5")}, {});
    const std::string exe = options_.exeFolder;
    const std::string expected =
        "#!/bin/sh\n"
        "printf '%s\\n' '#JOB#Job:1/1'\n"
        "printf '%s\\n' '#STATUS#Encoding'\n"
        "'" +
        exe + "/mencoder' '" + source +
        "'  -af volnorm -srate 44100 -vf-add scale=720:-2,harddup -oac mp3lame "
        "-lameopts cbr:br=128:mode=0 -ovc xvid -xvidencopts bitrate=900:threads=2:max_bframes=0 -o "
        "'" +
        options_.outputFolder + "/b_XviD.avi' 2> '" + options_.tempFolder +
        "/2.txt'\n"
        "printf '%s\\n' '#STATUS#Completed'\n"
        "\n";
    EXPECT_EQ(script.text, expected);
}

TEST_F(ShScriptRun, SkipsAConversionWhoseOutputIsALinkToItsSource) {
    const std::string source = Media("clip.mkv");
    const std::string other = Media("other.mkv");
    fs::create_symlink(source, root_ / "out" / "clip_XviD.avi");
    fs::create_hard_link(other, root_ / "out" / "other_mp3.mkv");
    options_.copyToDrive = true;

    ASSERT_EQ(WriteScript(options_, {Row(source, "6"), Row(other, "1")}, {}, ScriptPath()), 2);
    const std::string printed = Run(ScriptPath());

    EXPECT_TRUE(Calls().empty()) << printed;
    EXPECT_THAT(printed, HasSubstr("Skip \"" + source + "\": \"" + options_.outputFolder +
                                   "/clip_XviD.avi\" is a source file of the list\n"));
    EXPECT_THAT(printed, HasSubstr("Skip \"" + other + "\": \"" + options_.outputFolder +
                                   "/other_mp3.mkv\" is a source file of the list\n"));
    EXPECT_EQ(ReadFile(source), "media");
    EXPECT_EQ(ReadFile(other), "media");
}

TEST_F(ShScriptRun, ConvertsASubtitleInPlaceAndCopiesAFileOntoItself) {
    options_.outputFolder = (root_ / "media").string();
    const std::string subtitle = Media("talk.srt");
    const std::string usable = Media("clip.avi");

    ASSERT_EQ(WriteScript(options_, {Row(subtitle, "9"), Row(usable, "7")}, {}, ScriptPath()), 2);
    Run(ScriptPath());

    const std::vector<RecordedCall> calls = Calls();
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_THAT(calls[0].arguments, ElementsAre(subtitle, subtitle, "0"));
    EXPECT_EQ(calls[1].arguments, FastcopyArguments(usable, options_.outputFolder));
}

TEST_F(ShScriptRun, ResolvesToolsBesideTheProgramThenOnPathElseByBareName) {
    const char* savedPath = std::getenv("PATH");
    const std::string restore = savedPath ? savedPath : "";
    fs::create_directories(root_ / "path");
    WriteFile(root_ / "path" / "fastcopy", kRecordingTool);
    fs::permissions(root_ / "path" / "fastcopy", fs::perms::owner_all);
    WriteFile(root_ / "path" / "charshift", "not executable");
    fs::remove(root_ / "exe" / "charshift");
    fs::remove(root_ / "exe" / "fastcopy");
    setenv("PATH", (root_ / "path").c_str(), 1);

    const std::string text =
        BuildScript(options_, {Row(Media("a.srt"), "8"), Row(Media("a.avi"), "0")}, {}).text;
    setenv("PATH", restore.c_str(), 1);

    EXPECT_THAT(text, HasSubstr("\n'charshift' '"));
    EXPECT_THAT(text, HasSubstr("\n'" + (root_ / "path" / "fastcopy").string() + "' /cmd=update"));
    options_.exeFolder.clear();
    EXPECT_THAT(BuildScript(options_, {Row(Media("b.srt"), "8")}, {}).text,
                Not(HasSubstr((root_ / "exe").string())));
}

TEST_F(ShScriptRun, ReplacesAPlantedLinkInsteadOfWritingThroughIt) {
    const fs::path victim = root_ / "victim.txt";
    WriteFile(victim, "precious");
    fs::create_symlink(victim, ScriptPath());

    ASSERT_EQ(WriteScript(options_, {Row(Media("a.avi"), "4")}, {}, ScriptPath()), 1);

    EXPECT_EQ(ReadFile(victim), "precious");
    EXPECT_FALSE(fs::is_symlink(ScriptPath()));
    struct stat status {};
    ASSERT_EQ(::stat(ScriptPath().c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0700u);
    EXPECT_THAT(ReadFile(ScriptPath()), HasSubstr("'" + options_.exeFolder + "/mencoder' "));
}

TEST_F(ShScriptRun, WritesTheBatchScriptPrivately) {
    options_.dialect = ScriptDialect::cmd;
    EXPECT_EQ(fs::path(ScriptPath()).filename(), "~tmp86CB.bat");
    ASSERT_EQ(WriteScript(options_, {}, {}, ScriptPath()), 0);
    struct stat status {};
    ASSERT_EQ(::stat(ScriptPath().c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0600u);
}

TEST_F(ShScriptRun, ReportsAFailedSaveAndKeepsTheEarlierScript) {
    WriteFile(root_ / "not-a-folder", "file");
    const std::string blocked = (root_ / "not-a-folder" / "~tmp86CB.sh").string();
    try {
        WriteScript(options_, {Row(Media("a.avi"), "4")}, {}, blocked);
        FAIL() << "no error for an unwritable script path";
    } catch (const ScriptError& error) {
        EXPECT_THAT(error.what(), HasSubstr("could not be saved"));
        EXPECT_THAT(error.what(), HasSubstr(blocked));
    }

    ASSERT_EQ(WriteScript(options_, {}, {}, ScriptPath()), 0);
    const std::string earlier = ReadFile(ScriptPath());
    EXPECT_THROW(WriteScript(options_, {Row(Media("a.avi"), "4")}, {-1, "0", 5}, ScriptPath()),
                 ScriptError);
    EXPECT_EQ(ReadFile(ScriptPath()), earlier);
    EXPECT_EQ(std::distance(fs::directory_iterator(options_.tempFolder), fs::directory_iterator()),
              1);
}

}  // namespace
}  // namespace tessaro
