#include "settings/InstallMarkers.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "ScratchHome.h"
#include "platform/Paths.h"
#include "platform/RegistryStore.h"
#include "settings/AppIcon.h"
#include "settings/InstalledEntry.h"
#include "settings/ProgramVersion.h"
#include "settings/SendToShortcut.h"
#include "settings/SettingsRegistry.h"

namespace tessaro {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;

class InstallMarkersTest : public testing::ScratchHome {
protected:
    auto Marker(const char* name) const { return registry_.ReadString(kSettingsKey, name); }
    auto Record() const {
        const InstallRecord record = RecordInstallMarkers(program_);
        return std::pair(record.programVersion, record.shortcutWritten);
    }
    std::string RegistryText() const { return testing::ReadTextFile(registry_.FilePath()); }
    std::string EntryText() const { return testing::ReadTextFile(entry_); }

    const testing::ScopedEnv registryFolder_{"TESSARO_REGISTRY_DIR",
                                             (Home() + "/registry").c_str()};
    platform::RegistryStore registry_{platform::RegistryRoot::currentUser, Home() + "/registry"};
    const std::string program_ = fs::read_symlink("/proc/self/exe");
    const std::string entry_ = Home() + "/data/applications/Tessaro.desktop";
    const std::string expectedEntry_ =
        DesktopEntryText(program_, "Tessaro Video Encoder", "Tessaro");
};

TEST_F(InstallMarkersTest, FirstStartRecordsTheMarkersAndTheEntryASecondWritesNothing) {
    EXPECT_EQ(ReadVersionInfo("/bin/sh") + ReadVersionInfo(Home() + "/missing"), "")
        << "only the running program has a version";
    EXPECT_EQ(Record(), std::pair(std::string(TESSARO_EXPECTED_VERSION), true));
    EXPECT_EQ(registry_.ValueNames(kSettingsKey),
              (std::vector<std::string>{"VersionInfo", "LastFolder"}));
    EXPECT_EQ(std::tuple(Marker("VersionInfo"), Marker("LastFolder")),
              std::tuple(std::string(TESSARO_EXPECTED_VERSION),
                         platform::ExtractFileDir(program_) + "/"));
    EXPECT_EQ(EntryText(), expectedEntry_);
    fs::remove(entry_);  // not brought back while both markers stay the same
    const std::string before = RegistryText();
    const auto stamp = fs::last_write_time(registry_.FilePath());
    EXPECT_EQ(Record(), std::pair(std::string(TESSARO_EXPECTED_VERSION), false));
    EXPECT_EQ(RegistryText(), before);
    EXPECT_EQ(fs::last_write_time(registry_.FilePath()), stamp);
    EXPECT_FALSE(fs::exists(entry_));
}

TEST_F(InstallMarkersTest, AMovedProgramOrChangedVersionRewritesTheMarkersAndTheEntry) {
    for (const auto& [changed, oldValue, kept] :
         {std::tuple{"LastFolder", "/opt/old/", "VersionInfo"},
          std::tuple{"VersionInfo", "1.0.0.0", "LastFolder"}}) {
        Record();
        const auto markers = std::pair(Marker("VersionInfo"), Marker("LastFolder"));
        ASSERT_TRUE(registry_.WriteValue(kSettingsKey, changed, std::string(oldValue)));
        testing::WriteFile(entry_, "stale");
        EXPECT_EQ(Record(), std::pair(std::string(TESSARO_EXPECTED_VERSION), true)) << changed;
        EXPECT_EQ(std::pair(Marker("VersionInfo"), Marker("LastFolder")), markers)
            << kept << " kept";
        EXPECT_EQ(EntryText(), expectedEntry_);
    }
}

TEST_F(InstallMarkersTest, AnInstalledProgramKeepsItsInstalledEntryAsItsOnlyOne) {
    const struct {
        const char* name;
        const char* programFolder;  // under the prefix
        bool installedEntry;
        bool perUser;  // the prefix's share folder is the user's data folder
        bool userEntryWritten;
    } cases[] = {
        {"not installed", "lib/tessaro", false, false, true},
        {"installed for all", "lib/tessaro", true, false, false},
        {"installed per user", "lib/tessaro", true, true, false},
        {"an entry beside another folder", "opt/tessaro", true, false, true},
        {"another folder beside a per-user install", "opt/tessaro", true, true, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string prefix = Home() + "/" + c.name;
        const testing::ScopedEnv data("XDG_DATA_HOME",
                                      c.perUser ? (prefix + "/share").c_str() : nullptr);
        const std::string userEntry = (c.perUser ? prefix + "/share" : Home() + "/.local/share") +
                                      "/applications/Tessaro.desktop";
        const std::string installed = prefix + "/share/applications/Tessaro.desktop";
        const std::string target = prefix + "/" + c.programFolder + "/tessaro";
        const std::string installedText =
            std::string("[Desktop Entry]\n") + kInstalledEntryMark + "\n";
        if (c.installedEntry) testing::WriteFile(installed, installedText);
        if (!c.perUser) testing::WriteFile(userEntry, "left by a run from elsewhere");

        EXPECT_TRUE(CreateSendToShortcut(target, "Tessaro Video Encoder", "Tessaro"));
        if (c.userEntryWritten) {
            EXPECT_EQ(testing::ReadTextFile(userEntry),
                      DesktopEntryText(target, "Tessaro Video Encoder", "Tessaro"));
        } else if (!c.perUser) {
            EXPECT_FALSE(fs::exists(userEntry));
        }
        if (c.installedEntry) {
            EXPECT_EQ(testing::ReadTextFile(installed), installedText);
        }
    }
}

TEST_F(InstallMarkersTest, StoreRegistryValueReportsWhetherItWrote) {
    EXPECT_EQ(StoreRegistryValue("VersionInfo", "1.2.1.2"), StoreResult::written);
    EXPECT_EQ(StoreRegistryValue("VersionInfo", "1.2.1.2"), StoreResult::unchanged);
    EXPECT_EQ(StoreRegistryValue("versioninfo", "1.2.1.2"), StoreResult::unchanged);
    EXPECT_EQ(StoreRegistryValue("VersionInfo", "1.2.1.2A"), StoreResult::written);
    EXPECT_EQ(StoreRegistryValue("VersionInfo", "1.2.1.2a"), StoreResult::written);
}

TEST_F(InstallMarkersTest, AnUnusableRegistryCreatesNoEntry) {
    testing::WriteFile(Home() + "/plain-file", "x");
    const testing::ScopedEnv unusable("TESSARO_REGISTRY_DIR",
                                      (Home() + "/plain-file/registry").c_str());
    EXPECT_EQ(Record(), std::pair(std::string(TESSARO_EXPECTED_VERSION), false));
    EXPECT_FALSE(fs::exists(entry_));
}

// What a command prints on both streams, and whether it succeeded.
std::pair<bool, std::string> RunCommand(const std::string& command) {
    std::string output;
    FILE* pipe = ::popen((command + " 2>&1").c_str(), "r");
    if (pipe == nullptr) return {false, "cannot start " + command};
    char buffer[512];
    for (size_t got; (got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        output.append(buffer, got);
    return {::pclose(pipe) == 0, output};
}

TEST_F(InstallMarkersTest, TheEntryPassesTheValidatorAndItsIconIsInTheUsersTheme) {
    Record();
    const auto [valid, complaints] = RunCommand("desktop-file-validate '" + entry_ + "'");
    EXPECT_TRUE(valid) << complaints;
    EXPECT_EQ(complaints, "");
    const std::string icon = Home() + "/data/icons/hicolor/scalable/apps/tessaro.svg";
    EXPECT_EQ(testing::ReadTextFile(icon), AppIconSvg());
    const auto [parsed, why] = RunCommand(
        "python3 -c 'import sys, xml.dom.minidom as m; "
        "sys.exit(m.parse(sys.argv[1]).documentElement.tagName != \"svg\")' '" +
        icon + "'");
    EXPECT_TRUE(parsed) << why;
}

TEST(DesktopEntryTest, QuotesTheProgramSoItIsNeverExpanded) {
    const char* cases[][2] = {
        {"/opt/My Apps/t", "\"/opt/My Apps/t\""},
        {"/opt/$(rm -rf ~)/t", "\"/opt/\\\\$(rm -rf ~)/t\""},
        {"/opt/`id`/t", "\"/opt/\\\\`id\\\\`/t\""},
        {"/opt/\"q\"/t", "\"/opt/\\\\\"q\\\\\"/t\""},
        {"/opt/b\\s/t", "\"/opt/b\\\\\\\\s/t\""},
        {"/opt/100%/t", "\"/opt/100%%/t\""},
        {"/opt/new\nline/t", "\"/opt/new\\nline/t\""},
    };
    for (const auto& [target, exec] : cases) {
        const std::string text = DesktopEntryText(target, "Tessaro Video Encoder", "Tessaro");
        EXPECT_NE(text.find("\nExec=" + std::string(exec) + " %F\n"), std::string::npos) << text;
    }
    const std::string types(AcceptedMimeTypeList());
    EXPECT_EQ(DesktopEntryText("/p/t", "Tessaro Video Encoder", "Tessaro"),
              "[Desktop Entry]\nType=Application\nName=Tessaro\nComment=Tessaro "
              "Video Encoder\n"
              "Exec=\"/p/t\" "
              "%F\nIcon=tessaro\nCategories=AudioVideo;Video;AudioVideoEditing;\n"
              "MimeType=" +
                  types + "\nTerminal=false\n");
    for (const char* type : {"video/mp4;", "video/x-matroska;", "application/x-subrip;"})
        EXPECT_NE(types.find(type), std::string::npos) << type;
    EXPECT_EQ(types.find("text/plain"), std::string::npos);
}

}  // namespace
}  // namespace tessaro
