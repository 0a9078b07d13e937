#include "update/utils/kuRegistry.h"
#include "update/utils/kuStringList.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "../platform/ScopedEnv.h"
#include "platform/RegistryStore.h"

namespace tessaro {
namespace {

constexpr const char* kKey = "Software\\Clipwarp\\Update";

class RegistryTest : public ::testing::Test {
protected:
    std::string UserFile() const {
        return platform::RegistryStore(platform::RegistryRoot::currentUser).FilePath();
    }

    QTemporaryDir dir_;
    testing::ScopedEnv env_{"TESSARO_REGISTRY_DIR", dir_.path().toUtf8().constData()};
};

TEST_F(RegistryTest, StringsRoundTripAndMissingOnesReadEmpty) {
    EXPECT_FALSE(IsRegKeyExists(kKey));
    ASSERT_TRUE(RegWriteStr(kKey, "Server", "http://127.0.0.1/info.txt"));
    EXPECT_TRUE(IsRegKeyExists(kKey));
    EXPECT_TRUE(IsRegKeyExists("\\\\Software\\Clipwarp"));
    EXPECT_TRUE(IsRegValueExists(kKey, "server"));
    EXPECT_EQ(RegReadStr(kKey, "Server"), "http://127.0.0.1/info.txt");
    EXPECT_EQ(RegReadStr("\\" + std::string(kKey), "SERVER"), "http://127.0.0.1/info.txt");
    EXPECT_EQ(RegReadStr(kKey, "Missing"), "");
    EXPECT_EQ(RegReadStr(kKey, "Server", HKEY_LOCAL_MACHINE), "");
}

TEST_F(RegistryTest, RegGetStrReportsWhetherTheKeyOpened) {
    std::string value = "stale";
    EXPECT_FALSE(RegGetStr(kKey, "Server", value));
    EXPECT_EQ(value, "");
    ASSERT_TRUE(RegWriteInt(kKey, "Number", 5));
    value = "stale";
    EXPECT_TRUE(RegGetStr(kKey, "Server", value));
    EXPECT_EQ(value, "");
    EXPECT_TRUE(RegGetStr(kKey, "Number", value));
    EXPECT_EQ(value, "");
}

TEST_F(RegistryTest, StringsBeyondTheReadBufferAreNotRead) {
    ASSERT_TRUE(RegWriteStr(kKey, "Fits", std::string(1023, 'f')));
    ASSERT_TRUE(RegWriteStr(kKey, "TooLong", std::string(1024, 't')));
    EXPECT_EQ(RegReadStr(kKey, "Fits"), std::string(1023, 'f'));
    EXPECT_EQ(RegReadStr(kKey, "TooLong"), "");
}

TEST_F(RegistryTest, IntegersBooleansAndDateTimes) {
    EXPECT_EQ(RegReadInt(kKey, "Interval", 42), 42);
    ASSERT_TRUE(RegWriteInt(kKey, "Interval", -7));
    EXPECT_EQ(RegReadInt(kKey, "Interval", 42), -7);
    EXPECT_FALSE(RegReadBool(kKey, "AutoCheck", false));
    ASSERT_TRUE(RegWriteBool(kKey, "AutoCheck", true));
    EXPECT_TRUE(RegReadBool(kKey, "AutoCheck", false));
    ASSERT_TRUE(RegWriteBool(kKey, "AutoCheck", false));
    EXPECT_FALSE(RegReadBool(kKey, "AutoCheck", true));
    EXPECT_EQ(RegReadDateTime(kKey, "LastCheck", -1), -1);
    ASSERT_TRUE(RegWriteDateTime(kKey, "LastCheck", 45678.25));
    EXPECT_EQ(RegReadDateTime(kKey, "LastCheck", -1), 45678.25);
    // Values of another type give the default.
    ASSERT_TRUE(RegWriteStr(kKey, "Text", "12"));
    EXPECT_EQ(RegReadInt(kKey, "Text", 3), 3);
    EXPECT_EQ(RegReadDateTime(kKey, "Interval", 1.5), 1.5);
}

TEST_F(RegistryTest, BothRootsForTheCulmVariants) {
    ASSERT_TRUE(RegWriteStrCULM(kKey, "Name", "v"));
    ASSERT_TRUE(RegWriteIntCULM(kKey, "Count", 3));
    for (const HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
        EXPECT_EQ(RegReadStr(kKey, "Name", root), "v");
        EXPECT_EQ(RegReadInt(kKey, "Count", 0, root), 3);
    }
    ASSERT_TRUE(RegEraseValueCULM(kKey, "Name"));
    EXPECT_FALSE(IsRegValueExists(kKey, "Name", HKEY_CURRENT_USER));
    EXPECT_FALSE(IsRegValueExists(kKey, "Name", HKEY_LOCAL_MACHINE));
    ASSERT_TRUE(RegEraseKeyCULM("Software\\Clipwarp", true));
    EXPECT_FALSE(IsRegKeyExists(kKey, HKEY_CURRENT_USER));
    EXPECT_FALSE(IsRegKeyExists(kKey, HKEY_LOCAL_MACHINE));
}

TEST_F(RegistryTest, ErasingKeysHonoursRecursion) {
    ASSERT_TRUE(RegWriteStr(std::string(kKey) + "\\Sub", "x", "1"));
    EXPECT_FALSE(RegEraseKey(kKey, HKEY_CURRENT_USER, false));
    EXPECT_TRUE(IsRegKeyExists(kKey));
    EXPECT_TRUE(RegEraseKey(std::string(kKey) + "\\Sub", HKEY_CURRENT_USER, false));
    ASSERT_TRUE(RegWriteStr(std::string(kKey) + "\\Sub\\Deeper", "x", "1"));
    EXPECT_TRUE(RegEraseKey(kKey, HKEY_CURRENT_USER, true));
    EXPECT_FALSE(IsRegKeyExists(kKey));
    EXPECT_TRUE(IsRegKeyExists("Software\\Clipwarp"));
    EXPECT_FALSE(RegEraseValue(kKey, "x"));
}

TEST_F(RegistryTest, ValueNamesAndCount) {
    TkuStringList names;
    names.Add("stale");
    EXPECT_FALSE(RegGetValueNames(kKey, names));
    EXPECT_EQ(names.Count(), 0);
    EXPECT_EQ(RegGetValuesCount(kKey), 0);
    ASSERT_TRUE(RegWriteStr(kKey, "B", "1"));
    ASSERT_TRUE(RegWriteInt(kKey, "A", 1));
    ASSERT_TRUE(RegWriteStr(kKey, "C", "1"));
    EXPECT_EQ(RegGetValuesCount(kKey), 3);
    ASSERT_TRUE(RegGetValueNames(kKey, names));
    ASSERT_EQ(names.Count(), 3);
    EXPECT_EQ(names.Strings(0), "B");
    EXPECT_EQ(names.Strings(1), "A");
    EXPECT_EQ(names.Strings(2), "C");
}

TEST_F(RegistryTest, UnknownRootsFailQuietly) {
    constexpr HKEY kUnknown = 0x80000005;
    EXPECT_FALSE(RegWriteStr(kKey, "x", "1", kUnknown));
    EXPECT_FALSE(IsRegKeyExists(kKey, kUnknown));
    EXPECT_EQ(RegReadInt(kKey, "x", 9, kUnknown), 9);
    EXPECT_EQ(RegGetValuesCount(kKey, kUnknown), 0);
    EXPECT_FALSE(RegEraseKey(kKey, kUnknown, true));
}

TEST_F(RegistryTest, ACorruptStoreReadsEmptyAndIsKeptAside) {
    const std::string garbage = "this is not a registry file\n[[[\n\"x\"=dword:zz\n";
    std::filesystem::create_directories(std::filesystem::path(UserFile()).parent_path());
    std::ofstream(UserFile(), std::ios::binary) << garbage;
    EXPECT_FALSE(IsRegKeyExists(kKey));
    EXPECT_EQ(RegReadStr(kKey, "x"), "");
    EXPECT_EQ(RegReadInt(kKey, "x", 4), 4);
    ASSERT_TRUE(RegWriteStr(kKey, "Server", "v"));
    EXPECT_EQ(RegReadStr(kKey, "Server"), "v");
    bool keptAside = false;
    for (const auto& entry : std::filesystem::directory_iterator(dir_.path().toStdString())) {
        std::ifstream in(entry.path(), std::ios::binary);
        std::ostringstream content;
        content << in.rdbuf();
        keptAside = keptAside || content.str() == garbage;
    }
    EXPECT_TRUE(keptAside);
}

}  // namespace
}  // namespace tessaro
