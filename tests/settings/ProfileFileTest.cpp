#include "settings/ProfileFile.h"

#include <gtest/gtest.h>

namespace tessaro {
namespace {

constexpr char kSample[] =
    "; settings\r\n[ Config ]\r\n  OutputFolder =  /media/out  \r\nQuoted=\"  spaced  \"\r\n"
    "Single='x'\r\nHalf=\"open\r\nNoEquals\r\n;Commented=1\r\nTwice=first\r\nTWICE=second\r\n"
    "Empty=\r\n\r\n[config]\r\nLater=ignored\r\n[Other]\r\nKey=other\r\n";

TEST(ProfileFileTest, ReadsAsTheWindowsProfileFunctions) {
    const ProfileFile file = ProfileFile::Parse(kSample);
    // clang-format off
    const char* cases[][3] = {
        {"Config", "OutputFolder", "/media/out"}, {"CONFIG", "outputfolder", "/media/out"},
        {"Config", "Quoted", "  spaced  "},       {"Config", "Single", "x"},
        {"Config", "Half", "\"open"},             {"Config", "NoEquals", "(absent)"},
        {"Config", "Commented", "(absent)"},      {"Config", ";Commented", "(absent)"},
        {"Config", "twice", "first"},             {"Config", "Empty", ""},
        {"Config", "Later", "(absent)"},          {"Other", "Key", "other"},
        {"Missing", "Key", "(absent)"}};
    // clang-format on
    for (const auto& [section, key, value] : cases)
        EXPECT_EQ(file.ReadValue(section, key).value_or("(absent)"), value)
            << section << "/" << key;
    EXPECT_EQ(file.ReadString("Config", "Absent", "fallback"), "fallback");
    EXPECT_EQ(file.ReadString("Config", "Empty", "fallback"), "");
    EXPECT_EQ(file.KeyNames("config"),
              (std::vector<std::string>{"OutputFolder", "Quoted", "Single", "Half", "Twice",
                                        "TWICE", "Empty"}));
}

TEST(ProfileFileTest, ReadsIntegersAndFlagsAsTheFrameworkDoes) {
    const auto read = [](const std::string& text) {
        return ProfileFile::Parse("[S]\nK=" + text).ReadInteger("S", "K", 99);
    };
    const std::pair<const char*, int> cases[] = {
        {"5", 5},          {" 42 ", 42},  {"-1", -1},
        {"+7", 7},         {"$1F", 31},   {"0x10", 16},
        {"$FFFFFFFF", -1}, {"-$10", -16}, {"2147483647", 2147483647},
        {"\"3\"", 3}};
    EXPECT_EQ(read("-2147483648"), INT32_MIN);
    for (const auto& [text, expected] : cases) EXPECT_EQ(read(text), expected) << text;
    for (const char* text : {"2147483648", "$100000000", "abc", "12abc", "", "--1", "1.5"})
        EXPECT_EQ(read(text), 99) << "'" << text << "'";
    const ProfileFile flags = ProfileFile::Parse("[S]\nOn=5\nOff=0\nJunk=yes\n");
    EXPECT_TRUE(flags.ReadBool("S", "On", false));
    EXPECT_FALSE(flags.ReadBool("S", "Off", true));
    EXPECT_TRUE(flags.ReadBool("S", "Junk", true));
    EXPECT_FALSE(flags.ReadBool("S", "Absent", false));
}

TEST(ProfileFileTest, WritingChangesOnlyTheLinesConcernedAndKeepsLineEnds) {
    ProfileFile file = ProfileFile::Parse(kSample);
    ASSERT_TRUE(file.WriteString("config", "OUTPUTFOLDER", "/new"));
    ASSERT_TRUE(file.WriteString("Config", "Added", "1"));
    ASSERT_TRUE(file.WriteString("Fresh", "Key", "v"));
    std::string expected = kSample;
    expected.replace(expected.find("  OutputFolder =  /media/out  "), 30, "OutputFolder=/new");
    expected.replace(expected.find("Empty=\r\n") + 8, 0, "Added=1\r\n");
    EXPECT_EQ(file.Text(), expected + "\r\n[Fresh]\r\nKey=v\r\n");
    file = ProfileFile::Parse("\xEF\xBB\xBF[A]\nk=1");
    EXPECT_EQ(file.ReadValue("A", "k"), "1");
    file.WriteInteger("A", "n", -1);
    EXPECT_EQ(file.Text(), "\xEF\xBB\xBF[A]\nk=1\nn=-1\n");
    ProfileFile empty;
    empty.WriteBool("Config", "FileDetails", true);
    EXPECT_EQ(empty.Text(), "[Config]\nFileDetails=1\n");
}

TEST(ProfileFileTest, ValuesReadBackAsWrittenAndUnsafeOnesAreRefused) {
    for (const char* value : {"plain", " leading", "trailing ", "\"quoted\"", "'single'", "\"half",
                              "", "a=b;c", "[no]"}) {
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

}  // namespace
}  // namespace tessaro
