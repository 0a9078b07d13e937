#include "platform/RegistryStore.h"

#include <gtest/gtest.h>

#include <thread>

#include "ProcessTestSupport.h"
#include "ScopedEnv.h"

namespace tessaro::platform {
namespace {

using namespace std::string_literals;
using testing::ReadTextFile;
constexpr char kSettings[] = "Software\\Clipwarp\\Settings";

class RegistryStoreTest : public ::testing::Test {
protected:
    std::string FileText() const { return ReadTextFile(store_.FilePath()); }

    testing::TempDir dir_;
    RegistryStore store_{RegistryRoot::currentUser, dir_.Path().string()};
};

TEST_F(RegistryStoreTest, WritesRegedit4TextWithParentKeysAndNamesWithoutCase) {
    ASSERT_TRUE(store_.WriteValue(kSettings, "VersionInfo", "1.0"s));
    ASSERT_TRUE(store_.WriteValue("SOFTWARE\\clipwarp\\SETTINGS", "versioninfo", "1.2.1.2"s));
    ASSERT_TRUE(store_.WriteValue(kSettings, "LastFolder", "/opt/T \"new\"\\/"s));
    EXPECT_EQ(store_.FilePath(), dir_.File("HKEY_CURRENT_USER.reg"));
    EXPECT_EQ(
        FileText(),
        "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software]\n\n[HKEY_CURRENT_USER\\Software\\Clipwarp]\n\n"
        "[HKEY_CURRENT_USER\\Software\\Clipwarp\\Settings]\n\"VersionInfo\"=\"1.2.1.2\"\n"
        "\"LastFolder\"=\"/opt/T \\\"new\\\"\\\\/\"\n\n");
    EXPECT_EQ(store_.ReadString("software\\CLIPWARP\\settings\\", "VERSIONINFO"), "1.2.1.2");
    EXPECT_EQ(store_.ReadString(kSettings, "LastFolder"), "/opt/T \"new\"\\/");
    EXPECT_TRUE(store_.KeyExists("\\software\\clipwarp"));
    EXPECT_FALSE(store_.KeyExists("Software\\Other"));
}

TEST_F(RegistryStoreTest, TypedValuesRoundTripAndLongHexWraps) {
    RegistryBinary bytes(23);
    for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(i * 7);
    const std::tuple<const char*, RegistryValue, const char*> cases[] = {
        {"Count", 0xabcdefu, "\"Count\"=dword:00abcdef\n"},
        {"", "default"s, "@=\"default\"\n"},
        {"Lines", "a\nb"s, "\"Lines\"=hex(1):61,0a,62,00\n"},
        {"Long", bytes,
         "\"Long\"=hex:00,07,0e,15,1c,23,2a,31,38,3f,46,4d,54,5b,62,69,70,77,7e,85,8c,93,\\\n  "
         "9a\n"}};
    for (const auto& [name, value, line] : cases) {
        ASSERT_TRUE(store_.WriteValue("Types", name, value));
        EXPECT_EQ(store_.ReadValue("Types", name), value) << name;
        EXPECT_NE(FileText().find(line), std::string::npos) << FileText();
    }
    EXPECT_EQ(store_.ReadString("Types", "Count"), std::nullopt) << "only values of that very type";
}

TEST_F(RegistryStoreTest, ReadsHandWrittenFilesAndKeepsUnknownTypes) {
    testing::WriteTextFile(
        store_.FilePath(),
        "REGEDIT4\r\n\r\n; by hand\r\n[HKEY_CURRENT_USER\\Software\\Vendor\\App]\r\n"
        "\"Path\"=hex(2):25,00\r\n\"Bytes\"=hex:01,02,\\\r\n  03\r\n"
        "\"Number\"=hex(4):10,00,00,00\r\n\"Name\"  =  \"value\"\r\n");
    const char* key = "Software\\Vendor\\App";
    EXPECT_EQ(std::tuple(store_.ReadBinary(key, "Bytes"), store_.ReadDword(key, "Number"),
                         store_.ReadString(key, "Name")),
              std::tuple(RegistryBinary{1, 2, 3}, 16u, "value"s));
    ASSERT_TRUE(store_.WriteValue(key, "Added", "x"s));
    EXPECT_NE(FileText().find("\"Path\"=hex(2):25,00\n"), std::string::npos) << FileText();
}

TEST_F(RegistryStoreTest, CorruptFileReadsEmptyAndIsKeptAside) {
    for (const char* corrupt : {"[HKEY_CURRENT_USER\\Software]\n",  // no header
                                "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\Software]\n",
                                "REGEDIT4\n\n\"a\"=\"b\"\n",  // value outside a key
                                "REGEDIT4\n\n[HKEY_CURRENT_USER\\A]\n\"a\"=qword:1\n",
                                "REGEDIT4\n\n[HKEY_CURRENT_USER\\A]\n\"a\"=\"b\n",
                                "REGEDIT4\n\n[HKEY_CURRENT_USER\\A]\n\"a\"=hex:1g\n"}) {
        std::filesystem::remove(store_.FilePath() + ".corrupt");
        testing::WriteTextFile(store_.FilePath(), corrupt);
        EXPECT_FALSE(store_.KeyExists("A")) << corrupt;
        EXPECT_FALSE(store_.KeyExists("Software")) << corrupt;
        ASSERT_TRUE(store_.WriteValue("A", "v", std::uint32_t{1})) << corrupt;
        EXPECT_EQ(ReadTextFile(store_.FilePath() + ".corrupt"), corrupt);
        EXPECT_EQ(store_.ReadDword("A", "v"), 1u) << corrupt;
    }
    testing::WriteTextFile(store_.FilePath(), "garbage again");
    ASSERT_TRUE(store_.WriteValue("B", "v", 1u));
    EXPECT_EQ(ReadTextFile(store_.FilePath() + ".corrupt.1"), "garbage again");
}

TEST_F(RegistryStoreTest, RefusesWhatTheFormatCannotHoldAndDeletesValuesAndKeys) {
    EXPECT_FALSE(store_.WriteValue("K", "a\nb", "x"s));
    EXPECT_FALSE(store_.WriteValue("K\nL", "a", "x"s));
    EXPECT_FALSE(store_.WriteValue("K", "a", std::string("x\0y", 3)));
    EXPECT_FALSE(store_.DeleteKeyTree(""));
    EXPECT_FALSE(std::filesystem::exists(store_.FilePath()));
    for (const char* key : {"A\\B\\C", "A\\B", "A\\D"})
        ASSERT_TRUE(store_.WriteValue(key, "v", 1u));
    EXPECT_FALSE(store_.DeleteValue("A\\B", "missing"));
    EXPECT_TRUE(store_.DeleteValue("a\\b", "V"));
    EXPECT_FALSE(store_.ValueExists("A\\B", "v"));
    std::string error;
    EXPECT_FALSE(store_.DeleteKey("A\\B", &error));
    EXPECT_EQ(error, "The key has subkeys");
    EXPECT_TRUE(store_.DeleteKey("A\\B\\C"));
    EXPECT_TRUE(store_.DeleteKey("A\\B"));
    EXPECT_TRUE(store_.DeleteKeyTree("A"));
    EXPECT_FALSE(store_.DeleteKeyTree("A"));
    EXPECT_EQ(FileText(), "REGEDIT4\n\n");
}

TEST_F(RegistryStoreTest, RootsAndFoldersAreSeparate) {
    const testing::ScopedEnv unset("TESSARO_REGISTRY_DIR", nullptr),
        config("XDG_CONFIG_HOME", "/c");
    EXPECT_EQ(DefaultRegistryFolder(), "/c/Clipwarp/registry");
    const testing::ScopedEnv folder("TESSARO_REGISTRY_DIR", dir_.Path().c_str());
    ASSERT_TRUE(RegistryStore(RegistryRoot::classesRoot).WriteValue(".mkv", "", "video"s));
    EXPECT_FALSE(store_.KeyExists(".mkv"));
    EXPECT_EQ(ReadTextFile(dir_.File("HKEY_CLASSES_ROOT.reg")),
              "REGEDIT4\n\n[HKEY_CLASSES_ROOT\\.mkv]\n@=\"video\"\n\n");
}

TEST_F(RegistryStoreTest, ConcurrentWritersLoseNothing) {
    auto writer = [this](std::string prefix) {
        RegistryStore store(RegistryRoot::currentUser, dir_.Path().string());
        for (std::uint32_t i = 0; i < 25; ++i)
            store.WriteValue("Shared", prefix + std::to_string(i), i);
    };
    std::thread first(writer, "a"), second(writer, "b");
    first.join();
    second.join();
    EXPECT_EQ(store_.ValueNames("Shared").size(), 50u);
}

}  // namespace
}  // namespace tessaro::platform
