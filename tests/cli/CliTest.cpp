#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "RunProgram.h"
#include "platform/ProcessTestSupport.h"
#include "platform/ScopedEnv.h"

namespace tessaro::test {
namespace {

namespace fs = std::filesystem;
using ::testing::AllOf;
using ::testing::HasSubstr;
using ::testing::Not;
using ::testing::StartsWith;

std::string Corpus(const std::string& name) {
    return TESSARO_CORPUS_DIR "/" + name;
}

std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> parts(1);
    for (const char c : text) c == separator ? parts.emplace_back() : parts.back() += c;
    return parts;
}

class TessaroCli : public ::testing::Test {
protected:
    TessaroCli() { fs::create_directories(out); }
    ProgramRun Run(const std::vector<std::string>& arguments, const std::string& input = {},
                   const fs::path& folder = {}) const {
        return RunProgram(TESSARO_BIN_DIR "/tessaro-cli", arguments, streams.Path(), input, folder);
    }
    // Fixed folders so that scripts compare across runs.
    std::vector<std::string> Script(std::vector<std::string> extra) const {
        extra.insert(extra.begin(), {"script", "--output", out, "--temp-folder", out,
                                     "--exe-folder", "/opt/tools"});
        return extra;
    }
    // The probe rows of `paths`, kept in rows.txt too.
    std::string Probe(std::vector<std::string> paths, const std::string& device = "0") const {
        paths.insert(paths.begin(), {"probe", "--device", device});
        const ProgramRun probed = Run(paths);
        EXPECT_EQ(probed.exitCode, 0) << probed.err;
        std::ofstream(rows) << probed.out;
        return probed.out;
    }

    testing::TempDir dir, streams;
    const std::string out = dir.File("out");
    const std::string rows = dir.File("rows.txt");
};

TEST_F(TessaroCli, DescribesItsCommandsOnRequest) {
    const ProgramRun overview = Run({"--help"}), probe = Run({"probe", "--help"});
    const ProgramRun script = Run({"script", "--help"});
    EXPECT_EQ(overview.exitCode, 0);
    EXPECT_EQ(probe.exitCode, 0);
    EXPECT_EQ(script.exitCode, 0);
    EXPECT_THAT(overview.out, AllOf(HasSubstr("probe"), HasSubstr("script")));
    EXPECT_EQ(Run({"--version"}).out, "Tessaro " TESSARO_EXPECTED_VERSION "\n");
    EXPECT_THAT(probe.out, AllOf(HasSubstr("tessaro-cli probe [--device N] [--explain] PATH..."),
                                 HasSubstr("Exit status")));
    for (const char* option : {"--device", "--bitrate", "--output", "--copy-to",
                               "--unsupported-only", "--dialect", "--exe-folder", "--temp-folder",
                               "--column", "--value", "--selected", "--rows", "--script"})
        EXPECT_THAT(script.out, HasSubstr(option));
}

TEST_F(TessaroCli, PrintsOneRowPerAddedFileInOrder) {
    const ProgramRun run =
        Run({"probe", "--device", "1", Corpus("b.mkv"), Corpus("nothing.here.avi"),
             Corpus("plain-ansi.txt"), Corpus("subrip-utf8.srt"), Corpus("mjpeg.avi")});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    const std::vector<std::string> lines = Split(run.out, '\n');
    ASSERT_EQ(lines.size(), 5u) << run.out;
    for (size_t i = 0; i < 4; ++i) EXPECT_EQ(Split(lines[i], '\t').size(), 9u) << lines[i];
    EXPECT_THAT(lines[0], StartsWith(Corpus("b.mkv") +
                                     "\tMPEG-4 Visual\tV_MPEG4/ISO/ASP\t1280\t720\tAC-3\tNo\t5\t"));
    EXPECT_EQ(lines[1], Corpus("plain-ansi.txt") + "\tText\t(NULL)\t0\t0\t\tNo\t-1\t0");
    const auto subrip = Split(lines[2], '\t'), mjpeg = Split(lines[3], '\t');
    EXPECT_EQ((std::vector{subrip.at(0), subrip.at(7), mjpeg.at(0), mjpeg.at(1), mjpeg.at(6)}),
              (std::vector<std::string>{Corpus("subrip-utf8.srt"), "11", Corpus("mjpeg.avi"),
                                        "JPEG", "Yes"}));
    EXPECT_EQ(lines[4], "");
    EXPECT_THAT(run.err, HasSubstr(Corpus("nothing.here.avi") + ": no such file"));
    // Relative paths are listed in full.
    const ProgramRun relative = Run({"probe", "xvid.avi"}, {}, TESSARO_CORPUS_DIR);
    EXPECT_THAT(relative.out, StartsWith(Corpus("xvid.avi") + "\tMPEG-4 Visual\tXVID\t320\t240\t"));
}

// The reason is a tenth field after the nine, in the messages locale's language.
TEST_F(TessaroCli, ExplainAddsTheReasonAsATenthField) {
    const testing::ScopedEnv codePage("TESSARO_SUBTITLE_CODEPAGE", "CP932");
    const testing::ScopedEnv all("LC_ALL", nullptr);
    const std::pair<const char*, std::vector<std::string>> cases[] = {
        {"C.UTF-8",
         {"Video MPEG-4 Visual → XviD, scaled to 852 wide; audio AC-3 → MP3",
          "Subtitle UTF-8 → CP932", "Plays as it is"}},
        {"ja_JP.UTF-8",
         {"映像 MPEG-4 Visual → XviD（幅 852 に縮小）、音声 AC-3 → MP3", "字幕 UTF-8 → CP932",
          "そのまま再生できます"}},
    };
    const std::string plain = Probe({Corpus("b.mkv")}, "1");
    for (const auto& [locale, reasons] : cases) {
        const testing::ScopedEnv messages("LC_MESSAGES", locale);
        const ProgramRun run = Run({"probe", "--device", "1", "--explain", Corpus("b.mkv"),
                                    Corpus("subrip-utf8.srt"), Corpus("xvid.avi")});
        ASSERT_EQ(run.exitCode, 0) << run.err;
        const std::vector<std::string> lines = Split(run.out, '\n');
        ASSERT_EQ(lines.size(), 4u) << run.out;
        EXPECT_EQ(lines[0].substr(0, lines[0].rfind('\t')) + "\n", plain);
        for (size_t i = 0; i < reasons.size(); ++i) {
            const std::vector<std::string> fields = Split(lines[i], '\t');
            ASSERT_EQ(fields.size(), 10u) << lines[i];
            EXPECT_EQ(fields[9], reasons[i]) << locale;
        }
    }
}

TEST_F(TessaroCli, NamesSkippedFilesAndFailsWhenNoRowIsProduced) {
    const std::string tabbed = dir.File("a\tb.avi"), broken = dir.File("a\nb.avi");
    fs::copy_file(Corpus("xvid.avi"), tabbed);
    fs::copy_file(Corpus("xvid.avi"), broken);
    const ProgramRun run = Run({"probe", Corpus("subrip-utf8.srt"), Corpus("missing.avi"),
                                "/etc/hostname", tabbed, broken});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_THAT(run.err, AllOf(HasSubstr(Corpus("subrip-utf8.srt") + ": file type not accepted"),
                               HasSubstr(Corpus("missing.avi") + ": no such file"),
                               HasSubstr("/etc/hostname: file type not accepted"),
                               HasSubstr("not listed: " + tabbed + ": a name or value holds a tab"),
                               HasSubstr("not listed: " + broken)));
    const std::string script = dir.File("never.sh");
    const ProgramRun none = Run(Script({"--script", script, Corpus("missing.avi")}));
    EXPECT_EQ(none.exitCode, 1);
    EXPECT_THAT(none.err, AllOf(HasSubstr("no such file"), HasSubstr("no job rows")));
    EXPECT_FALSE(fs::exists(script));
}

TEST_F(TessaroCli, RefusesBadArgumentsWithoutWritingAnything) {
    const std::string fields = "\tMPEG-4 Visual\tXVID\t1280\t720\tMPEG Audio\tNo\t2";
    const std::string shortRow = dir.File("short.txt"), quoteRow = dir.File("quote.txt");
    std::ofstream(rows) << Corpus("hd720.avi") << fields << "\t840\n";
    std::ofstream(shortRow) << "/v/a.avi" << fields << "\n";
    std::ofstream(quoteRow) << "/v/a\".avi" << fields << "\t840\n";
    const std::string script = dir.File("never.sh"), xvid = Corpus("xvid.avi");
    const auto S = [&](std::vector<std::string> more, const std::string& rowsFile = {}) {
        more.insert(more.begin(), {"script", "--script", script, "--rows"});
        more.insert(more.begin() + 4, rowsFile.empty() ? rows : rowsFile);
        return more;
    };
    const std::pair<std::vector<std::string>, const char*> cases[] = {
        {{}, "Usage: tessaro-cli COMMAND"},
        {{"encode-all"}, "unknown command \"encode-all\""},
        {{"probe"}, "probe needs at least one PATH"},
        {{"probe", "--device", "3", xvid}, "--device takes a whole number from 0 to 2"},
        {{"probe", "--device=x", xvid}, "not \"x\""},
        {{"probe", "--bogus", xvid}, "unknown option --bogus"},
        {{"script", "--script", script}, "script: needs PATHs or --rows"},
        {S({"--bitrate", "13"}), "--bitrate takes a whole number from 0 to 12"},
        {S({"--dialect", "bat"}), "--dialect is cmd or sh"},
        {S({"--column", "1"}), "needs --value"},
        {S({"--value", "x"}), "--value needs --column"},
        {S({"--column", "9", "--value", "x"}), "from 0 to 8"},
        {S({"--selected", "0"}), "--selected takes a whole number from 1 to 1"},
        {S({"--selected", "2"}), "--selected takes a whole number from 1 to 1"},
        {S({"--selected", "1", "--column", "0"}), "cannot be combined"},
        {S({xvid}), "either --rows or PATHs"},
        {S({}, dir.File("absent.txt")), "cannot read the rows file"},
        {S({}, shortRow), "line 1: expected 9 tab-separated fields"},
        {S({"--dialect", "cmd"}, quoteRow), "double quote"},
        {S({"--copy-to", ""}), "no drive is selected"},
        {S({"--output", ""}), "No output folder"},
        {S({"--device"}), "--device needs a value"},
        {S({"--unsupported-only=yes"}), "takes no value"},
        {S({"--output", "/a", "--output", "/b"}), "given twice"},
    };
    for (const auto& [arguments, message] : cases) {
        const ProgramRun run = Run(arguments);
        EXPECT_EQ(run.exitCode, 2) << message << "\n" << run.err;
        EXPECT_THAT(run.err, HasSubstr(message));
        EXPECT_EQ(run.out, "") << message;
        EXPECT_FALSE(fs::exists(script)) << message;
    }
}

// The random part of the script's work file names, ".tessaro-<tag>-<job>.part".
std::string WorkFileTag(const std::string& script) {
    const size_t start = script.find("/.tessaro-");
    if (start == std::string::npos) return {};
    const size_t tagStart = start + std::string("/.tessaro-").size();
    return script.substr(tagStart, script.find('-', tagStart) - tagStart);
}

std::string WithoutWorkFileTag(std::string script) {
    const std::string tag = WorkFileTag(script);
    for (size_t at; !tag.empty() && (at = script.find(tag)) != std::string::npos;)
        script.replace(at, tag.size(), "TAG");
    return script;
}

TEST_F(TessaroCli, WritesTheSameScriptFromProbeOutputAsFromThePaths) {
    const std::vector<std::string> paths = {Corpus("b.mkv"), Corpus("xvid.avi"),
                                            Corpus("subrip-utf16le.srt"), Corpus("plain-ansi.txt"),
                                            Corpus("café ü.avi")};
    const std::string probed = Probe(paths, "2");
    std::vector<std::string> fromPaths = Script({"--device", "2", "--copy-to", "/media/stick"});
    fromPaths.insert(fromPaths.end(), paths.begin(), paths.end());
    const ProgramRun direct = Run(fromPaths);
    const ProgramRun fromFile =
        Run(Script({"--device", "2", "--copy-to", "/media/stick", "--rows", rows}));
    const ProgramRun fromStdin =
        Run(Script({"--device", "2", "--copy-to", "/media/stick", "--rows", "-"}), probed);
    ASSERT_EQ(direct.exitCode, 0) << direct.err;
    ASSERT_EQ(fromFile.exitCode, 0) << fromFile.err;
    ASSERT_EQ(fromStdin.exitCode, 0) << fromStdin.err;
    // Each script names its work files apart from every other script's.
    EXPECT_NE(WorkFileTag(direct.out), WorkFileTag(fromFile.out));
    EXPECT_EQ(WithoutWorkFileTag(fromFile.out), WithoutWorkFileTag(direct.out));
    EXPECT_EQ(WithoutWorkFileTag(fromStdin.out), WithoutWorkFileTag(direct.out));
    EXPECT_THAT(direct.out,
                AllOf(StartsWith("#!/bin/sh\n"), HasSubstr("'#JOB#Job:5/5'"),
                      HasSubstr(" '" + out + "/b_XviD.avi' 2>> "), HasSubstr("/to='/media/stick/'"),
                      HasSubstr("Skip \"" + Corpus("plain-ansi.txt"))));
}

TEST_F(TessaroCli, SavesTheScriptToAFileAndSelectsRowsLikeTheWindow) {
    Probe({Corpus("xvid.avi"), Corpus("hd720.avi"), Corpus("windows.wmv")});
    const std::string script = dir.File("encode.sh");
    const ProgramRun saved = Run(Script({"--rows", rows, "--selected", "2", "--script", script}));
    ASSERT_EQ(saved.exitCode, 0) << saved.err;
    EXPECT_EQ(saved.out, "");
    EXPECT_THAT(ReadWholeFile(script),
                AllOf(HasSubstr("'#JOB#Job:1/1'"), HasSubstr(Corpus("hd720.avi")),
                      Not(HasSubstr(Corpus("xvid.avi")))));
    EXPECT_EQ(fs::status(script).permissions(), fs::perms::owner_all);

    const ProgramRun byVideo = Run(Script({"--rows", rows, "--column", "1", "--value", "WMV2"}));
    EXPECT_THAT(byVideo.out,
                AllOf(HasSubstr("Skip \"" + Corpus("xvid.avi") + "\""),
                      HasSubstr("Skip \"" + Corpus("hd720.avi") + "\""),
                      HasSubstr("mencoder' '" + Corpus("windows.wmv") + "'  -af volnorm"),
                      HasSubstr("'#JOB#Job:3/3'")));
    const ProgramRun batch = Run(Script({"--rows", rows, "--dialect", "cmd", "--bitrate", "12",
                                         "--unsupported-only", "--copy-to", "E:"}));
    EXPECT_THAT(
        batch.out,
        AllOf(StartsWith("@ECHO OFF\r\nECHO #JOB#Job:1/3\r\n"),
              HasSubstr("\"/opt/tools\\mencoder.exe\" \"" + Corpus("hd720.avi") + "\"  "),
              HasSubstr("bitrate=3000:"), HasSubstr("ECHO Skip Copy \"" + Corpus("xvid.avi")),
              HasSubstr("/to=\"E:\\\""), HasSubstr("ECHO #STATUS#Completed\r\n\r\n")));
}

TEST_F(TessaroCli, ScriptConvertsWithTheRealEncoder) {
    const std::string script = dir.File("encode.sh");
    const ProgramRun written = Run({"script", "--output", out, "--temp-folder", out, "--script",
                                    script, Corpus("hd720.avi"), Corpus("tall.avi")});
    ASSERT_EQ(written.exitCode, 0) << written.err;
    const ProgramRun ran = RunProgram("/bin/sh", {script}, streams.Path());
    EXPECT_EQ(ran.exitCode, 0);
    EXPECT_THAT(ran.out, AllOf(HasSubstr("#JOB#Job:2/2\n#STATUS#Encoding\n"),
                               HasSubstr("#STATUS#Completed\n")));
    const ProgramRun probed = Run({"probe", out + "/hd720_XviD.avi", out + "/tall_XviD.avi"});
    const std::vector<std::string> lines = Split(probed.out, '\n');
    ASSERT_EQ(lines.size(), 3u) << probed.err << ran.out;
    const auto hd720 = Split(lines[0], '\t'), tall = Split(lines[1], '\t');
    ASSERT_EQ(hd720.size(), 9u) << lines[0];
    ASSERT_EQ(tall.size(), 9u) << lines[1];
    // Width, then decision code 0: the converted files play as they are.
    EXPECT_EQ((std::vector{hd720[3], hd720[7], tall[3], tall[4], tall[7]}),
              (std::vector<std::string>{"720", "0", "512", "576", "0"}));
}

}  // namespace
}  // namespace tessaro::test
