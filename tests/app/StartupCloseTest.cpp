#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFileInfo>
#include <QLabel>

#include "WindowTestSupport.h"
#include "platform/RegistryStore.h"
#include "settings/SettingsRegistry.h"

namespace tessaro::testing {
namespace {

class StartupCloseTest : public ::testing::Test {
protected:
    ScopedUser user;

    std::optional<std::string> Registry(const char* name) const {
        return platform::RegistryStore(platform::RegistryRoot::currentUser, user.Path("registry"))
            .ReadString(kSettingsKey, name);
    }

    static std::string ProgramFolderWithSlash() {
        return QCoreApplication::applicationDirPath().toStdString() + "/";
    }
};

TEST_F(StartupCloseTest, FirstStartRecordsVersionAndFolderAndWritesTheDesktopEntry) {
    TMainForm form;
    EXPECT_EQ(Registry(kVersionInfoValue), "1.2.1.2");
    EXPECT_EQ(Registry(kLastFolderValue), ProgramFolderWithSlash());
    EXPECT_EQ(form.ProgramVersion(), "1.2.1.2");
    const std::string entry = ReadText(user.DesktopEntry());
    EXPECT_NE(entry.find("Comment=Tessaro Video Encoder"), std::string::npos) << entry;
    EXPECT_NE(entry.find(QCoreApplication::applicationFilePath().toStdString()), std::string::npos)
        << entry;
}

TEST_F(StartupCloseTest, SecondStartFromTheSameFolderWritesNothing) {
    { TMainForm first; }
    const std::string registryBefore = ReadText(user.RegistryFile());
    ASSERT_TRUE(QFile::remove(QString::fromStdString(user.DesktopEntry())));
    { TMainForm second; }
    EXPECT_EQ(ReadText(user.RegistryFile()), registryBefore);
    EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(user.DesktopEntry())))
        << "an entry the user removed stays removed";
}

TEST_F(StartupCloseTest, MovedProgramRewritesOnlyTheFolderAndTheEntry) {
    { TMainForm first; }
    platform::RegistryStore store(platform::RegistryRoot::currentUser, user.Path("registry"));
    ASSERT_TRUE(store.WriteValue(kSettingsKey, kLastFolderValue, std::string("/opt/old-place/")));
    ASSERT_TRUE(store.WriteValue(kSettingsKey, kVersionInfoValue, std::string("1.2.1.2")));
    ASSERT_TRUE(QFile::remove(QString::fromStdString(user.DesktopEntry())));
    { TMainForm moved; }
    EXPECT_EQ(Registry(kLastFolderValue), ProgramFolderWithSlash());
    EXPECT_EQ(Registry(kVersionInfoValue), "1.2.1.2");
    EXPECT_TRUE(QFileInfo::exists(QString::fromStdString(user.DesktopEntry())));
}

TEST_F(StartupCloseTest, ProfileEdgeCasesReadAndWrittenBack) {
    WriteText(user.ProfileFile(),
              "; "
              "kept\n[Other]\nKey=value\n[config]\nOutputFolder=\nFileDetails="
              "5\nUnsupportFormatEncoding=1\n"
              "ShowEncodingConsole=0\nVideoBitrate=3\nCopyTo=1\nDeviceSerial=2\nfiledetails=0\n");
    {
        TMainForm form;
        EXPECT_TRUE(Control<QCheckBox>(form, "CheckBox2")->isChecked());
        EXPECT_TRUE(Control<QCheckBox>(form, "CheckBox4")->isChecked());
        EXPECT_FALSE(Control<QCheckBox>(form, "CheckBox5")->isChecked());
        EXPECT_TRUE(Control<QCheckBox>(form, "CheckBox3")->isChecked());
        EXPECT_TRUE(Control<QComboBox>(form, "ComboBox3")->isEnabled());
        EXPECT_EQ(Control<QComboBox>(form, "ComboBox2")->currentIndex(), 3);
        EXPECT_EQ(Control<QComboBox>(form, "ComboBox4")->currentIndex(), -1);
        EXPECT_EQ(Control<QLabel>(form, "OutPath")->text(), user.QPath("home"))
            << "documents fall back to home";
        form.show();
        EXPECT_EQ(form.width(), TMainForm::kWidthWithDetails);
        EXPECT_TRUE(form.close());
    }
    const std::string saved = ReadText(user.ProfileFile());
    for (const char* line :
         {"FileDetails=1", "UnsupportFormatEncoding=1", "ShowEncodingConsole=0", "VideoBitrate=3",
          "CopyTo=1", "DeviceSerial=-1", "LanguageValue=0", "[Other]", "Key=value", "; kept"}) {
        EXPECT_NE(saved.find(line), std::string::npos) << line << " in\n" << saved;
    }
    EXPECT_NE(saved.find("OutputFolder=" + user.Path("home")), std::string::npos) << saved;
}

TEST_F(StartupCloseTest, AVolumeThatIsGoneIsNotReplacedByAnother) {
    WriteText(user.ProfileFile(),
              "[Config]\nCopyTo=1\nDriveIndex=0\nDriveMountPoint=/media/player-unplugged\n");
    TMainForm form;
    auto* drives = Control<QComboBox>(form, "ComboBox3");
    ASSERT_GT(drives->count(), 0) << "the root volume is always listed";
    EXPECT_EQ(drives->currentIndex(), -1);
    EXPECT_TRUE(form.close());
    const std::string saved = ReadText(user.ProfileFile());
    EXPECT_NE(saved.find("DriveIndex=-1"), std::string::npos) << saved;
}

TEST_F(StartupCloseTest, ChosenVolumeIsStoredWithItsMountPoint) {
    const QString root = QStringLiteral("/");
    {
        TMainForm form;
        auto* drives = Control<QComboBox>(form, "ComboBox3");
        const int index = drives->findText(root);
        ASSERT_GE(index, 0);
        drives->setCurrentIndex(index);
        EXPECT_TRUE(form.close());
    }
    EXPECT_NE(ReadText(user.ProfileFile()).find("DriveMountPoint=/\n"), std::string::npos)
        << ReadText(user.ProfileFile());
    TMainForm again;
    EXPECT_EQ(Control<QComboBox>(again, "ComboBox3")->currentText(), root);
}

TEST_F(StartupCloseTest, OptionsSurviveARestart) {
    const std::string output = user.Path("home/out");
    {
        TMainForm form;
        form.show();
        Control<QCheckBox>(form, "CheckBox4")->click();
        Control<QCheckBox>(form, "CheckBox2")->click();
        Control<QComboBox>(form, "ComboBox2")->setCurrentIndex(12);
        Control<QLabel>(form, "OutPath")->setText(QString::fromStdString(output));
        EXPECT_TRUE(form.close());
    }
    TMainForm again;
    EXPECT_TRUE(Control<QCheckBox>(again, "CheckBox4")->isChecked());
    EXPECT_TRUE(Control<QCheckBox>(again, "CheckBox2")->isChecked());
    EXPECT_EQ(Control<QComboBox>(again, "ComboBox2")->currentText(), "3000");
    EXPECT_EQ(Control<QLabel>(again, "OutPath")->text().toStdString(), output);
}

TEST_F(StartupCloseTest, CloseSavesTheProfileAndDeletesTheScript) {
    WriteText(user.ScriptFile(), "echo left over\n");
    WriteText(user.Path("temp/2.txt"), "tool log\n");
    {
        TMainForm form;
        form.show();
        EXPECT_TRUE(form.close());
    }
    EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(user.ScriptFile())));
    EXPECT_TRUE(QFileInfo::exists(user.QPath("temp/2.txt")));
    EXPECT_NE(ReadText(user.ProfileFile()).find("[Config]"), std::string::npos);
}

}  // namespace
}  // namespace tessaro::testing
