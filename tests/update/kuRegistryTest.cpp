#include "update/utils/kuRegistry.h"
#include "update/utils/kuStringList.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>

#include "../platform/ScopedEnv.h"

namespace tessaro {
namespace {

const std::string kKey = "Software\\Clipwarp\\Update";

class RegistryTest : public ::testing::Test {
protected:
    QTemporaryDir dir_;
    testing::ScopedEnv env_{"TESSARO_REGISTRY_DIR", dir_.path().toUtf8().constData()};
};

TEST_F(RegistryTest, ValuesRoundTripByTypeAndOtherTypesOrMissingOnesGiveTheDefault) {
    std::string value = "stale";
    EXPECT_FALSE(RegGetStr(kKey, "Server", value));
    ASSERT_TRUE(RegWriteStr(kKey, "Server", "http://127.0.0.1/info.txt"));
    ASSERT_TRUE(RegWriteInt(kKey, "Interval", -7));
    ASSERT_TRUE(RegWriteBool(kKey, "AutoCheck", true));
    ASSERT_TRUE(RegWriteDateTime(kKey, "LastCheck", 45678.25));
    ASSERT_TRUE(RegWriteStr(kKey, "TooLong", std::string(1024, 't')));  // beyond the buffer
    EXPECT_TRUE(IsRegValueExists("\\\\Software\\Clipwarp\\Update", "server"));
    EXPECT_EQ(RegReadStr("\\" + kKey, "SERVER"), "http://127.0.0.1/info.txt");
    EXPECT_EQ(RegReadStr(kKey, "Server", HKEY_LOCAL_MACHINE) + RegReadStr(kKey, "TooLong"), "");
    EXPECT_EQ(RegReadInt(kKey, "Interval", 42), -7);
    EXPECT_TRUE(RegReadBool(kKey, "AutoCheck", false));
    EXPECT_EQ(RegReadDateTime(kKey, "LastCheck", -1), 45678.25);
    EXPECT_EQ(RegReadInt(kKey, "Server", 3) + RegReadInt(kKey, "Missing", 4), 7);
    EXPECT_TRUE(RegGetStr(kKey, "Interval", value));
    EXPECT_EQ(value, "");
    TkuStringList names;
    ASSERT_TRUE(RegGetValueNames(kKey, names));
    EXPECT_EQ(names.Count(), RegGetValuesCount(kKey));
    EXPECT_EQ(names.Strings(2), "AutoCheck");
    EXPECT_EQ(RegReadInt(kKey, "Interval", 9, HKEY{0x80000005}), 9);
}

TEST_F(RegistryTest, CulmVariantsUseBothRootsAndErasingHonoursRecursion) {
    ASSERT_TRUE(RegWriteIntCULM(kKey, "Count", 3));
    for (const HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE})
        EXPECT_EQ(RegReadInt(kKey, "Count", 0, root), 3);
    ASSERT_TRUE(RegEraseValueCULM(kKey, "Count"));
    EXPECT_FALSE(IsRegValueExists(kKey, "Count", HKEY_LOCAL_MACHINE));
    ASSERT_TRUE(RegWriteStr(kKey + "\\Sub", "x", "1"));
    EXPECT_FALSE(RegEraseKey(kKey, HKEY_CURRENT_USER, false));
    EXPECT_TRUE(IsRegKeyExists(kKey + "\\Sub"));
    ASSERT_TRUE(RegEraseKeyCULM("Software\\Clipwarp", true));
    EXPECT_FALSE(IsRegKeyExists(kKey, HKEY_CURRENT_USER) ||
                 IsRegKeyExists(kKey, HKEY_LOCAL_MACHINE));
}

}  // namespace
}  // namespace tessaro
