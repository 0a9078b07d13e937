#include "settings/ProfileSettings.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "ScratchHome.h"

namespace tessaro {
namespace {

class ProfileSettingsTest : public testing::ScratchHome {
protected:
    void SetUp() override {
        ScratchHome::SetUp();
        folder_ = Home() + "/appdata";
        documents_ = Home() + "/Dokumente";
        std::filesystem::create_directories(documents_);
        testing::WriteFile(Home() + "/config/user-dirs.dirs",
                           "XDG_DOCUMENTS_DIR=\"$HOME/Dokumente\"\n");
    }
    std::string ProfileText() const { return testing::ReadFile(ProfilePath(folder_)); }
    void WriteProfile(const std::string& text) const {
        testing::WriteFile(ProfilePath(folder_), text);
    }

    std::string folder_;
    std::string documents_;
};

TEST_F(ProfileSettingsTest, MissingFileGivesDefaultsAndTheDocumentsFolder) {
    const ProfileSettings settings = LoadProfile(folder_);
    EXPECT_EQ(settings.outputFolder, documents_);
    EXPECT_FALSE(settings.fileDetails);
    EXPECT_FALSE(settings.unsupportFormatEncoding);
    EXPECT_FALSE(settings.showEncodingConsole);
    EXPECT_EQ(settings.videoBitrate, 0);
    EXPECT_FALSE(settings.copyTo);
    EXPECT_EQ(settings.driveIndex, 0);
    EXPECT_EQ(settings.deviceSerial, 0);
    EXPECT_EQ(settings.languageValue, 1);
    std::filesystem::remove(Home() + "/config/user-dirs.dirs");
    EXPECT_EQ(LoadProfile(folder_).outputFolder, Home());
}

TEST_F(ProfileSettingsTest, SavesTheKeysInTheirOrderAndReadsThemBack) {
    ProfileSettings settings;
    settings.outputFolder = "/media/converted";
    settings.fileDetails = true;
    settings.unsupportFormatEncoding = true;
    settings.showEncodingConsole = false;
    settings.videoBitrate = 12;
    settings.copyTo = true;
    settings.driveIndex = 22;
    settings.deviceSerial = -1;
    settings.languageValue = 0;
    settings.driveMountPoint = "/media/usb";
    ASSERT_TRUE(SaveProfile(folder_, settings));
    EXPECT_EQ(ProfileText(),
              "[Config]\nOutputFolder=/media/converted\nFileDetails=1\nUnsupportFormatEncoding=1\n"
              "ShowEncodingConsole=0\nVideoBitrate=12\nCopyTo=1\nDriveIndex=22\nDeviceSerial=-1\n"
              "LanguageValue=0\nDriveMountPoint=/media/usb\n");
    const ProfileSettings read = LoadProfile(folder_);
    EXPECT_EQ(read.outputFolder, settings.outputFolder);
    EXPECT_EQ(read.fileDetails, settings.fileDetails);
    EXPECT_EQ(read.unsupportFormatEncoding, settings.unsupportFormatEncoding);
    EXPECT_EQ(read.showEncodingConsole, settings.showEncodingConsole);
    EXPECT_EQ(read.videoBitrate, settings.videoBitrate);
    EXPECT_EQ(read.copyTo, settings.copyTo);
    EXPECT_EQ(read.driveIndex, settings.driveIndex);
    EXPECT_EQ(read.deviceSerial, settings.deviceSerial);
    EXPECT_EQ(read.languageValue, settings.languageValue);
    EXPECT_EQ(read.driveMountPoint, settings.driveMountPoint);
}

TEST_F(ProfileSettingsTest, EdgeValuesReadAndWriteBackNormalised) {
    WriteProfile(
        "[config]\nfiledetails=5\nDeviceSerial=2\nOutputFolder=\nVideoBitrate=fast\n"
        "COPYTO=-3\n");
    ProfileSettings settings = LoadProfile(folder_);
    EXPECT_TRUE(settings.fileDetails);
    EXPECT_TRUE(settings.copyTo);
    EXPECT_EQ(settings.deviceSerial, 2);
    EXPECT_EQ(settings.outputFolder, documents_);
    EXPECT_EQ(settings.videoBitrate, 0);
    EXPECT_EQ(settings.languageValue, 1);
    // The device selector holds one item, so index 2 leaves it without a selection.
    settings.deviceSerial = FitSelectorIndex(settings.deviceSerial, 1);
    ASSERT_TRUE(SaveProfile(folder_, settings));
    const std::string text = ProfileText();
    EXPECT_NE(text.find("filedetails=1\n"), std::string::npos) << text;
    EXPECT_NE(text.find("DeviceSerial=-1\n"), std::string::npos) << text;
    EXPECT_NE(text.find("COPYTO=1\n"), std::string::npos) << text;
    EXPECT_NE(text.find("OutputFolder=" + documents_ + "\n"), std::string::npos) << text;
}

TEST_F(ProfileSettingsTest, FitSelectorIndex) {
    const struct {
        int stored, items, shown;
    } cases[] = {{0, 1, 0}, {2, 1, -1}, {-1, 1, -1}, {22, 23, 22}, {23, 23, -1}, {0, 0, -1}};
    for (const auto& c : cases)
        EXPECT_EQ(FitSelectorIndex(c.stored, c.items), c.shown) << c.stored << " of " << c.items;
}

TEST_F(ProfileSettingsTest, KeepsForeignContent) {
    const std::string foreign =
        "; written by hand\n[Window]\nLeft=10\n\n[Config]\nOutputFolder=/old\nTheme=dark\n\n"
        "[Recent]\nFile0=/a.mkv\n";
    WriteProfile(foreign);
    ProfileSettings settings = LoadProfile(folder_);
    settings.outputFolder = "/new";
    ASSERT_TRUE(SaveProfile(folder_, settings));
    EXPECT_EQ(ProfileText(),
              "; written by hand\n[Window]\nLeft=10\n\n[Config]\nOutputFolder=/new\nTheme=dark\n"
              "FileDetails=0\nUnsupportFormatEncoding=0\nShowEncodingConsole=0\nVideoBitrate=0\n"
              "CopyTo=0\nDriveIndex=0\nDeviceSerial=0\nLanguageValue=1\nDriveMountPoint=\n\n"
              "[Recent]\nFile0=/a.mkv\n");
}

TEST_F(ProfileSettingsTest, RefusesWhatWouldDamageTheFile) {
    WriteProfile("[Config]\nOutputFolder=/kept\nVideoBitrate=3\n");
    ProfileSettings settings = LoadProfile(folder_);
    settings.outputFolder = "/evil\n[Config]\nLanguageValue=4";
    settings.videoBitrate = 5;
    std::string error;
    EXPECT_FALSE(SaveProfile(folder_, settings, &error));
    EXPECT_FALSE(error.empty());
    const ProfileSettings read = LoadProfile(folder_);
    EXPECT_EQ(read.outputFolder, "/kept");
    EXPECT_EQ(read.videoBitrate, 5);
    EXPECT_EQ(read.languageValue, 1);

    // A profile path that cannot be read is never replaced.
    const std::string blocked = Home() + "/blocked";
    std::filesystem::create_directories(ProfilePath(blocked) + "/inside");
    EXPECT_FALSE(SaveProfile(blocked, settings, &error));
    EXPECT_TRUE(std::filesystem::is_directory(ProfilePath(blocked) + "/inside"));
    EXPECT_EQ(LoadProfile(blocked).languageValue, 1);
}

}  // namespace
}  // namespace tessaro
