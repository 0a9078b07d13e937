#include <gtest/gtest.h>

#include <QComboBox>
#include <QGroupBox>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>

#include "WindowTestSupport.h"
#include "settings/StatusTexts.h"

namespace tessaro::testing {
namespace {

// "エンコード" and "ファイル" in Shift-JIS, as the language file carries them.
const std::string kEncodeSjis = "\x83\x47\x83\x93\x83\x52\x81\x5B\x83\x68";
const std::string kFileSjis = "\x83\x74\x83\x40\x83\x43\x83\x8B";
const QString kEncodeJapanese = QStringLiteral("エンコード");
const QString kFileJapanese = QStringLiteral("ファイル");
const QString kCjkFace = QStringLiteral("Noto Sans CJK JP");

class LanguageWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetStoppedText("");
        SetCompletedText("");
    }

    std::string WriteLanguageFile(const std::string& text) {
        const std::string path = user.Path("home/LangJ.ini");
        WriteText(path, text);
        return path;
    }

    static QStringList Names(const QComboBox& selector) {
        QStringList names;
        for (int index = 0; index < selector.count(); ++index) {
            names.append(selector.itemText(index));
        }
        return names;
    }

    static QString ButtonText(const QWidget& form, const char* name) {
        return Control<QAbstractButton>(form, name)->text();
    }

    ScopedUser user;
};

const std::string kTwoLanguages =
    "[Language]\nCount=2\nLang_0=English\nLang_1=Japanese\n"
    "[English]\nButton2=Halt\nColumns3=Breadth\nStatus1=Halted\n"
    "[Japanese]\nButton1=" +
    kEncodeSjis + "\nTabSheet1=" + kFileSjis + "\nColumns0=" + kFileSjis + "\nItem0=" + kFileSjis +
    "\nStatus1=" + kEncodeSjis + "\nStatus2=\nSelectDir=" + kFileSjis + "\nButton6=\n";

TEST_F(LanguageWindowTest, JapaneseIsDecodedFromShiftJisAndApplied) {
    TMainForm form;
    form.LoadLanguage(1, WriteLanguageFile(kTwoLanguages));
    EXPECT_EQ(Names(*Control<QComboBox>(form, "ComboBox1")), QStringList({"English", "Japanese"}));
    EXPECT_EQ(Control<QComboBox>(form, "ComboBox1")->currentIndex(), 1);
    EXPECT_EQ(ButtonText(form, "Button1"), kEncodeJapanese);
    EXPECT_EQ(ButtonText(form, "Button6"), "") << "present but empty means empty";
    EXPECT_EQ(ButtonText(form, "Button2"), "Stop") << "absent keeps the built-in caption";
    EXPECT_EQ(Control<QTabWidget>(form, "PageControl1")->tabText(0), kFileJapanese);
    EXPECT_EQ(JobList(form)->headerItem()->text(0), kFileJapanese);
    EXPECT_EQ(JobList(form)->headerItem()->text(1), "Video Format");
    EXPECT_EQ(Control<QAction>(form, "Item0")->text(), kFileJapanese);
    EXPECT_EQ(QString::fromStdString(StoppedText()), kEncodeJapanese);
    EXPECT_EQ(CompletedText(), "");
    EXPECT_EQ(form.SelectDirCaption(), kFileJapanese);
}

TEST_F(LanguageWindowTest, JapaneseSwitchesTheCaptionedControlsToAJapaneseFace) {
    TMainForm form;
    form.LoadLanguage(1, WriteLanguageFile(kTwoLanguages));
    for (const char* name :
         {"Button1", "CheckBox2", "Label1", "GroupBox1", "StatusBar1", "ListView1"}) {
        EXPECT_TRUE(Control<QWidget>(form, name)->font().families().contains(kCjkFace)) << name;
    }
    EXPECT_TRUE(
        Control<QTabWidget>(form, "PageControl1")->tabBar()->font().families().contains(kCjkFace));
    // Only those exact kinds: a selector keeps its font.
    EXPECT_FALSE(Control<QComboBox>(form, "ComboBox4")->font().families().contains(kCjkFace));
    EXPECT_FALSE(Control<QWidget>(form, "Details")->font().families().contains(kCjkFace));
}

TEST_F(LanguageWindowTest, StoredIndexZeroAppliesEnglishWithDefaults) {
    TMainForm form;
    form.LoadLanguage(0, WriteLanguageFile(kTwoLanguages));
    EXPECT_EQ(Control<QComboBox>(form, "ComboBox1")->currentIndex(), 0);
    EXPECT_EQ(ButtonText(form, "Button2"), "Halt");
    EXPECT_EQ(ButtonText(form, "Button1"), "Encode");
    EXPECT_EQ(JobList(form)->headerItem()->text(3), "Breadth");
    EXPECT_EQ(StoppedText(), "Halted");
    EXPECT_EQ(CompletedText(), "Completed");
    EXPECT_EQ(form.SelectDirCaption(), "Select Directory");
    EXPECT_FALSE(Control<QWidget>(form, "Button1")->font().families().contains(kCjkFace));
}

TEST_F(LanguageWindowTest, StoredIndexOutOfRangeSelectsTheFirstLanguage) {
    TMainForm form;
    form.LoadLanguage(7, WriteLanguageFile(kTwoLanguages));
    EXPECT_EQ(Control<QComboBox>(form, "ComboBox1")->currentIndex(), 0);
    EXPECT_EQ(ButtonText(form, "Button2"), "Halt");
}

struct ListOnlyCase {
    const char* label;
    std::string file;
    QStringList names;
};

TEST_F(LanguageWindowTest, FilesThatDoNotQualifyOnlyListTheirNames) {
    const ListOnlyCase cases[] = {
        {"seven languages",
         "[Language]\nCount=7\nLang_0=English\nLang_1=Japanese\nLang_2=A\nLang_3=B\nLang_4=C\nLang_"
         "5=D\nLang_6=E\n"
         "[Japanese]\nButton1=" +
             kEncodeSjis + "\n",
         {"English", "Japanese", "A", "B", "C"}},
        {"one language",
         "[Language]\nCount=1\nLang_0=Japanese\n[Japanese]\nButton1=" + kEncodeSjis + "\n",
         {"Japanese"}},
        {"second is not Japanese",
         "[Language]\nCount=2\nLang_0=English\nLang_1=German\n[German]\nButton1=Los\n",
         {"English", "German"}},
        {"missing names default to English",
         "[Language]\nCount=2\nLang_1=Japanese\n",
         {"English", "Japanese"}},
    };
    for (const ListOnlyCase& testCase : cases) {
        SetStoppedText("");
        TMainForm form;
        form.LoadLanguage(1, WriteLanguageFile(testCase.file));
        EXPECT_EQ(Names(*Control<QComboBox>(form, "ComboBox1")), testCase.names) << testCase.label;
        if (testCase.names.size() != 2 || testCase.names[1] != "Japanese") {
            EXPECT_EQ(ButtonText(form, "Button1"), "Encode") << testCase.label;
            EXPECT_EQ(StoppedText(), "") << testCase.label;
            EXPECT_EQ(form.SelectDirCaption(), "") << testCase.label;
        }
    }
}

TEST_F(LanguageWindowTest, NoLanguageFileKeepsEnglishAndEmptyTexts) {
    TMainForm form;
    form.LoadLanguage(1, user.Path("home/absent.ini"));
    EXPECT_EQ(Names(*Control<QComboBox>(form, "ComboBox1")), QStringList({"English"}));
    EXPECT_EQ(ButtonText(form, "Button1"), "Encode");
    EXPECT_EQ(StoppedText(), "");
    EXPECT_EQ(CompletedText(), "");
    EXPECT_EQ(form.SelectDirCaption(), "");
}

TEST_F(LanguageWindowTest, ShippedFileTranslatesEveryCaptionIntoJapanese) {
    const std::string shipped = std::string(TESSARO_BIN_DIR) + "/LangJ.ini";
    TMainForm english;
    TMainForm form;
    form.LoadLanguage(1, shipped);
    EXPECT_EQ(Control<QComboBox>(form, "ComboBox1")->currentText(), "Japanese");
    for (const char* name : {"Button1", "Button2", "Button3", "Button4", "Button5", "Button6",
                             "CheckBox1", "CheckBox2", "CheckBox3", "CheckBox4"}) {
        const QString caption = ButtonText(form, name);
        EXPECT_NE(caption, ButtonText(english, name)) << name;
        EXPECT_FALSE(caption.contains(QChar::ReplacementCharacter)) << name;
    }
    for (const char* name : {"Label1", "Label2", "Label4", "Label5"}) {
        EXPECT_NE(Control<QLabel>(form, name)->text(), Control<QLabel>(english, name)->text())
            << name;
    }
    EXPECT_NE(Control<QGroupBox>(form, "GroupBox1")->title(), "Properties");
    EXPECT_FALSE(StoppedText().empty());
    EXPECT_FALSE(CompletedText().empty());
}

}  // namespace
}  // namespace tessaro::testing
