#include <optional>

#include "ToolTest.h"

namespace tessaro::test {
namespace {

using namespace std::string_literals;

std::string LittleEndian32(uint32_t value) {
    std::string bytes;
    for (int shift = 0; shift < 32; shift += 8) bytes += static_cast<char>((value >> shift) & 0xFF);
    return bytes;
}

std::string Riff(const std::string& form, const std::string& body) {
    return "RIFF" + LittleEndian32(static_cast<uint32_t>(form.size() + body.size())) + form + body;
}

const std::string kCorpusAvi = TESSARO_CORPUS_DIR "/xvid.avi";

using Avifinish = ToolTest;

TEST_F(Avifinish, NamesOnlyACompleteAviAndLeavesTheOutputAsItWasOtherwise) {
    const std::string whole = ReadTextFile(kCorpusAvi);
    const std::string odd = Riff("AVI ", "LIST" + LittleEndian32(3) + "abc\0"s);
    const struct {
        std::optional<std::string> work;  // none: no work file at all
        bool complete;
        std::string errorPart;
    } cases[] = {
        {whole, true, ""},
        {odd, true, ""},  // a chunk of odd size ends with a pad byte
        {Riff("AVI ", "xxxx") + Riff("AVIX", "yyyyyyyy"), true, ""},
        {whole.substr(0, whole.size() - 1000), false, "headers announce"},  // a full disk
        {whole + "JUNK" + LittleEndian32(4) + "junk", false, "unexpected data"},
        {whole + "cut", false, "chunk header"},
        {Riff("AVI ", "x") + Riff("WAVE", "y"), false, "unexpected data"},
        {Riff("WAVE", "data"), false, "not an AVI file"},
        {"RIFF"s, false, "chunk header"},
        {""s, false, "empty"},
        {std::nullopt, false, "cannot open"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << "case " << &c - cases << " " << c.errorPart);
        testing::TempDir scratch;
        const std::string work = scratch.File(".work.part"), output = scratch.File("clip_XviD.avi");
        if (c.work) WriteTextFile(work, *c.work);
        WriteTextFile(output, "complete earlier output");
        const ProgramRun run = RunTool("avifinish", {work, output});
        EXPECT_EQ(run.exitCode, c.complete ? 0 : 1) << run.err;
        EXPECT_THAT(run.err, HasSubstr(c.errorPart));
        EXPECT_EQ(ReadTextFile(output), c.complete ? *c.work : "complete earlier output");
        const bool workFileStays = c.work.has_value() && !c.complete;
        EXPECT_EQ(std::filesystem::exists(work), workFileStays);
    }
}

TEST_F(Avifinish, NeverFollowsALinkNorReplacesAFolder) {
    WriteTextFile(File("victim.avi"), ReadTextFile(kCorpusAvi));
    std::filesystem::create_symlink(File("victim.avi"), File("link.part"));
    const ProgramRun linked = RunTool("avifinish", {File("link.part"), File("out.avi")});
    EXPECT_EQ(linked.exitCode, 1);
    EXPECT_FALSE(std::filesystem::exists(File("out.avi")));
    WriteTextFile(File("work.part"), ReadTextFile(kCorpusAvi));
    std::filesystem::create_directory(File("folder"));
    const ProgramRun onFolder = RunTool("avifinish", {File("work.part"), File("folder")});
    EXPECT_EQ(onFolder.exitCode, 1);
    EXPECT_THAT(onFolder.err, HasSubstr("folder"));
    EXPECT_TRUE(std::filesystem::is_directory(File("folder")));
    EXPECT_EQ(RunTool("avifinish", {File("work.part")}).exitCode, 2);
    EXPECT_EQ(RunTool("avifinish", {"--help"}).exitCode, 0);
}

}  // namespace
}  // namespace tessaro::test
