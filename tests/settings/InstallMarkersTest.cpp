#include "settings/InstallMarkers.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "ScratchHome.h"
#include "platform/Paths.h"
#include "platform/RegistryStore.h"
#include "settings/ProgramVersion.h"
#include "settings/SendToShortcut.h"
#include "settings/SettingsRegistry.h"
#include "settings/SpecialFolders.h"

namespace tessaro {
namespace {

std::string RunningExecutable() {
    return std::filesystem::read_symlink("/proc/self/exe");
}

class InstallMarkersTest : public testing::ScratchHome {
protected:
    void SetUp() override {
        ScratchHome::SetUp();
        SetVariable("TESSARO_REGISTRY_DIR", Home() + "/registry");
        program_ = RunningExecutable();
        folder_ = platform::ExtractFileDir(program_) + "/";
        entryPath_ = Home() + "/data/applications/Tessaro.desktop";
    }
    platform::RegistryStore Registry() const {
        return platform::RegistryStore(platform::RegistryRoot::currentUser);
    }
    std::string RegistryText() const { return testing::ReadFile(Registry().FilePath()); }

    std::string program_;
    std::string folder_;
    std::string entryPath_;
};

TEST_F(InstallMarkersTest, FirstStartRecordsTheMarkersAndWritesTheEntry) {
    const InstallRecord record = RecordInstallMarkers(program_);
    EXPECT_EQ(record.programVersion, "1.2.1.2");
    EXPECT_TRUE(record.shortcutWritten);
    EXPECT_EQ(RegistryText(),
              "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software]\n\n"
              "[HKEY_CURRENT_USER\\Software\\Clipwarp]\n\n"
              "[HKEY_CURRENT_USER\\Software\\Clipwarp\\Settings]\n"
              "\"VersionInfo\"=\"1.2.1.2\"\n\"LastFolder\"=\"" +
                  folder_ + "\"\n\n");
    EXPECT_EQ(testing::ReadFile(entryPath_),
              DesktopEntryText(program_, "Tessaro Video Encoder", "Tessaro"));
}

TEST_F(InstallMarkersTest, SecondStartWritesNothing) {
    RecordInstallMarkers(program_);
    // A deleted entry is not brought back while both markers stay the same.
    std::filesystem::remove(entryPath_);
    const std::string before = RegistryText();
    const auto stamp = std::filesystem::last_write_time(Registry().FilePath());
    const InstallRecord record = RecordInstallMarkers(program_);
    EXPECT_FALSE(record.shortcutWritten);
    EXPECT_EQ(record.programVersion, "1.2.1.2");
    EXPECT_EQ(RegistryText(), before);
    EXPECT_EQ(std::filesystem::last_write_time(Registry().FilePath()), stamp);
    EXPECT_FALSE(std::filesystem::exists(entryPath_));
}

TEST_F(InstallMarkersTest, AChangedMarkerRewritesItAndTheEntry) {
    const struct {
        const char* changed;
        const char* oldValue;
        const char* kept;
    } cases[] = {
        {"LastFolder", "/opt/old/", "VersionInfo"},
        {"VersionInfo", "1.0.0.0", "LastFolder"},
    };
    for (const auto& c : cases) {
        RecordInstallMarkers(program_);
        ASSERT_TRUE(Registry().WriteValue(kSettingsKey, c.changed, std::string(c.oldValue)));
        testing::WriteFile(entryPath_, "stale");
        const std::string keptBefore = *Registry().ReadString(kSettingsKey, c.kept);
        const InstallRecord record = RecordInstallMarkers(program_);
        EXPECT_TRUE(record.shortcutWritten) << c.changed;
        EXPECT_EQ(Registry().ReadString(kSettingsKey, "VersionInfo"), "1.2.1.2");
        EXPECT_EQ(Registry().ReadString(kSettingsKey, "LastFolder"), folder_);
        EXPECT_EQ(Registry().ReadString(kSettingsKey, c.kept), keptBefore);
        EXPECT_EQ(testing::ReadFile(entryPath_),
                  DesktopEntryText(program_, "Tessaro Video Encoder", "Tessaro"));
    }
}

TEST_F(InstallMarkersTest, StoreRegistryValueReportsWhetherItWrote) {
    EXPECT_EQ(StoreRegistryValue("VersionInfo", "1.2.1.2"), StoreResult::written);
    EXPECT_EQ(StoreRegistryValue("VersionInfo", "1.2.1.2"), StoreResult::unchanged);
    EXPECT_EQ(StoreRegistryValue("versioninfo", "1.2.1.2"), StoreResult::unchanged);
    EXPECT_EQ(StoreRegistryValue("VersionInfo", "1.2.1.2a"), StoreResult::written);
    EXPECT_EQ(StoreRegistryValue("VersionInfo", "1.2.1.2A"), StoreResult::written);
}

TEST_F(InstallMarkersTest, AnUnusableRegistryCreatesNoEntry) {
    testing::WriteFile(Home() + "/plain-file", "x");
    SetVariable("TESSARO_REGISTRY_DIR", Home() + "/plain-file/registry");
    const InstallRecord record = RecordInstallMarkers(program_);
    EXPECT_FALSE(record.shortcutWritten);
    EXPECT_EQ(record.programVersion, "1.2.1.2");
    EXPECT_FALSE(std::filesystem::exists(entryPath_));
}

TEST_F(InstallMarkersTest, VersionComesOnlyFromTheRunningProgram) {
    EXPECT_EQ(ReadVersionInfo(program_), "1.2.1.2");
    EXPECT_EQ(ReadVersionInfo("/bin/sh"), "");
    EXPECT_EQ(ReadVersionInfo(Home() + "/missing"), "");
    EXPECT_EQ(ProgramVersionText(), "1.2.1.2");
}

TEST_F(InstallMarkersTest, SpecialFoldersFollowXdg) {
    testing::WriteFile(Home() + "/config/user-dirs.dirs", "XDG_DOCUMENTS_DIR=\"$HOME/Docs\"\n");
    std::string path = "unchanged";
    ASSERT_TRUE(GetSpecialFolderPath(SpecialFolder::sendTo, path));
    EXPECT_EQ(path, Home() + "/data/applications");
    ASSERT_TRUE(GetSpecialFolderPath(SpecialFolder::personal, path));
    EXPECT_EQ(path, Home() + "/Docs");
}

TEST(DesktopEntryTest, QuotesTheProgramSoItIsNeverExpanded) {
    const struct {
        const char* target;
        const char* exec;
    } cases[] = {
        {"/opt/tessaro/tessaro", "Exec=\"/opt/tessaro/tessaro\" %F"},
        {"/opt/My Apps/tessaro", "Exec=\"/opt/My Apps/tessaro\" %F"},
        {"/opt/$(rm -rf ~)/t", "Exec=\"/opt/\\\\$(rm -rf ~)/t\" %F"},
        {"/opt/`id`/t", "Exec=\"/opt/\\\\`id\\\\`/t\" %F"},
        {"/opt/\"q\"/t", "Exec=\"/opt/\\\\\"q\\\\\"/t\" %F"},
        {"/opt/back\\slash/t", "Exec=\"/opt/back\\\\\\\\slash/t\" %F"},
        {"/opt/100%/t", "Exec=\"/opt/100%%/t\" %F"},
        {"/opt/new\nline/t", "Exec=\"/opt/new\\nline/t\" %F"},
    };
    for (const auto& c : cases) {
        const std::string text = DesktopEntryText(c.target, "Tessaro Video Encoder", "Tessaro");
        EXPECT_NE(text.find(std::string("\n") + c.exec + "\n"), std::string::npos) << text;
    }
    EXPECT_EQ(DesktopEntryText("/p/t", "Tessaro Video Encoder", "Tessaro"),
              "[Desktop Entry]\nType=Application\nName=Tessaro\nComment=Tessaro Video Encoder\n"
              "Exec=\"/p/t\" %F\nMimeType=" +
                  std::string(AcceptedMimeTypeList()) + "\nTerminal=false\n");
}

TEST(DesktopEntryTest, ListsTheAcceptedMediaAndSubtitleTypes) {
    const std::string types(AcceptedMimeTypeList());
    for (const char* type :
         {"video/mp4;", "video/x-matroska;", "video/x-msvideo;", "video/mpeg;", "video/mp2t;",
          "video/quicktime;", "video/x-ms-wmv;", "video/x-flv;", "video/3gpp;",
          "application/vnd.rn-realmedia;", "application/x-subrip;", "application/x-sami;"})
        EXPECT_NE(types.find(type), std::string::npos) << type;
    EXPECT_EQ(types.find("text/plain"), std::string::npos);
    EXPECT_EQ(types.back(), ';');
}

}  // namespace
}  // namespace tessaro
