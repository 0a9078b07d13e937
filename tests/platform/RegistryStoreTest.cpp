#include "platform/RegistryStore.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <thread>

#include "../settings/ScratchHome.h"

namespace tessaro::platform {
namespace {

constexpr char kSettings[] = "Software\\Clipwarp\\Settings";

class RegistryStoreTest : public testing::ScratchHome {
protected:
    void SetUp() override {
        ScratchHome::SetUp();
        folder_ = Home() + "/registry";
        SetVariable("TESSARO_REGISTRY_DIR", folder_);
        store_ = RegistryStore(RegistryRoot::currentUser);
    }
    std::string FileText() const { return testing::ReadFile(store_.FilePath()); }
    void WriteStoreFile(const std::string& text) const {
        testing::WriteFile(store_.FilePath(), text);
    }

    std::string folder_;
    // Replaced in SetUp, once the environment points at the scratch folder.
    RegistryStore store_{RegistryRoot::currentUser, "/nonexistent"};
};

TEST_F(RegistryStoreTest, WritesRegedit4TextWithParentKeys) {
    ASSERT_TRUE(store_.WriteValue(kSettings, "VersionInfo", std::string("1.2.1.2")));
    ASSERT_TRUE(store_.WriteValue(kSettings, "LastFolder", std::string("/opt/Tessaro \"new\"\\/")));
    EXPECT_EQ(store_.FilePath(), folder_ + "/HKEY_CURRENT_USER.reg");
    EXPECT_EQ(FileText(),
              "REGEDIT4\n\n"
              "[HKEY_CURRENT_USER\\Software]\n\n"
              "[HKEY_CURRENT_USER\\Software\\Clipwarp]\n\n"
              "[HKEY_CURRENT_USER\\Software\\Clipwarp\\Settings]\n"
              "\"VersionInfo\"=\"1.2.1.2\"\n"
              "\"LastFolder\"=\"/opt/Tessaro \\\"new\\\"\\\\/\"\n\n");
    EXPECT_EQ(store_.ReadString(kSettings, "LastFolder"), "/opt/Tessaro \"new\"\\/");
}

TEST_F(RegistryStoreTest, NamesCompareWithoutCaseAndKeepTheirFirstSpelling) {
    ASSERT_TRUE(store_.WriteValue(kSettings, "VersionInfo", std::string("1.0")));
    ASSERT_TRUE(
        store_.WriteValue("SOFTWARE\\clipwarp\\SETTINGS", "versioninfo", std::string("2.0")));
    EXPECT_EQ(store_.ReadString("software\\CLIPWARP\\settings\\", "VERSIONINFO"), "2.0");
    EXPECT_EQ(store_.ValueNames(kSettings), std::vector<std::string>{"VersionInfo"});
    EXPECT_EQ(store_.SubKeyNames("SOFTWARE"), std::vector<std::string>{"Clipwarp"});
    EXPECT_TRUE(store_.KeyExists("\\software\\clipwarp"));
    EXPECT_FALSE(store_.KeyExists("Software\\Other"));
}

TEST_F(RegistryStoreTest, TypedValuesRoundTrip) {
    const RegistryBinary dateTime{0x00, 0x00, 0x00, 0x00, 0x80, 0x1b, 0xe6, 0x40};
    RegistryBinary longList(40);
    for (size_t i = 0; i < longList.size(); ++i) longList[i] = static_cast<std::uint8_t>(i * 7);
    const struct {
        const char* name;
        RegistryValue value;
        const char* line;
    } cases[] = {
        {"Count", std::uint32_t{0x1234abcd}, "\"Count\"=dword:1234abcd"},
        {"Zero", std::uint32_t{0}, "\"Zero\"=dword:00000000"},
        {"Stamp", dateTime, "\"Stamp\"=hex:00,00,00,00,80,1b,e6,40"},
        {"Empty", RegistryBinary{}, "\"Empty\"=hex:"},
        {"", std::string("default"), "@=\"default\""},
        {"Lines", std::string("a\nb"), "\"Lines\"=hex(1):61,0a,62,00"},
        {"Long", longList,
         "\"Long\"=hex:00,07,0e,15,1c,23,2a,31,38,3f,46,4d,54,5b,62,69,70,77,7e,85,8c,93,\\\n  "
         "9a,"},
    };
    for (const auto& c : cases) ASSERT_TRUE(store_.WriteValue("Types", c.name, c.value)) << c.name;
    const std::string text = FileText();
    for (const auto& c : cases) {
        EXPECT_NE(text.find(c.line), std::string::npos) << c.line << "\n" << text;
        EXPECT_EQ(store_.ReadValue("Types", c.name), c.value) << c.name;
    }
    EXPECT_EQ(store_.ReadDword("Types", "Count"), 0x1234abcdu);
    EXPECT_EQ(store_.ReadString("Types", "Count"), std::nullopt);
    EXPECT_EQ(store_.ReadBinary("Types", "Stamp"), dateTime);
}

TEST_F(RegistryStoreTest, ReadsHandWrittenFilesAndKeepsUnknownTypes) {
    WriteStoreFile(
        "REGEDIT4\r\n\r\n; exported by hand\r\n"
        "[HKEY_CURRENT_USER\\Software\\Vendor\\App]\r\n"
        "\"Path\"=hex(2):25,00\r\n"
        "\"Bytes\"=hex:01,02,\\\r\n  03\r\n"
        "\"Number\"=hex(4):10,00,00,00\r\n"
        "\"Name\"  =  \"value\"\r\n");
    EXPECT_TRUE(store_.KeyExists("Software\\Vendor"));
    EXPECT_EQ(store_.SubKeyNames("Software"), std::vector<std::string>{"Vendor"});
    EXPECT_EQ(store_.ReadBinary("Software\\Vendor\\App", "Bytes"), (RegistryBinary{1, 2, 3}));
    EXPECT_EQ(store_.ReadDword("Software\\Vendor\\App", "Number"), 16u);
    EXPECT_EQ(store_.ReadString("Software\\Vendor\\App", "Name"), "value");
    EXPECT_EQ(store_.ReadBinary("Software\\Vendor\\App", "Path"), (RegistryBinary{0x25, 0x00}));
    ASSERT_TRUE(store_.WriteValue("Software\\Vendor\\App", "Added", std::string("x")));
    EXPECT_NE(FileText().find("\"Path\"=hex(2):25,00\n"), std::string::npos) << FileText();
}

TEST_F(RegistryStoreTest, CorruptFileReadsEmptyAndIsKeptAside) {
    const struct {
        const char* why;
        const char* text;
    } corrupt[] = {
        {"no header", "[HKEY_CURRENT_USER\\Software]\n"},
        {"other root", "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\Software]\n"},
        {"value outside a key", "REGEDIT4\n\n\"a\"=\"b\"\n"},
        {"unknown value form", "REGEDIT4\n\n[HKEY_CURRENT_USER\\A]\n\"a\"=qword:1\n"},
        {"open string", "REGEDIT4\n\n[HKEY_CURRENT_USER\\A]\n\"a\"=\"b\n"},
        {"bad hex", "REGEDIT4\n\n[HKEY_CURRENT_USER\\A]\n\"a\"=hex:1g\n"},
    };
    for (const auto& c : corrupt) {
        std::filesystem::remove_all(folder_);
        WriteStoreFile(c.text);
        EXPECT_FALSE(store_.KeyExists("A")) << c.why;
        EXPECT_FALSE(store_.KeyExists("Software")) << c.why;
        ASSERT_TRUE(store_.WriteValue("A", "v", std::uint32_t{1})) << c.why;
        EXPECT_EQ(testing::ReadFile(store_.FilePath() + ".corrupt"), c.text) << c.why;
        EXPECT_EQ(store_.ReadDword("A", "v"), 1u) << c.why;
    }
    WriteStoreFile("garbage again");
    ASSERT_TRUE(store_.CreateKey("B"));
    EXPECT_EQ(testing::ReadFile(store_.FilePath() + ".corrupt.1"), "garbage again");
}

TEST_F(RegistryStoreTest, DeletesValuesAndKeys) {
    ASSERT_TRUE(store_.WriteValue("A\\B\\C", "v", std::string("1")));
    ASSERT_TRUE(store_.WriteValue("A\\B", "w", std::string("2")));
    ASSERT_TRUE(store_.WriteValue("A\\D", "x", std::string("3")));
    EXPECT_EQ(store_.SubKeyNames("a"), (std::vector<std::string>{"B", "D"}));
    EXPECT_FALSE(store_.DeleteValue("A\\B", "missing"));
    EXPECT_TRUE(store_.DeleteValue("a\\b", "W"));
    EXPECT_FALSE(store_.ValueExists("A\\B", "w"));
    std::string error;
    EXPECT_FALSE(store_.DeleteKey("A\\B", &error));
    EXPECT_EQ(error, "The key has subkeys");
    EXPECT_TRUE(store_.DeleteKey("A\\B\\C"));
    EXPECT_TRUE(store_.DeleteKey("A\\B"));
    EXPECT_TRUE(store_.DeleteKeyTree("A"));
    EXPECT_FALSE(store_.KeyExists("A"));
    EXPECT_FALSE(store_.DeleteKeyTree("A"));
    EXPECT_EQ(FileText(), "REGEDIT4\n\n");
}

TEST_F(RegistryStoreTest, RootsAndFoldersAreSeparate) {
    RegistryStore machine(RegistryRoot::localMachine);
    RegistryStore classes(RegistryRoot::classesRoot);
    ASSERT_TRUE(machine.WriteValue("K", "v", std::string("machine")));
    ASSERT_TRUE(classes.WriteValue(".mkv", "Content Type", std::string("video/x-matroska")));
    EXPECT_FALSE(store_.KeyExists("K"));
    EXPECT_EQ(testing::ReadFile(folder_ + "/HKEY_CLASSES_ROOT.reg"),
              "REGEDIT4\n\n[HKEY_CLASSES_ROOT\\.mkv]\n\"Content Type\"=\"video/x-matroska\"\n\n");
    SetVariable("TESSARO_REGISTRY_DIR", std::nullopt);
    EXPECT_EQ(DefaultRegistryFolder(), Home() + "/config/Clipwarp/registry");
    EXPECT_FALSE(RegistryStore(RegistryRoot::localMachine).KeyExists("K"));
}

TEST_F(RegistryStoreTest, RefusesWhatTheFormatCannotHold) {
    std::string error;
    EXPECT_FALSE(store_.WriteValue("K", "a\nb", std::string("x"), &error));
    EXPECT_FALSE(store_.WriteValue("K\nL", "a", std::string("x"), &error));
    EXPECT_FALSE(store_.WriteValue("K", "a", std::string("x\0y", 3), &error));
    EXPECT_FALSE(store_.DeleteKeyTree("", &error));
    EXPECT_FALSE(std::filesystem::exists(store_.FilePath()));
}

TEST_F(RegistryStoreTest, ConcurrentWritersLoseNothing) {
    constexpr int kPerWriter = 25;
    auto writer = [](std::string prefix) {
        RegistryStore store(RegistryRoot::currentUser);
        for (int i = 0; i < kPerWriter; ++i)
            store.WriteValue("Shared", prefix + std::to_string(i), std::uint32_t(i));
    };
    std::thread first(writer, "a"), second(writer, "b");
    first.join();
    second.join();
    EXPECT_EQ(store_.ValueNames("Shared").size(), 2u * kPerWriter);
}

}  // namespace
}  // namespace tessaro::platform
