#include "settings/LanguageFile.h"

#include <gtest/gtest.h>

#include <thread>

#include "ScratchHome.h"
#include "settings/LegacyText.h"
#include "settings/LocalisableNames.h"
#include "settings/ProfileFile.h"
#include "settings/StatusTexts.h"

namespace tessaro {
namespace {

// Shift-JIS bytes of "エンコード", "停止" and "表示" (whose second byte is a backslash).
constexpr char kEncodeSjis[] = "\x83\x47\x83\x93\x83\x52\x81\x5B\x83\x68";
constexpr char kStopSjis[] = "\x92\xE2\x8E\x7E";
constexpr char kShowSjis[] = "\x95\x5C\x8E\xA6";

const std::string kTwoLanguages = "[Language]\nCount=2\nLang_0=English\nLang_1=Japanese\n";

class LanguageFileTest : public testing::ScratchHome {
protected:
    LanguageChoice Load(const std::string& content, int storedIndex) {
        const std::string path = Home() + "/LangJ.ini";
        testing::WriteFile(path, content);
        return LoadLanguage(path, storedIndex);
    }
};

TEST_F(LanguageFileTest, JapaneseIsDecodedFromShiftJis) {
    const LanguageChoice choice =
        Load(kTwoLanguages + "[Japanese]\nButton1=" + kEncodeSjis + "\nButton2=" + kStopSjis +
                 "\nColumns0=" + kShowSjis + "\nStatus1=" + kStopSjis + "\n",
             1);
    EXPECT_EQ(choice.names, (std::vector<std::string>{"English", "Japanese"}));
    EXPECT_EQ(choice.selectedIndex, 1);
    ASSERT_TRUE(choice.section);
    EXPECT_EQ(choice.section->Charset(), kShiftJisCharset);
    EXPECT_EQ(choice.section->Caption("Button1", "Encode"), "エンコード");
    EXPECT_EQ(choice.section->Caption("Button2", "Stop"), "停止");
    EXPECT_EQ(choice.section->Caption("Button3", "Add Files..."), "Add Files...");
    EXPECT_EQ(choice.section->ColumnCaption(0, "File Name"), "表示");
    EXPECT_EQ(choice.section->ColumnCaption(1, "Video Format"), "Video Format");
    EXPECT_EQ(choice.section->StoppedText(), "停止");
    EXPECT_EQ(choice.section->CompletedText(), "Completed");
    EXPECT_EQ(choice.section->SelectDirCaption(), "Select Directory");
}

TEST_F(LanguageFileTest, EnglishKeepsOriginalCaptionsAndDefaultTexts) {
    const LanguageChoice choice =
        Load(kTwoLanguages + "[English]\nButton1=\nbutton2=Halt\nSelectDir=\n", 0);
    ASSERT_TRUE(choice.section);
    EXPECT_EQ(choice.selectedIndex, 0);
    EXPECT_EQ(choice.section->Charset(), kDefaultCharset);
    EXPECT_EQ(choice.section->Caption("Button1", "Encode"), "");
    EXPECT_EQ(choice.section->Caption("Button2", "Stop"), "Halt");
    EXPECT_EQ(choice.section->Caption("Button6", "Exit"), "Exit");
    EXPECT_EQ(choice.section->StoppedText(), "Stopped");
    EXPECT_EQ(choice.section->CompletedText(), "Completed");
    EXPECT_EQ(choice.section->SelectDirCaption(), "");
}

TEST_F(LanguageFileTest, OnlyEnglishPlusJapaneseFilesAreApplied) {
    const struct {
        const char* why;
        std::string content;
        int storedIndex;
        std::vector<std::string> names;
        int selected;
        bool applied;
    } cases[] = {
        {"no Count", "[Language]\nLang_0=English\n", 1, {}, 0, false},
        {"Count 0", "[Language]\nCount=0\n", 1, {}, 0, false},
        {"Count not a number", "[Language]\nCount=two\n", 1, {}, 0, false},
        {"Count negative", "[Language]\nCount=-2\n", 1, {}, 0, false},
        {"Count 1", "[Language]\nCount=1\nLang_0=English\n", 1, {"English"}, 0, false},
        {"names missing", "[Language]\nCount=2\n", 1, {"English", "English"}, 1, false},
        {"second not Japanese",
         "[Language]\nCount=2\nLang_0=English\nLang_1=Deutsch\n",
         1,
         {"English", "Deutsch"},
         1,
         false},
        {"case differs",
         "[Language]\nCount=2\nLang_0=English\nLang_1=japanese\n",
         1,
         {"English", "japanese"},
         1,
         false},
        {"three languages",
         "[Language]\nCount=3\nLang_0=English\nLang_1=Japanese\nLang_2=Korean\n",
         2,
         {"English", "Japanese", "Korean"},
         2,
         false},
        {"seven languages",
         "[Language]\nCount=7\nLang_0=a\nLang_1=Japanese\nLang_2=c\nLang_3=d\nLang_4=e\nLang_5=f\n"
         "Lang_6=g\n",
         4,
         {"a", "Japanese", "c", "d", "e"},
         4,
         false},
        {"stored index beyond the listed names",
         "[Language]\nCount=7\nLang_0=a\nLang_1=b\nLang_2=c\nLang_3=d\nLang_4=e\n",
         6,
         {"a", "b", "c", "d", "e"},
         0,
         false},
        {"stored index too large", kTwoLanguages, 2, {"English", "Japanese"}, 0, true},
        {"stored index negative", kTwoLanguages, -1, {"English", "Japanese"}, 0, true},
        {"section names ignore case",
         "[language]\ncount=2\nlang_0=English\nLANG_1=Japanese\n",
         1,
         {"English", "Japanese"},
         1,
         true},
    };
    for (const auto& c : cases) {
        const LanguageChoice choice = Load(c.content, c.storedIndex);
        EXPECT_EQ(choice.names, c.names) << c.why;
        EXPECT_EQ(choice.selectedIndex, c.selected) << c.why;
        EXPECT_EQ(choice.section.has_value(), c.applied) << c.why;
    }
    const LanguageChoice absent = LoadLanguage(Home() + "/none/LangJ.ini", 1);
    EXPECT_TRUE(absent.names.empty());
    EXPECT_FALSE(absent.section);
}

TEST_F(LanguageFileTest, OtherSectionsAreUtf8OrWindows1252) {
    const LanguageChoice utf8 = Load(kTwoLanguages + "[English]\nButton1=Encodé ✓\n", 0);
    ASSERT_TRUE(utf8.section);
    EXPECT_EQ(utf8.section->Caption("Button1", ""), "Encodé ✓");
    const LanguageChoice western =
        Load(kTwoLanguages + "[English]\nButton1=Encod\xE9\nButton2=\x80 5\n", 0);
    ASSERT_TRUE(western.section);
    EXPECT_EQ(western.section->Caption("Button1", ""), "Encodé");
    EXPECT_EQ(western.section->Caption("Button2", ""), "€ 5");
}

TEST(LegacyTextTest, DecodesAndMarksUndefinedBytes) {
    EXPECT_EQ(DecodeLegacyText(kEncodeSjis, LegacyCodePage::cp932), "エンコード");
    EXPECT_EQ(DecodeLegacyText("\x93\xFA\x96\x7B\x8C\xEA", LegacyCodePage::cp932), "日本語");
    EXPECT_EQ(DecodeLegacyText("a\xA0z", LegacyCodePage::cp932), "a\xEF\xBF\xBDz");
    EXPECT_EQ(DecodeLegacyText("end\x83", LegacyCodePage::cp932), "end\xEF\xBF\xBD");
    EXPECT_EQ(DecodeLegacyText("\x81", LegacyCodePage::windows1252), "\xEF\xBF\xBD");
    EXPECT_EQ(DecodeLegacyText(std::string(3000, '\xE9'), LegacyCodePage::windows1252).size(),
              6000u);
}

TEST(LegacyTextTest, RecognisesStrictUtf8) {
    const struct {
        const char* bytes;
        bool valid;
    } cases[] = {
        {"plain", true},         {"\xC3\xA9", true},
        {"\xE2\x9C\x93", true},  {"\xF0\x9F\x8E\xA5", true},
        {"\xC0\x80", false},     {"\xE0\x80\x80", false},
        {"\xED\xA0\x80", false}, {"\xF4\x90\x80\x80", false},
        {"\xC3", false},         {"\x80", false},
        {"\xE9t\xE9", false},
    };
    for (const auto& c : cases) EXPECT_EQ(IsValidUtf8(c.bytes), c.valid) << c.bytes;
}

TEST(LocalisableNamesTest, MatchesObjectNamesExactly) {
    ASSERT_TRUE(FindLocalisableName("UpdateButton"));
    EXPECT_EQ(FindLocalisableName("UpdateButton")->englishCaption, "&Run update check now...");
    EXPECT_EQ(FindLocalisableName("StatusBar1")->kind, LocalisableKind::statusBar);
    EXPECT_FALSE(FindLocalisableName("button1"));
    EXPECT_FALSE(FindLocalisableName("Label3"));
    EXPECT_FALSE(FindLocalisableName("SpeedButton1"));
}

TEST(StatusTextsTest, StartEmptyAndAreSharedBetweenThreads) {
    EXPECT_EQ(StoppedText(), "");
    EXPECT_EQ(CompletedText(), "");
    std::thread writer([] {
        SetStoppedText("中止しました");
        SetCompletedText("完了しました");
    });
    writer.join();
    EXPECT_EQ(StoppedText(), "中止しました");
    EXPECT_EQ(CompletedText(), "完了しました");
    SetStoppedText("");
    SetCompletedText("");
}

// The shipped file: Shift-JIS bytes, every localisable text in both languages,
// English equal to the original captions, Japanese equal to the readable source.
class ShippedLanguageFileTest : public ::testing::Test {
protected:
    static std::vector<std::pair<std::string, std::string>> Keys() {
        std::vector<std::pair<std::string, std::string>> keys;
        for (const LocalisableName& entry : kLocalisableNames)
            if (!entry.englishCaption.empty()) keys.emplace_back(entry.name, entry.englishCaption);
        for (size_t c = 0; c < kJobListColumnCaptions.size(); ++c)
            keys.emplace_back("Columns" + std::to_string(c), kJobListColumnCaptions[c]);
        keys.emplace_back("Status1", "Stopped");
        keys.emplace_back("Status2", "Completed");
        keys.emplace_back("SelectDir", "Select Directory");
        return keys;
    }
    const std::string shipped_ = std::string(TESSARO_BIN_DIR) + "/LangJ.ini";
    const std::string source_ = std::string(TESSARO_SOURCE_DIR) + "/src/settings/LangJ.utf8.ini";
};

TEST_F(ShippedLanguageFileTest, IsShiftJisAndComplete) {
    const std::string bytes = testing::ReadFile(shipped_);
    ASSERT_FALSE(bytes.empty());
    EXPECT_FALSE(IsValidUtf8(bytes));
    const std::optional<ProfileFile> source = ProfileFile::Load(source_);
    ASSERT_TRUE(source);
    const LanguageChoice english = LoadLanguage(shipped_, 0);
    const LanguageChoice japanese = LoadLanguage(shipped_, 1);
    ASSERT_TRUE(english.section);
    ASSERT_TRUE(japanese.section);
    EXPECT_EQ(japanese.section->Name(), "Japanese");
    EXPECT_EQ(Keys().size(), 44u);
    for (const auto& [key, caption] : Keys()) {
        EXPECT_EQ(english.section->Text(key), caption) << key;
        const std::optional<std::string> text = japanese.section->Text(key);
        ASSERT_TRUE(text) << key;
        EXPECT_EQ(*text, source->ReadValue("Japanese", key)) << key;
        EXPECT_NE(*text, caption) << key;
        EXPECT_EQ(text->find("\xEF\xBF\xBD"), std::string::npos) << key;
    }
    EXPECT_EQ(japanese.section->Caption("Button1", ""), "エンコード");
    EXPECT_EQ(japanese.section->CompletedText(), "完了しました");
}

}  // namespace
}  // namespace tessaro
