#include "settings/ProfileFile.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "ScratchHome.h"

namespace tessaro {
namespace {

constexpr char kSample[] =
    "; settings\r\n"
    "[ Config ]\r\n"
    "  OutputFolder =  /media/out  \r\n"
    "Quoted=\"  spaced  \"\r\n"
    "Single='x'\r\n"
    "Half=\"open\r\n"
    "NoEquals\r\n"
    ";Commented=1\r\n"
    "Twice=first\r\n"
    "TWICE=second\r\n"
    "Empty=\r\n"
    "\r\n"
    "[config]\r\n"
    "Later=ignored\r\n"
    "[Other]\r\n"
    "Key=other\r\n";

TEST(ProfileFileTest, ReadsAsTheWindowsProfileFunctions) {
    const ProfileFile file = ProfileFile::Parse(kSample);
    const struct {
        const char* section;
        const char* key;
        std::optional<std::string> value;
    } cases[] = {
        {"Config", "OutputFolder", "/media/out"},
        {"CONFIG", "outputfolder", "/media/out"},
        {"Config", "Quoted", "  spaced  "},
        {"Config", "Single", "x"},
        {"Config", "Half", "\"open"},
        {"Config", "NoEquals", std::nullopt},
        {"Config", "Commented", std::nullopt},
        {"Config", ";Commented", std::nullopt},
        {"Config", "twice", "first"},
        {"Config", "Empty", ""},
        {"Config", "Later", std::nullopt},
        {"Other", "Key", "other"},
        {"Missing", "Key", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(file.ReadValue(c.section, c.key), c.value) << c.section << "/" << c.key;
    EXPECT_EQ(file.ReadString("Config", "Absent", "fallback"), "fallback");
    EXPECT_EQ(file.ReadString("Config", "Empty", "fallback"), "");
    EXPECT_EQ(file.KeyNames("config"),
              (std::vector<std::string>{"OutputFolder", "Quoted", "Single", "Half", "Twice",
                                        "TWICE", "Empty"}));
}

TEST(ProfileFileTest, ReadsIntegersAsTheFrameworkDoes) {
    const struct {
        const char* text;
        int expected;
    } cases[] = {
        {"5", 5},
        {" 42 ", 42},
        {"-1", -1},
        {"+7", 7},
        {"$1F", 31},
        {"0x10", 16},
        {"$FFFFFFFF", -1},
        {"-$10", -16},
        {"2147483647", 2147483647},
        {"-2147483648", -2147483647 - 1},
        {"2147483648", 99},
        {"$100000000", 99},
        {"abc", 99},
        {"12abc", 99},
        {"", 99},
        {"--1", 99},
        {"1.5", 99},
        {"\"3\"", 3},
    };
    for (const auto& c : cases) {
        const ProfileFile file = ProfileFile::Parse(std::string("[S]\nK=") + c.text + "\n");
        EXPECT_EQ(file.ReadInteger("S", "K", 99), c.expected) << "'" << c.text << "'";
    }
    const ProfileFile flags = ProfileFile::Parse("[S]\nOn=5\nOff=0\nJunk=yes\n");
    EXPECT_TRUE(flags.ReadBool("S", "On", false));
    EXPECT_FALSE(flags.ReadBool("S", "Off", true));
    EXPECT_TRUE(flags.ReadBool("S", "Junk", true));
    EXPECT_FALSE(flags.ReadBool("S", "Absent", false));
}

TEST(ProfileFileTest, WritingChangesOnlyTheLinesConcerned) {
    ProfileFile file = ProfileFile::Parse(kSample);
    ASSERT_TRUE(file.WriteString("config", "OUTPUTFOLDER", "/new"));
    ASSERT_TRUE(file.WriteString("Config", "Added", "1"));
    ASSERT_TRUE(file.WriteString("Fresh", "Key", "v"));
    std::string expected = kSample;
    expected.replace(expected.find("  OutputFolder =  /media/out  "), 30, "OutputFolder=/new");
    expected.replace(expected.find("Empty=\r\n") + 8, 0, "Added=1\r\n");
    expected += "\r\n[Fresh]\r\nKey=v\r\n";
    EXPECT_EQ(file.Text(), expected);
}

TEST(ProfileFileTest, KeepsLineEndsAndByteOrderMark) {
    ProfileFile file = ProfileFile::Parse("\xEF\xBB\xBF[A]\nk=1");
    EXPECT_EQ(file.ReadValue("A", "k"), "1");
    file.WriteInteger("A", "n", -1);
    EXPECT_EQ(file.Text(), "\xEF\xBB\xBF[A]\nk=1\nn=-1\n");
    ProfileFile empty;
    empty.WriteBool("Config", "FileDetails", true);
    EXPECT_EQ(empty.Text(), "[Config]\nFileDetails=1\n");
}

TEST(ProfileFileTest, ValuesReadBackAsWritten) {
    const char* values[] = {"plain",  " leading", "trailing ", "\"quoted\"",     "'single'",
                            "\"half", "",         "a=b;c",     "[not a section]"};
    for (const char* value : values) {
        ProfileFile file;
        ASSERT_TRUE(file.WriteString("S", "K", value));
        EXPECT_EQ(ProfileFile::Parse(file.Text()).ReadValue("S", "K"), value) << value;
    }
    ProfileFile file = ProfileFile::Parse("[S]\nK=old\n");
    EXPECT_FALSE(file.WriteString("S", "K", "two\nlines"));
    EXPECT_FALSE(file.WriteString("S", "K", std::string("nul\0", 4)));
    for (const char* key : {"", " ", "a=b", ";K", "[K]", "K\nL"})
        EXPECT_FALSE(file.WriteString("S", key, "v")) << key;
    EXPECT_FALSE(file.WriteString("S]x", "K", "v"));
    EXPECT_EQ(file.Text(), "[S]\nK=old\n");
}

class ProfileFileOnDiskTest : public testing::ScratchHome {};

TEST_F(ProfileFileOnDiskTest, LoadsAndSavesFiles) {
    const std::string path = Home() + "/a.ini";
    const std::optional<ProfileFile> missing = ProfileFile::Load(path);
    ASSERT_TRUE(missing);
    EXPECT_EQ(missing->Text(), "");
    testing::WriteFile(path, "[A]\r\nk=1\r\n");
    std::optional<ProfileFile> file = ProfileFile::Load(path);
    ASSERT_TRUE(file);
    file->WriteString("A", "k", "2");
    ASSERT_TRUE(file->Save(path));
    EXPECT_EQ(testing::ReadFile(path), "[A]\r\nk=2\r\n");
    std::string error;
    EXPECT_FALSE(ProfileFile::Load(Home(), &error));
    EXPECT_NE(error.find(Home()), std::string::npos);
}

}  // namespace
}  // namespace tessaro
