#include "update/utils/kuCommandLine.h"

#include <gtest/gtest.h>

#include <string>

#include "TestRow.h"

namespace tessaro {
namespace {

struct CommandCase {
    const char* command;
    const char* program;
    const char* params;
};

void PrintTo(const CommandCase& c, std::ostream* out) {
    testing::PrintRow(std::string(c.command), out);
}

class SplitFilenameAndParamsTest : public ::testing::TestWithParam<CommandCase> {};

TEST_P(SplitFilenameAndParamsTest, SplitsProgramFromArguments) {
    const CommandCase& c = GetParam();
    std::string fileName = c.command;
    std::string params = "stale";
    SplitFilenameAndParams(fileName, params);
    EXPECT_EQ(fileName, c.program) << c.command;
    EXPECT_EQ(params, c.params) << c.command;
}

INSTANTIATE_TEST_SUITE_P(
    RegistryCommands, SplitFilenameAndParamsTest,
    ::testing::Values(
        // The quoted program with a switch and a quoted %1 that loses its quotes.
        CommandCase{"\"C:\\Program Files\\Viewer\\viewer.exe\" -nohome \"%1\"",
                    "C:\\Program Files\\Viewer\\viewer.exe", "-nohome %1"},
        CommandCase{"C:\\Tools\\edit.exe /n %1", "C:\\Tools\\edit.exe", "/n %1"},
        // The " -" split would leave the program without its extension.
        CommandCase{"C:\\My -Tools\\edit.exe", "C:\\My -Tools\\edit.exe", ""},
        CommandCase{"  C:\\Tools\\edit.exe   ", "C:\\Tools\\edit.exe", ""},
        CommandCase{"\"C:\\Program Files\\App\\app.exe\"", "C:\\Program Files\\App\\app.exe", ""},
        CommandCase{"\"C:\\Program Files\\App\\app.exe\" \"%1\"", "C:\\Program Files\\App\\app.exe",
                    "%1"},
        // A quoted argument after an unquoted program.
        CommandCase{"C:\\Tools\\edit.exe \"%1\" /x", "C:\\Tools\\edit.exe", "%1 /x"},
        CommandCase{"C:\\Tools\\edit.exe \\p", "C:\\Tools\\edit.exe", "\\p"},
        CommandCase{"C:\\Tools\\edit.exe %1", "C:\\Tools\\edit.exe", "%1"},
        // "," drops the delimiter.
        CommandCase{"C:\\Tools\\lib.exe,entry", "C:\\Tools\\lib.exe", "entry"},
        // Without RUNDLL a DLL argument stays on the program side of the ",".
        CommandCase{"C:\\Tools\\host.exe plugin.dll,Start", "C:\\Tools\\host.exe plugin.dll",
                    "Start"},
        CommandCase{"C:\\WINDOWS\\system32\\rundll32.exe shimgvw.dll,ImageView_Fullscreen %1",
                    "C:\\WINDOWS\\system32\\rundll32.exe", "shimgvw.dll,ImageView_Fullscreen %1"},
        // The RUNDLL case: the host program and its DLL argument.
        CommandCase{"C:\\WINDOWS\\rundll32.exe shell32.dll,Control_RunDLL",
                    "C:\\WINDOWS\\rundll32.exe", "shell32.dll,Control_RunDLL"},
        // POSIX command lines follow the same rules.
        CommandCase{"/usr/bin/gedit --new-window %U", "/usr/bin/gedit", "--new-window %U"},
        CommandCase{"/opt/My App/viewer %F", "/opt/My App/viewer", "%F"},
        CommandCase{"viewer", "viewer", ""}));

TEST(SplitFilenameAndParams, EmptyOrBlankTextChangesNothing) {
    std::string fileName;
    std::string params = "kept";
    SplitFilenameAndParams(fileName, params);
    EXPECT_EQ(fileName, "");
    EXPECT_EQ(params, "kept");

    fileName = "   ";
    SplitFilenameAndParams(fileName, params);
    EXPECT_EQ(fileName, "");
    EXPECT_EQ(params, "kept");
}

TEST(SplitFilenameAndParams, ALoneQuoteDoesNotCrash) {
    for (const char* command : {"\"", "\"\"", "a\"", "\"a", "x \"", "\" -x"}) {
        std::string fileName = command;
        std::string params;
        SplitFilenameAndParams(fileName, params);
        EXPECT_EQ(fileName.find('"'), std::string::npos) << command;
    }
}

}  // namespace
}  // namespace tessaro
