#include "settings/LanguageFile.h"

#include <gtest/gtest.h>

#include <sstream>

#include "ScratchHome.h"
#include "settings/LegacyText.h"
#include "settings/LocalisableNames.h"
#include "settings/ProfileFile.h"

namespace tessaro {
namespace {

// Shift-JIS bytes of "エンコード", "停止" and "表示" (whose second byte is a backslash).
constexpr char kEncodeSjis[] = "\x83\x47\x83\x93\x83\x52\x81\x5B\x83\x68";
constexpr char kStopSjis[] = "\x92\xE2\x8E\x7E";
constexpr char kShowSjis[] = "\x95\x5C\x8E\xA6";

// A "Language" section with the given Count (none when null) and comma-separated names.
std::string Languages(const char* count, const std::string& names) {
    std::string text = "[Language]\n" + (count ? "Count=" + std::string(count) + "\n" : "");
    std::istringstream list(names);
    int i = 0;
    for (std::string name; std::getline(list, name, ',');)
        text += "Lang_" + std::to_string(i++) + "=" + name + "\n";
    return text;
}
const std::string kTwoLanguages = Languages("2", "English,Japanese");

// "names@selected", with "+" when a section is to be applied.
std::string Describe(const LanguageChoice& choice) {
    std::string text;
    for (const std::string& name : choice.names) text += (text.empty() ? "" : ",") + name;
    return text + "@" + std::to_string(choice.selectedIndex) + (choice.section ? "+" : "");
}

class LanguageFileTest : public testing::ScratchHome {
protected:
    LanguageChoice Load(const std::string& content, int storedIndex) {
        testing::WriteFile(Home() + "/LangJ.ini", content);
        return LoadLanguage(Home() + "/LangJ.ini", storedIndex);
    }
};

TEST_F(LanguageFileTest, SectionsDecodeTheirBytesAndOnlyAbsentKeysKeepTheirTexts) {
    const std::string file = kTwoLanguages + "[Japanese]\nButton1=" + kEncodeSjis +
                             "\nColumns0=" + kShowSjis + "\nStatus1=" + kStopSjis +
                             "\n[English]\nButton1=\nbutton2=Encodé ✓\n";
    const LanguageChoice japanese = Load(file, 1), english = Load(file, 0);
    ASSERT_EQ(Describe(japanese), "English,Japanese@1+");
    const LanguageSection& ja = *japanese.section;
    EXPECT_EQ(ja.Charset(), kShiftJisCharset);
    EXPECT_EQ(ja.Caption("Button1", "Encode"), "エンコード");
    EXPECT_EQ(ja.ColumnCaption(0, "File Name"), "表示");
    EXPECT_EQ(ja.ColumnCaption(1, "Video Format"), "Video Format");
    EXPECT_EQ(ja.StoppedText(), "停止");
    EXPECT_EQ(ja.CompletedText(), "Completed");
    EXPECT_EQ(ja.FailedJobsText(), "%d/%d failed");
    ASSERT_EQ(Describe(english), "English,Japanese@0+");
    EXPECT_EQ(english.section->Charset(), kDefaultCharset);
    EXPECT_EQ(english.section->Caption("Button1", "Encode"), "") << "present but empty";
    EXPECT_EQ(english.section->Caption("Button2", "Stop"), "Encodé ✓")
        << "UTF-8, keys without case";
    const LanguageChoice western = Load(kTwoLanguages + "[English]\nButton1=Encod\xE9 \x80 5\n", 0);
    EXPECT_EQ(western.section.value().Caption("Button1", ""), "Encodé € 5") << "Windows-1252";
}

TEST_F(LanguageFileTest, OnlyEnglishPlusJapaneseFilesAreApplied) {
    const std::tuple<std::string, int, const char*> cases[] = {
        {Languages(nullptr, "English"), 1, "@0"},
        {Languages("0", ""), 1, "@0"},
        {Languages("two", ""), 1, "@0"},
        {Languages("-2", ""), 1, "@0"},
        {Languages("1", "English"), 1, "English@0"},
        {Languages("2", ""), 1, "English,English@1"},
        {Languages("2", "English,Deutsch"), 1, "English,Deutsch@1"},
        {Languages("2", "English,japanese"), 1, "English,japanese@1"},
        {Languages("3", "English,Japanese,Korean"), 2, "English,Japanese,Korean@2"},
        {Languages("7", "a,Japanese,c,d,e,f,g"), 4, "a,Japanese,c,d,e@4"},
        {Languages("7", "a,b,c,d,e"), 6, "a,b,c,d,e@0"},
        {kTwoLanguages, 2, "English,Japanese@0+"},
        {kTwoLanguages, -1, "English,Japanese@0+"},
        {"[language]\ncount=2\nlang_0=English\nLANG_1=Japanese\n", 1, "English,Japanese@1+"}};
    for (const auto& [content, storedIndex, expected] : cases)
        EXPECT_EQ(Describe(Load(content, storedIndex)), expected) << content;
    EXPECT_EQ(Describe(LoadLanguage(Home() + "/none/LangJ.ini", 1)), "@0");
}

TEST(LegacyTextTest, MarksUndefinedBytesAndAcceptsOnlyStrictUtf8) {
    EXPECT_EQ(DecodeLegacyText("a\xA0z", LegacyCodePage::cp932), "a\xEF\xBF\xBDz");
    EXPECT_EQ(DecodeLegacyText("end\x83", LegacyCodePage::cp932), "end\xEF\xBF\xBD");
    EXPECT_EQ(DecodeLegacyText("\x81", LegacyCodePage::windows1252), "\xEF\xBF\xBD");
    EXPECT_EQ(DecodeLegacyText(std::string(3000, '\xE9'), LegacyCodePage::windows1252).size(),
              6000u);
    EXPECT_TRUE(IsValidUtf8("plain \xC3\xA9 \xE2\x9C\x93 \xF0\x9F\x8E\xA5"));
    for (const char* invalid :
         {"\xC0\x80", "\xE0\x80\x80", "\xED\xA0\x80", "\xF4\x90\x80\x80", "\xC3", "\x80"})
        EXPECT_FALSE(IsValidUtf8(invalid)) << invalid;
}

// The shipped file: Shift-JIS bytes, every localisable text in both languages, English equal to
// the original captions, Japanese equal to the readable source.
TEST(ShippedLanguageFileTest, IsShiftJisAndComplete) {
    const std::string shipped = std::string(TESSARO_BIN_DIR) + "/LangJ.ini";
    EXPECT_FALSE(IsValidUtf8(testing::ReadTextFile(shipped)));
    const auto source =
        ProfileFile::Load(std::string(TESSARO_SOURCE_DIR) + "/src/settings/LangJ.utf8.ini");
    const LanguageChoice english = LoadLanguage(shipped, 0), japanese = LoadLanguage(shipped, 1);
    ASSERT_TRUE(source);
    ASSERT_TRUE(english.section);
    ASSERT_TRUE(japanese.section);
    EXPECT_EQ(japanese.section->Name(), "Japanese");
    std::vector<std::pair<std::string, std::string>> keys = {{"Status1", "Stopped"},
                                                             {"Status2", "Completed"},
                                                             {"Status3", kDefaultFailedJobsText},
                                                             {"SelectDir", "Select Directory"}};
    for (const LocalisableName& entry : kLocalisableNames)
        if (!entry.englishCaption.empty()) keys.emplace_back(entry.name, entry.englishCaption);
    for (size_t c = 0; c < kJobListColumnCaptions.size(); ++c)
        keys.emplace_back("Columns" + std::to_string(c), kJobListColumnCaptions[c]);
    EXPECT_EQ(keys.size(), 46u);
    for (const auto& [key, caption] : keys) {
        EXPECT_EQ(english.section->Text(key), caption) << key;
        const std::optional<std::string> text = japanese.section->Text(key);
        ASSERT_TRUE(text) << key;
        EXPECT_EQ(*text, source->ReadValue("Japanese", key)) << key;
        EXPECT_NE(*text, caption) << key;
        EXPECT_EQ(text->find("\xEF\xBF\xBD"), std::string::npos) << key;
    }
    // The failed-jobs text keeps its two numbers in order: failed, then all.
    EXPECT_EQ(japanese.section->FailedJobsText(), "%d/%d 件失敗");
    EXPECT_EQ(FindLocalisableName("StatusBar1")->kind, LocalisableKind::statusBar);
    EXPECT_FALSE(FindLocalisableName("button1")) << "object names match exactly";
}

}  // namespace
}  // namespace tessaro
