#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTcpServer>
#include <thread>

#include "WindowTestSupport.h"
#include "encode/JobsAtOnce.h"
#include "platform/RegistryStore.h"
#include "settings/SettingsRegistry.h"
#include "settings/StatusTexts.h"

namespace tessaro::testing {
namespace {

class StartupCloseTest : public ::testing::Test {
protected:
    std::optional<std::string> Registry(const char* name) const {
        return store.ReadString(kSettingsKey, name);
    }

    ScopedUser user;
    platform::RegistryStore store{platform::RegistryRoot::currentUser, user.Path("registry")};
};

TEST_F(StartupCloseTest, RegistryAndDesktopEntryOnFirstSecondAndMovedStart) {
    const std::string folder = QCoreApplication::applicationDirPath().toStdString() + "/";
    {
        TMainForm first;
        EXPECT_EQ(Control<QLabel>(first, "VersionLabel")->text(),
                  "Version " TESSARO_EXPECTED_VERSION);
    }
    EXPECT_EQ(Registry(kVersionInfoValue), TESSARO_EXPECTED_VERSION);
    EXPECT_EQ(Registry(kLastFolderValue), folder);
    const std::string entry = ReadText(user.DesktopEntry().toStdString());
    EXPECT_THAT(entry, HasSubstr("Comment=Tessaro Video Encoder"));
    EXPECT_THAT(entry, HasSubstr(QCoreApplication::applicationFilePath().toStdString()));

    const std::string registryBefore = ReadText(user.Path("registry/HKEY_CURRENT_USER.reg"));
    ASSERT_TRUE(QFile::remove(user.DesktopEntry()));
    { TMainForm second; }
    EXPECT_EQ(ReadText(user.Path("registry/HKEY_CURRENT_USER.reg")), registryBefore);
    EXPECT_FALSE(QFileInfo::exists(user.DesktopEntry())) << "a removed entry stays removed";

    ASSERT_TRUE(store.WriteValue(kSettingsKey, kLastFolderValue, std::string("/opt/old/")));
    { TMainForm moved; }
    EXPECT_EQ(Registry(kLastFolderValue), folder);
    EXPECT_EQ(Registry(kVersionInfoValue), TESSARO_EXPECTED_VERSION);
    EXPECT_TRUE(QFileInfo::exists(user.DesktopEntry()));
}

TEST_F(StartupCloseTest, ProfileEdgeCasesReadAndWrittenBack) {
    WriteText(user.ProfileFile(),
              "; kept\n[Other]\nKey=value\n[config]\nOutputFolder=\nFileDetails=5\nCopyTo=1\n"
              "UnsupportFormatEncoding=1\nShowEncodingConsole=0\nVideoBitrate=3\nDeviceSerial=2\n"
              "filedetails=0\nDriveIndex=0\nDriveMountPoint=/media/player-unplugged\n"
              "JobsAtOnce=4096\n");
    {
        TMainForm form;
        for (const char* name : {"CheckBox2", "CheckBox3", "CheckBox4"})
            EXPECT_TRUE(Button(form, name)->isChecked()) << name;
        EXPECT_EQ(Combo(form, "ComboBox2")->currentIndex(), 3);
        EXPECT_EQ(Combo(form, "ComboBox4")->currentIndex(), -1);
        EXPECT_TRUE(Combo(form, "ComboBox3")->isEnabled());
        ASSERT_GT(Combo(form, "ComboBox3")->count(), 0) << "root is always listed";
        EXPECT_EQ(Combo(form, "ComboBox3")->currentIndex(), -1) << "a gone volume stays unchosen";
        EXPECT_EQ(Combo(form, "ComboBox5")->currentText(), "Auto") << "more jobs than cores";
        EXPECT_EQ(Control<QLabel>(form, "OutPath")->text(), user.QPath("home"))
            << "documents fall back to home";
        form.show();
        EXPECT_EQ(form.width(), TMainForm::kWidthWithDetails);
        EXPECT_TRUE(form.close());
    }
    const std::string saved = ReadText(user.ProfileFile());
    for (const std::string& line : std::vector<std::string>{
             "FileDetails=1", "UnsupportFormatEncoding=1", "ShowEncodingConsole=0",
             "VideoBitrate=3", "CopyTo=1", "DeviceSerial=-1", "DriveIndex=-1", "LanguageValue=0",
             "JobsAtOnce=0", "[Other]", "Key=value", "; kept", "OutputFolder=" + user.Path("home")})
        EXPECT_THAT(saved, HasSubstr(line));
}

TEST_F(StartupCloseTest, ChosenVolumeAndJobsAtOnceSurviveARestart) {
    const int cores = std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
    {
        TMainForm form;
        EXPECT_EQ(form.JobsAtOnceSetting(), kJobsAtOnceAuto) << "a first start";
        QStringList entries{"Auto"};
        for (int count = 1; count <= cores; ++count) entries.append(QString::number(count));
        QComboBox* jobs = Combo(form, "ComboBox5");
        for (int index = 0; index < jobs->count(); ++index)
            EXPECT_EQ(jobs->itemText(index), entries.value(index)) << index;
        EXPECT_EQ(jobs->count(), entries.size());
        form.show();
        Combo(form, "ComboBox3")->setCurrentIndex(Combo(form, "ComboBox3")->findText("/"));
        jobs->setCurrentIndex(cores);
        EXPECT_TRUE(form.close());
    }
    const std::string saved = ReadText(user.ProfileFile());
    EXPECT_THAT(saved, HasSubstr("DriveMountPoint=/\n"));
    EXPECT_THAT(saved, HasSubstr("JobsAtOnce=" + std::to_string(cores) + "\n"));
    TMainForm again;
    EXPECT_EQ(Combo(again, "ComboBox3")->currentText(), "/");
    EXPECT_EQ(again.JobsAtOnceSetting(), cores);
}

// "エンコード" and "ファイル" in Shift-JIS, as the language file carries them.
const std::string kEncodeSjis = "\x83\x47\x83\x93\x83\x52\x81\x5B\x83\x68";
const std::string kFileSjis = "\x83\x74\x83\x40\x83\x43\x83\x8B";
const std::string kTwoLanguages =
    "[Language]\nCount=2\nLang_0=English\nLang_1=Japanese\n[English]\nButton2=Halt\n"
    "Columns3=Breadth\nStatus1=Halted\n[Japanese]\nStatus2=\nButton6=\nButton1=" +
    kEncodeSjis + "\nStatus1=" + kEncodeSjis + "\nColumns0=" + kFileSjis +
    "\nSelectDir=" + kFileSjis + "\n";

class LanguageWindowTest : public ::testing::Test {
protected:
    // Loads the text (empty: no file at all); returns the names the selector lists.
    QStringList Load(TMainForm& form, int storedIndex, const std::string& text) {
        SetStoppedText("");
        SetCompletedText("");
        const std::string path = user.Path(text.empty() ? "home/absent.ini" : "home/LangJ.ini");
        if (!text.empty()) WriteText(path, text);
        form.LoadLanguage(storedIndex, path);
        QStringList names;
        for (int index = 0; index < Combo(form, "ComboBox1")->count(); ++index)
            names.append(Combo(form, "ComboBox1")->itemText(index));
        return names;
    }

    static bool HasCjkFace(const QWidget* widget) {
        return widget->font().families().contains(QStringLiteral("Noto Sans CJK JP"));
    }

    ScopedUser user;
};

TEST_F(LanguageWindowTest, JapaneseIsDecodedFromShiftJisAndApplied) {
    TMainForm form;
    EXPECT_EQ(Load(form, 1, kTwoLanguages), QStringList({"English", "Japanese"}));
    EXPECT_EQ(Combo(form, "ComboBox1")->currentIndex(), 1);
    EXPECT_EQ(Button(form, "Button1")->text(), QStringLiteral("エンコード"));
    EXPECT_EQ(Button(form, "Button6")->text(), "") << "present but empty means empty";
    EXPECT_EQ(Button(form, "Button2")->text(), "Stop") << "absent keeps the built-in caption";
    EXPECT_EQ(JobList(form)->headerItem()->text(0), QStringLiteral("ファイル"));
    EXPECT_EQ(QString::fromStdString(StoppedText()), QStringLiteral("エンコード"));
    EXPECT_EQ(CompletedText(), "");
    EXPECT_EQ(form.SelectDirCaption(), QStringLiteral("ファイル"));
    for (const char* name : {"Button1", "CheckBox2", "Label1", "GroupBox1", "StatusBar1"})
        EXPECT_TRUE(HasCjkFace(Control(form, name))) << name;
    EXPECT_FALSE(HasCjkFace(Control(form, "ComboBox4"))) << "a selector keeps its font";
}

TEST_F(LanguageWindowTest, StoredIndexZeroOrOutOfRangeAppliesEnglishWithDefaults) {
    for (const int storedIndex : {0, 7}) {
        TMainForm form;
        Load(form, storedIndex, kTwoLanguages);
        EXPECT_EQ(Combo(form, "ComboBox1")->currentIndex(), 0) << storedIndex;
        EXPECT_EQ(Button(form, "Button2")->text(), "Halt");
        EXPECT_EQ(Button(form, "Button1")->text(), "Encode");
        EXPECT_EQ(JobList(form)->headerItem()->text(3), "Breadth");
        EXPECT_EQ(StoppedText(), "Halted");
        EXPECT_EQ(CompletedText(), "Completed");
        EXPECT_EQ(form.SelectDirCaption(), "Select Directory");
        EXPECT_FALSE(HasCjkFace(Control(form, "Button1")));
    }
}

TEST_F(LanguageWindowTest, FilesThatDoNotQualifyOnlyListTheirNames) {
    const std::string japanese = "[Japanese]\nButton1=" + kEncodeSjis + "\n";
    const std::pair<std::string, QStringList> cases[] = {
        {"[Language]\nCount=7\nLang_0=English\nLang_1=Japanese\nLang_2=A\nLang_3=B\nLang_4=C\n"
         "Lang_5=D\nLang_6=E\n" +
             japanese,
         {"English", "Japanese", "A", "B", "C"}},
        {"[Language]\nCount=1\nLang_0=Japanese\n" + japanese, {"Japanese"}},
        {"[Language]\nCount=2\nLang_0=English\nLang_1=German\n[German]\nButton1=Los\n",
         {"English", "German"}},
        {"", {"English"}},
        {"[Language]\nCount=2\nLang_1=Japanese\n", {"English", "Japanese"}}};  // English by default
    for (const auto& [file, names] : cases) {
        TMainForm form;
        EXPECT_EQ(Load(form, 1, file), names) << file;
        if (names.size() == 2 && names[1] == "Japanese") continue;  // qualifies: nothing to apply
        EXPECT_EQ(Button(form, "Button1")->text(), "Encode") << file;
        EXPECT_EQ(StoppedText(), "") << file;
        EXPECT_EQ(form.SelectDirCaption(), "") << file;
    }
}

// A server that takes the connection and never answers: the check would wait
// for its stall bound, which the user need not sit out.
TEST(UpdateCheckWindowTest, ACheckThatHangsCanBeCancelledAndTheButtonChecksAgain) {
    ScopedUser user;
    const ScopedEnv locale("LC_ALL", "C.UTF-8");
    QTcpServer silent;
    ASSERT_TRUE(silent.listen(QHostAddress::LocalHost));
    QSignalSpy connections(&silent, &QTcpServer::newConnection);
    const std::string server = "http://127.0.0.1:" + std::to_string(silent.serverPort());
    const ScopedEnv updateServer("TESSARO_UPDATE_SERVER", server.c_str());
    TMainForm form;
    QAbstractButton* update = Button(form, "UpdateButton");
    const QString caption = update->text();
    for (int check = 1; check <= 2; ++check) {
        update->click();
        ASSERT_TRUE(connections.count() >= check || connections.wait(5000)) << check;
        EXPECT_EQ(update->text(), QString::fromLatin1(kUpdateCheckCancelCaption));
        update->click();
        EXPECT_EQ(update->text(), caption) << "cancelled";
        EXPECT_TRUE(update->isEnabled());
    }
}

}  // namespace
}  // namespace tessaro::testing
