#include "settings/ProfileSettings.h"

#include <gtest/gtest.h>

#include "ScratchHome.h"

namespace tessaro {
namespace {

using namespace std::string_literals;

class ProfileSettingsTest : public testing::ScratchHome {
protected:
    ProfileSettingsTest() {
        std::filesystem::create_directories(documents_);
        testing::WriteFile(Home() + "/config/user-dirs.dirs", "XDG_DOCUMENTS_DIR=\"$HOME/Docs\"\n");
    }
    std::string Text(const char* folder = "/p") const {
        return testing::ReadTextFile(ProfilePath(Home() + folder));
    }
    void Write(const std::string& text) const {
        testing::WriteFile(ProfilePath(Home() + "/p"), text);
    }
    ProfileSettings Load() const { return LoadProfile(Home() + "/p"); }
    bool Save(const ProfileSettings& settings, std::string* error = nullptr) const {
        return SaveProfile(Home() + "/p", settings, error);
    }

    const std::string documents_ = Home() + "/Docs";
    testing::ScopedEnv locale_{"LC_ALL", "en_US.UTF-8"};
};

TEST_F(ProfileSettingsTest, MissingFileGivesDefaultsAndTheDocumentsFolder) {
    ASSERT_TRUE(Save(Load()));
    EXPECT_EQ(Text(), "[Config]\nOutputFolder=" + documents_ +
                          "\nFileDetails=0\nUnsupportFormatEncoding=0\nShowEncodingConsole=0\n"
                          "VideoBitrate=0\nCopyTo=0\nDriveIndex=0\nDeviceSerial=0\nLanguageValue="
                          "0\nDriveMountPoint=\nJobsAtOnce=0\n");
    std::filesystem::remove(Home() + "/config/user-dirs.dirs");
    EXPECT_EQ(LoadProfile(Home() + "/none").outputFolder, Home());
}

TEST_F(ProfileSettingsTest, SavesTheKeysInTheirOrderAndReadsThemBack) {
    ASSERT_TRUE(
        Save({"/media/converted", true, true, false, 12, true, 22, -1, 0, "/media/usb", 4}));
    EXPECT_EQ(Text(),
              "[Config]\nOutputFolder=/media/converted\nFileDetails=1\nUnsupportFormatEncoding=1\n"
              "ShowEncodingConsole=0\nVideoBitrate=12\nCopyTo=1\nDriveIndex=22\nDeviceSerial=-1\n"
              "LanguageValue=0\nDriveMountPoint=/media/usb\nJobsAtOnce=4\n");
    ASSERT_TRUE(SaveProfile(Home() + "/copy", Load()));
    EXPECT_EQ(Text("/copy"), Text());
}

TEST_F(ProfileSettingsTest, EdgeValuesReadAndWriteBackNormalised) {
    Write("[config]\nfiledetails=5\nDeviceSerial=2\nOutputFolder=\nVideoBitrate=fast\nCOPYTO=-3\n");
    ProfileSettings s = Load();
    EXPECT_EQ(std::tuple(s.fileDetails, s.copyTo, s.deviceSerial, s.outputFolder, s.videoBitrate),
              std::tuple(true, true, 2, documents_, 0));
    // The device selector holds one item, so index 2 leaves it without a selection.
    s.deviceSerial = FitSelectorIndex(s.deviceSerial, 1);
    ASSERT_TRUE(Save(s));
    for (const std::string& line : {"filedetails=1\n"s, "DeviceSerial=-1\n"s, "COPYTO=1\n"s,
                                    "OutputFolder=" + documents_ + "\n"})
        EXPECT_NE(Text().find(line), std::string::npos) << Text();
    const int fits[][3] = {{0, 1, 0},    {2, 1, -1},   {-1, 1, -1},
                           {22, 23, 22}, {23, 23, -1}, {0, 0, -1}};
    for (const auto& [stored, items, shown] : fits)
        EXPECT_EQ(FitSelectorIndex(stored, items), shown) << stored << " of " << items;
}

TEST_F(ProfileSettingsTest, JobsAtOnceIsAutoUnlessACountIsStoredAndLosesNothingElse) {
    const std::pair<const char*, int> cases[] = {{"", 0},  // a profile from before the setting
                                                 {"JobsAtOnce=3\n", 3},
                                                 {"JobsAtOnce=0\n", 0},
                                                 {"JobsAtOnce = 2\n", 2},
                                                 {"JobsAtOnce=-1\n", 0},
                                                 {"JobsAtOnce=three\n", 0},
                                                 {"JobsAtOnce=\n", 0},
                                                 {"JobsAtOnce=1.5\n", 0},
                                                 {"JobsAtOnce=99999999999\n", 0}};
    for (const auto& [line, jobs] : cases) {
        Write("[Config]\nOutputFolder=/kept\n" + std::string(line) + "VideoBitrate=3\nCopyTo=1\n");
        const ProfileSettings read = Load();
        EXPECT_EQ(std::tuple(read.jobsAtOnce, read.outputFolder, read.videoBitrate, read.copyTo),
                  std::tuple(jobs, "/kept"s, 3, true))
            << line;
        ASSERT_TRUE(Save(read));
        EXPECT_NE(Text().find("JobsAtOnce=" + std::to_string(jobs) + "\n"), std::string::npos)
            << Text();
    }
}

TEST_F(ProfileSettingsTest, AFirstStartTakesTheMessagesLocaleAndAStoredChoiceWins) {
    // LC_ALL, LC_MESSAGES, LANG, and the language of a first start.
    const std::tuple<const char*, const char*, const char*, int> cases[] = {
        {"en_US.UTF-8", nullptr, "ja_JP.UTF-8", 0},
        {nullptr, "de_DE.UTF-8", "ja_JP.UTF-8", 0},
        {"C", nullptr, nullptr, 0},
        {nullptr, nullptr, nullptr, 0},
        {nullptr, nullptr, "ja_JP.UTF-8", 1},
        {"", "ja_JP.eucJP", "en_US.UTF-8", 1}};
    for (const auto& [all, messages, lang, language] : cases) {
        const testing::ScopedEnv a("LC_ALL", all), m("LC_MESSAGES", messages), l("LANG", lang);
        std::filesystem::remove(ProfilePath(Home() + "/p"));
        EXPECT_EQ(Load().languageValue, language) << all << messages << lang;
        Write("[Config]\nVideoBitrate=3\n");
        EXPECT_EQ(Load().languageValue, language) << "a profile without the key";
        Write("[Config]\nLanguageValue=" + std::to_string(1 - language) + "\n");
        EXPECT_EQ(Load().languageValue, 1 - language) << "the stored choice";
    }
}

TEST_F(ProfileSettingsTest, RefusesWhatWouldDamageTheFile) {
    Write("[Config]\nOutputFolder=/kept\nVideoBitrate=3\n");
    ProfileSettings settings = Load();
    settings.outputFolder = "/evil\n[Config]\nLanguageValue=4";
    settings.videoBitrate = 5;
    std::string error;
    EXPECT_FALSE(Save(settings, &error));
    EXPECT_FALSE(error.empty());
    const ProfileSettings read = Load();
    EXPECT_EQ(std::tuple(read.outputFolder, read.videoBitrate, read.languageValue),
              std::tuple("/kept"s, 5, 0));
    // A profile path that cannot be read is never replaced.
    std::filesystem::create_directories(ProfilePath(Home() + "/blocked") + "/inside");
    EXPECT_FALSE(SaveProfile(Home() + "/blocked", settings, &error));
    EXPECT_TRUE(std::filesystem::is_directory(ProfilePath(Home() + "/blocked") + "/inside"));
}

}  // namespace
}  // namespace tessaro
