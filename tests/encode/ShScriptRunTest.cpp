#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "encode/ScriptError.h"
#include "encode/ScriptWriter.h"
#include "platform/ProcessTestSupport.h"
#include "platform/ScopedEnv.h"

namespace tessaro {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;
using testing::ModeOf;
using ::testing::Not;
using testing::ReadTextFile;
using testing::WriteTextFile;
using Arguments = std::vector<std::string>;

JobRow Row(std::string caption, std::string code) {
    return {std::move(caption),
            {"MPEG-4 Visual", "XVID", "640", "480", "AC-3", "No", std::move(code), "900"}};
}

// Stand-in tools that record each call's program name and arguments, one file
// per argument, so any byte of an argument can be compared.
constexpr const char* kRecordingTool = R"tool(#!/bin/sh
call="$(dirname "$0")/../calls/$(ls "$(dirname "$0")/../calls" | wc -l | tr -d ' ')"
mkdir -p "$call" && basename "$0" > "$call/tool"
n=0
for argument in "$@"; do n=$((n + 1)); printf '%s' "$argument" > "$call/$n"; done
echo "stderr of $(basename "$0")" >&2
echo "stdout of $(basename "$0")"
)tool";

class ShScriptRun : public ::testing::Test {
protected:
    ShScriptRun() {
        for (const char* folder : {"exe", "temp", "media", "out", "drive", "cwd", "calls"})
            fs::create_directories(dir.Path() / folder);
        for (const char* tool : {"mencoder", "charshift", "fastcopy", "avifinish"})
            Tool(dir.File("exe/") + tool);
        options.serial = 2;
        options.outputFolder = dir.File("out");
        options.exeFolder = dir.File("exe");
        options.tempFolder = dir.File("temp");
        options.drive = dir.File("drive");
        options.runTag = "T35T";
    }

    static void Tool(const std::string& path) {
        WriteTextFile(path, kRecordingTool);
        fs::permissions(path, fs::perms::owner_all);
    }
    std::string Media(const std::string& name) {
        WriteTextFile(dir.File("media/" + name), "media");
        return dir.File("media/" + name);
    }
    // Runs the script from a folder of its own and returns what it printed.
    std::string Run() {
        const std::string command = "cd '" + dir.File("cwd") + "' && /bin/sh '" + ScriptPath() +
                                    "' > '" + dir.File("printed") + "' 2>&1";
        EXPECT_EQ(std::system(command.c_str()), 0);
        return ReadTextFile(dir.File("printed"));
    }
    // Per call: the tool's name, then its arguments.
    std::vector<Arguments> Calls() const {
        std::vector<Arguments> calls;
        for (fs::path call;
             fs::exists(call = dir.Path() / "calls" / std::to_string(calls.size()));) {
            calls.push_back({ReadTextFile((call / "tool").string())});
            calls.back()[0].pop_back();
            for (size_t n = 1; fs::exists(call / std::to_string(n)); ++n)
                calls.back().push_back(ReadTextFile((call / std::to_string(n)).string()));
        }
        return calls;
    }
    std::string ScriptPath() const { return ScriptPathFor(options); }

    testing::TempDir dir;
    ScriptOptions options;
};

// The work file of job `job` in the output folder, as mencoder writes it.
std::string Work(const ScriptOptions& options, int job) {
    return options.outputFolder + "/.tessaro-T35T-" + std::to_string(job) + ".part";
}

Arguments Mencoder(const std::string& source, const std::string& work) {
    return {"mencoder", source,    "-af",          "volnorm",
            "-srate",   "44100",   "-vf-add",      "harddup",
            "-oac",     "mp3lame", "-lameopts",    "cbr:br=128:mode=0",
            "-ovc",     "xvid",    "-xvidencopts", "bitrate=900:threads=2:max_bframes=0",
            "-o",       work};
}

Arguments Fastcopy(const std::string& source, const std::string& folder) {
    return {"fastcopy",     "/cmd=update", "/auto_close", "/force_close",
            "/force_start", "/log=FALSE",  source,        "/to=" + folder + "/"};
}

TEST_F(ShScriptRun, PassesHostileFileNamesAsDataAndRunsNothingFromThem) {
    const std::string stem =
        "it's \"$(touch pwned1)\" `touch pwned2`; touch pwned3 & $HOME |>< *\nline2";
    const std::string video = Media(stem + ".mkv"), subtitle = Media(stem + ".srt"),
                      usable = Media(stem + ".avi");
    const std::string out = options.outputFolder + "/" + stem, drive = options.drive;
    options.copyToDrive = true;
    ASSERT_EQ(WriteScript(options, {Row(video, "4"), Row(subtitle, "10"), Row(usable, "0")}, {},
                          ScriptPath()),
              3);
    const std::string printed = Run();
    const std::vector<Arguments> expected = {Mencoder(video, Work(options, 1)),
                                             {"avifinish", Work(options, 1), out + "_XviD.avi"},
                                             Fastcopy(out + "_XviD.avi", drive),
                                             {"charshift", subtitle, out + ".srt", "1"},
                                             Fastcopy(out + ".srt", drive),
                                             Fastcopy(usable, options.outputFolder),
                                             Fastcopy(usable, drive)};
    EXPECT_EQ(Calls(), expected) << printed;
    for (const char* planted : {"pwned1", "pwned2", "pwned3"}) {
        EXPECT_FALSE(fs::exists(dir.File(std::string("cwd/") + planted))) << planted;
        EXPECT_FALSE(fs::exists(dir.File(std::string("exe/") + planted))) << planted;
    }
    // Markers stay whole lines; the tools' redirected streams go to the log.
    for (const char* part :
         {"#JOB#Job:1/3\n#STATUS#Encoding\n", "\n#STATUS#Completed\n", "stdout of mencoder"})
        EXPECT_THAT(printed, HasSubstr(part));
    for (const char* part :
         {"\nline2", "stderr of mencoder", "of charshift", "of fastcopy", "Failed"})
        EXPECT_THAT(printed, Not(HasSubstr(part)));
    EXPECT_EQ(ReadTextFile(options.tempFolder + "/2.txt"),
              "stderr of fastcopy\nstdout of fastcopy\n");
    EXPECT_EQ(ReadTextFile(options.tempFolder + "/jobs.txt"), "1 done\n2 done\n3 done\n");
}

TEST_F(ShScriptRun, NamesAConversionApartFromALinkToItsSourceAndConvertsInPlace) {
    const std::string source = Media("clip.mkv"), other = Media("other.mkv");
    fs::create_symlink(source, dir.File("out/clip_XviD.avi"));
    fs::create_hard_link(other, dir.File("out/other_mp3.mkv"));
    ASSERT_EQ(WriteScript(options, {Row(source, "4"), Row(other, "1")}, {}, ScriptPath()), 2);
    const std::string printed = Run();
    const std::vector<Arguments> calls = Calls();
    ASSERT_EQ(calls.size(), 4u) << printed;
    EXPECT_EQ(calls[1], (Arguments{"avifinish", Work(options, 1),
                                   options.outputFolder + "/clip (2)_XviD.avi"}));
    EXPECT_EQ(calls[3], (Arguments{"avifinish", Work(options, 2),
                                   options.outputFolder + "/other (2)_mp3.mkv"}));
    EXPECT_EQ(ReadTextFile(source) + ReadTextFile(other), "mediamedia");
    // A subtitle converted in place and a file copied onto itself leave the file as it was.
    fs::remove_all(dir.Path() / "calls");
    fs::create_directory(dir.Path() / "calls");
    options.outputFolder = dir.File("media");
    options.copyToDrive = false;
    const std::string subtitle = Media("talk.srt"), usable = Media("clip.avi");
    ASSERT_EQ(WriteScript(options, {Row(subtitle, "9"), Row(usable, "7")}, {}, ScriptPath()), 2);
    Run();
    EXPECT_EQ(Calls(), (std::vector<Arguments>{{"charshift", subtitle, subtitle, "0"},
                                               Fastcopy(usable, options.outputFolder)}));
}

TEST_F(ShScriptRun, AFailedStepFailsItsJobOnlyAndLeavesEarlierOutputsAsTheyWere) {
    // mencoder writes part of its work file, then fails.
    WriteTextFile(dir.File("exe/mencoder"),
                  "#!/bin/sh\nfor last; do :; done\nprintf cut > \"$last\"\necho 'disk on fire' "
                  ">&2\nexit 1\n");
    const std::string failing = Media("clip.mkv"), usable = Media("clip.avi");
    WriteTextFile(dir.File("out/clip_XviD.avi"), "complete earlier output");
    const JobRow clash = Row(dir.File("media/other/clip.avi"), "0");
    fs::create_directories(dir.File("media/other"));
    WriteTextFile(clash.caption, "another clip.avi");
    ASSERT_EQ(WriteScript(options, {Row(failing, "4"), Row(usable, "0"), clash}, {}, ScriptPath()),
              3);
    const std::string printed = Run();
    EXPECT_EQ(ReadTextFile(dir.File("out/clip_XviD.avi")), "complete earlier output");
    EXPECT_FALSE(fs::exists(Work(options, 1))) << "the cut work file is removed";
    EXPECT_EQ(ReadTextFile(options.tempFolder + "/jobs.txt"),
              "1 failed clip.mkv\n2 done\n3 failed clip.avi\n");
    EXPECT_THAT(ReadTextFile(options.tempFolder + "/failed-1.txt"), HasSubstr("disk on fire"));
    EXPECT_THAT(ReadTextFile(options.tempFolder + "/failed-3.txt"),
                HasSubstr("is a source file or another job's output"));
    EXPECT_EQ(Calls().size(), 1u) << "the clashing copy never runs";
    for (const char* part : {"#STATUS#Failed: clip.mkv\n", "#STATUS#Failed: clip.avi\n",
                             "#STATUS#Failed: 2 of 3 jobs\n"})
        EXPECT_THAT(printed, HasSubstr(part));
    EXPECT_THAT(printed, Not(HasSubstr("#STATUS#Completed")));
}

TEST_F(ShScriptRun, ResolvesToolsBesideTheProgramThenOnPathElseByBareName) {
    fs::create_directories(dir.Path() / "path");
    Tool(dir.File("path/fastcopy"));
    WriteTextFile(dir.File("path/charshift"), "not executable");
    fs::remove(dir.File("exe/charshift"));
    fs::remove(dir.File("exe/fastcopy"));
    std::string text;
    {
        testing::ScopedEnv path("PATH", dir.File("path").c_str());
        text = BuildScript(options, {Row(Media("a.srt"), "8"), Row(Media("a.avi"), "0")}, {}).text;
    }
    EXPECT_THAT(text, HasSubstr("\n  'charshift' '"));
    EXPECT_THAT(text, HasSubstr("\n  '" + dir.File("path/fastcopy") + "' /cmd=update"));
    options.exeFolder.clear();
    EXPECT_THAT(BuildScript(options, {Row(Media("b.srt"), "8")}, {}).text,
                Not(HasSubstr(dir.File("exe"))));
}

TEST_F(ShScriptRun, WritesPrivatelyAndReplacesAPlantedLinkInsteadOfWritingThroughIt) {
    WriteTextFile(dir.File("victim.txt"), "precious");
    fs::create_symlink(dir.File("victim.txt"), ScriptPath());
    ASSERT_EQ(WriteScript(options, {Row(Media("a.avi"), "4")}, {}, ScriptPath()), 1);
    EXPECT_EQ(ReadTextFile(dir.File("victim.txt")), "precious");
    EXPECT_FALSE(fs::is_symlink(ScriptPath()));
    EXPECT_EQ(ModeOf(ScriptPath()), 0700u);
    EXPECT_THAT(ReadTextFile(ScriptPath()), HasSubstr("'" + options.exeFolder + "/mencoder' "));
    options.dialect = ScriptDialect::cmd;
    EXPECT_EQ(fs::path(ScriptPath()).filename(), "~tmp86CB.bat");
    ASSERT_EQ(WriteScript(options, {}, {}, ScriptPath()), 0);
    EXPECT_EQ(ModeOf(ScriptPath()), 0600u);
}

TEST_F(ShScriptRun, ReportsAFailedSaveAndKeepsTheEarlierScript) {
    WriteTextFile(dir.File("not-a-folder"), "file");
    const std::string blocked = dir.File("not-a-folder/~tmp86CB.sh");
    try {
        WriteScript(options, {Row(Media("a.avi"), "4")}, {}, blocked);
        ADD_FAILURE() << "no error for an unwritable script path";
    } catch (const ScriptError& error) {
        EXPECT_THAT(error.what(), HasSubstr("could not be saved"));
        EXPECT_THAT(error.what(), HasSubstr(blocked));
    }
    ASSERT_EQ(WriteScript(options, {}, {}, ScriptPath()), 0);
    const std::string earlier = ReadTextFile(ScriptPath());
    EXPECT_THROW(WriteScript(options, {Row(Media("a.avi"), "4")}, {-1, "0", 5}, ScriptPath()),
                 ScriptError);
    EXPECT_EQ(ReadTextFile(ScriptPath()), earlier);
    EXPECT_EQ(std::distance(fs::directory_iterator(options.tempFolder), fs::directory_iterator()),
              1);
}

}  // namespace
}  // namespace tessaro
