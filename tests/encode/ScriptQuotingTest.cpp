#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "encode/ScriptDialect.h"
#include "encode/ScriptError.h"
#include "encode/ScriptPaths.h"

namespace tessaro {
namespace {

struct QuoteCase {
    std::string value;
    std::string quoted;
};

const ScriptSyntax& Sh() {
    return SyntaxFor(ScriptDialect::sh);
}
const ScriptSyntax& Cmd() {
    return SyntaxFor(ScriptDialect::cmd);
}

const std::vector<QuoteCase>& ShQuoteCases() {
    static const std::vector<QuoteCase> cases = {
        {"", "''"},
        {"plain", "'plain'"},
        {"two words", "'two words'"},
        {"it's", "'it'\\''s'"},
        {"''", "''\\'''\\'''"},
        {"$HOME", "'$HOME'"},
        {"`id`", "'`id`'"},
        {"$(id)", "'$(id)'"},
        {"a;b&c|d", "'a;b&c|d'"},
        {"\"double\"", "'\"double\"'"},
        {"back\\slash", "'back\\slash'"},
        {"new\nline", "'new\nline'"},
        {"*?[a]~", "'*?[a]~'"},
        {"caf\xc3\xa9", "'caf\xc3\xa9'"},
        {"-o", "'-o'"},
    };
    return cases;
}

TEST(ShSyntax, QuotesEveryValueAsOneLiteralWord) {
    for (const QuoteCase& c : ShQuoteCases()) EXPECT_EQ(Sh().Quote(c.value), c.quoted) << c.value;
}

// Runs the quoted word through /bin/sh and reads back what the shell passed on.
std::string EchoedByShell(const std::string& word) {
    const std::string command = "/bin/sh -c " + Sh().Quote("printf '%s|' " + word);
    std::unique_ptr<FILE, decltype(&pclose)> pipe(popen(command.c_str(), "r"), &pclose);
    if (!pipe) return "(popen failed)";
    std::string output;
    std::array<char, 256> buffer{};
    for (size_t read; (read = fread(buffer.data(), 1, buffer.size(), pipe.get())) > 0;)
        output.append(buffer.data(), read);
    return output;
}

TEST(ShSyntax, ShellReadsEachQuotedValueBackUnchanged) {
    for (const QuoteCase& c : ShQuoteCases())
        EXPECT_EQ(EchoedByShell(c.quoted), c.value + "|") << c.value;
}

TEST(ShSyntax, EchoesTextOnOneLineWithoutExpandingIt) {
    EXPECT_EQ(Sh().Echo("#JOB#Job:1/2"), "printf '%s\\n' '#JOB#Job:1/2'");
    EXPECT_EQ(Sh().Echo("Skip \"it's\""), "printf '%s\\n' 'Skip \"it'\\''s\"'");
    EXPECT_EQ(Sh().Echo("a\nb\rc\td"), "printf '%s\\n' 'a?b?c?d'");
    EXPECT_EQ(Sh().RedirectTarget("/tmp/my dir/2.txt"), "'/tmp/my dir/2.txt'");
    EXPECT_THROW(Sh().CheckValue("The file name", std::string("a\0b", 3)), ScriptError);
    EXPECT_NO_THROW(Sh().CheckValue("The file name", "a\"b'c\nd"));
}

TEST(CmdSyntax, QuotesWithDoubleQuotesAndDoublesPercentSigns) {
    const std::vector<QuoteCase> cases = {
        {"C:\\v\\a.avi", "\"C:\\v\\a.avi\""},
        {"C:\\My Videos\\a b.avi", "\"C:\\My Videos\\a b.avi\""},
        {"C:\\v\\100%.avi", "\"C:\\v\\100%%.avi\""},
        {"%PATH%", "\"%%PATH%%\""},
        {"a&b^c|d", "\"a&b^c|d\""},
        {"", "\"\""},
    };
    for (const QuoteCase& c : cases) EXPECT_EQ(Cmd().Quote(c.value), c.quoted) << c.value;
}

TEST(CmdSyntax, EscapesOperatorsOutsideQuotesInEchoedText) {
    const std::vector<QuoteCase> cases = {
        {"#STATUS#Encoding", "ECHO #STATUS#Encoding"},
        {"#STATUS#Copyto D:\\R&D\\", "ECHO #STATUS#Copyto D:\\R^&D\\"},
        {"Skip \"C:\\R&D\\a.avi\"", "ECHO Skip \"C:\\R&D\\a.avi\""},
        {"Converting 'a|b>c<d^e' To 'x'", "ECHO Converting 'a^|b^>c^<d^^e' To 'x'"},
        {"Skip Copy \"a&b\" To \"c&d\" ", "ECHO Skip Copy \"a&b\" To \"c&d\" "},
        {"100% done", "ECHO 100%% done"},
    };
    for (const QuoteCase& c : cases) EXPECT_EQ(Cmd().Echo(c.value), c.quoted) << c.value;
}

TEST(CmdSyntax, QuotesARedirectionTargetOnlyWhenItWouldSplit) {
    const std::vector<QuoteCase> cases = {
        {"C:\\Temp\\2.txt", "C:\\Temp\\2.txt"},
        {"C:\\Documents and Settings\\Temp\\2.txt", "\"C:\\Documents and Settings\\Temp\\2.txt\""},
        {"C:\\A&B\\2.txt", "\"C:\\A&B\\2.txt\""},
        {"C:\\50%\\2.txt", "C:\\50%%\\2.txt"},
    };
    for (const QuoteCase& c : cases) EXPECT_EQ(Cmd().RedirectTarget(c.value), c.quoted) << c.value;
}

TEST(CmdSyntax, RefusesValuesABatchFileCannotCarry) {
    for (const std::string& bad :
         {std::string("a\"b"), std::string("a\r\nb"), std::string("a\nb"), std::string("a\0b", 3)})
        EXPECT_THROW(Cmd().CheckValue("The file name", bad), ScriptError);
    EXPECT_NO_THROW(Cmd().CheckValue("The file name", "C:\\R&D\\100% (1).avi"));
}

TEST(ScriptSyntax, ComparesPathsTheWayEachSystemNamesFiles) {
    const std::vector<std::array<std::string, 2>> cmdSame = {
        {"C:\\v\\a.avi", "c:\\V\\A.AVI"},
        {"C:/v//a.avi", "C:\\v\\a.avi"},
        {"\\\\server\\s\\a", "\\\\server\\s\\a"}};
    for (const auto& [a, b] : cmdSame)
        EXPECT_EQ(Cmd().ComparablePath(a), Cmd().ComparablePath(b)) << a;
    EXPECT_NE(Cmd().ComparablePath("\\\\server\\a"), Cmd().ComparablePath("\\server\\a"));

    const std::vector<std::array<std::string, 2>> shSame = {{"/v/a.avi", "/v//a.avi"},
                                                            {"/v/./a.avi", "/v/a.avi"},
                                                            {"/./v/a.avi", "/v/a.avi"},
                                                            {"/v/.", "/v"}};
    for (const auto& [a, b] : shSame)
        EXPECT_EQ(Sh().ComparablePath(a), Sh().ComparablePath(b)) << a;
    for (const auto& [a, b] : std::vector<std::array<std::string, 2>>{
             {"/v/a.avi", "/v/A.avi"}, {"/v/.a.avi", "/v/a.avi"}, {"/v/../a.avi", "/a.avi"}})
        EXPECT_NE(Sh().ComparablePath(a), Sh().ComparablePath(b)) << a;
}

TEST(ScriptPaths, SplitsAndJoinsWithTheDialectsSeparators) {
    EXPECT_EQ(FolderWithSeparator("D:\\Out", '\\'), "D:\\Out\\");
    EXPECT_EQ(FolderWithSeparator("D:\\Out\\", '\\'), "D:\\Out\\");
    EXPECT_EQ(FolderWithSeparator("E:", '\\'), "E:\\");
    EXPECT_EQ(FolderWithSeparator("/media/usb", '/'), "/media/usb/");
    EXPECT_EQ(JoinFolder("", "mencoder.exe", '\\'), "mencoder.exe");
    EXPECT_EQ(JoinFolder("/opt/t", "charshift", '/'), "/opt/t/charshift");

    struct SplitCase {
        const char* path;
        const char* separators;
        const char* stem;
        const char* extension;
    };
    for (const SplitCase& c :
         std::vector<SplitCase>{{"C:\\v\\movie.mkv", "\\/:", "movie", ".mkv"},
                                {"C:movie.mkv", "\\/:", "movie", ".mkv"},
                                {"C:\\v.d\\movie", "\\/:", "movie", ""},
                                {"/v.d/a.b.c", "/", "a.b", ".c"},
                                {"/v/back\\slash.avi", "/", "back\\slash", ".avi"},
                                {"/v/.hidden", "/", "", ".hidden"}}) {
        const FileNameParts parts = SplitFileName(c.path, c.separators);
        EXPECT_EQ(parts.stem, c.stem) << c.path;
        EXPECT_EQ(parts.extension, c.extension) << c.path;
    }
    EXPECT_EQ(OperandPath("-o.avi", '/'), "./-o.avi");
    EXPECT_EQ(OperandPath("/v/-o.avi", '/'), "/v/-o.avi");
    EXPECT_EQ(OperandPath("-x.avi", '\\'), ".\\-x.avi");
}

}  // namespace
}  // namespace tessaro
