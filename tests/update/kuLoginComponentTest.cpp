#include "update/http/kuFiler.h"
#include "update/http/kuLoginComponent.h"

#include <QBuffer>

#include <gtest/gtest.h>

#include <string>

#include "TestRow.h"

namespace tessaro {
namespace {

std::map<std::string, QByteArray> Stored(TkuLoginComponent& component) {
    TkuPropertyWriter writer;
    component.DefineProperties(writer);
    EXPECT_TRUE(writer.Failed().empty());
    return writer.Properties();
}

TEST(TkuLoginComponent, AnEmptyLoginWritesNoProperty) {
    TkuLoginComponent component;
    EXPECT_TRUE(Stored(component).empty());
}

struct LoginCase {
    std::string username;
    std::string password;
};

void PrintTo(const LoginCase& c, std::ostream* out) {
    testing::PrintRow(c.username + "|" + c.password, out);
}

class LInfoRoundTrip : public ::testing::TestWithParam<LoginCase> {};

TEST_P(LInfoRoundTrip, ReadsBackWhatWasWritten) {
    TkuLoginComponent source;
    source.SetUsername(GetParam().username);
    source.SetPassword(GetParam().password);
    const auto properties = Stored(source);
    ASSERT_EQ(properties.size(), 1u);
    ASSERT_EQ(properties.count("LInfo"), 1u);

    TkuLoginComponent target;
    target.SetUsername("stale");
    target.SetPassword("stale");
    TkuPropertyReader reader(properties);
    target.DefineProperties(reader);
    EXPECT_TRUE(reader.Failed().empty());
    EXPECT_EQ(target.Username(), GetParam().username);
    EXPECT_EQ(target.Password(), GetParam().password);
}

INSTANTIATE_TEST_SUITE_P(Logins, LInfoRoundTrip,
                         ::testing::Values(LoginCase{"admin", "secret"}, LoginCase{"user", ""},
                                           LoginCase{"", "only-password"},
                                           LoginCase{"J\xC3\xBCrgen", "p\xC3\xA4ss"},
                                           LoginCase{std::string("nul\0in", 6), "x"},
                                           LoginCase{std::string(100, 'u'), std::string(154, 'p')},
                                           LoginCase{std::string(254, 'u'), ""}));

TEST(TkuLoginComponent, TheRecordIsLengthPrefixedAndScrambled) {
    TkuLoginComponent component;
    component.SetUsername("ab");
    component.SetPassword("xyz");
    QByteArray bytes;
    QBuffer stream(&bytes);
    stream.open(QIODevice::WriteOnly);
    ASSERT_TRUE(component.WriteData(stream));
    ASSERT_EQ(bytes.size(), 7);
    EXPECT_EQ(bytes[0], 6);  // 1 + 2 + 3
    EXPECT_FALSE(bytes.contains("ab"));
    EXPECT_FALSE(bytes.contains("xyz"));
    // One mask for every byte after the first.
    EXPECT_EQ(bytes[1] ^ bytes[2], 2 ^ 'a');
    EXPECT_EQ(bytes[2] ^ bytes[3], 'a' ^ 'b');
    EXPECT_EQ(bytes[4] ^ bytes[6], 'x' ^ 'z');
}

TEST(TkuLoginComponent, LoginsTooLongForTheRecordAreRefusedNotCut) {
    TkuLoginComponent component;
    component.SetUsername(std::string(100, 'u'));
    component.SetPassword(std::string(155, 'p'));
    EXPECT_FALSE(component.CanStoreLogin());
    QByteArray bytes;
    QBuffer stream(&bytes);
    stream.open(QIODevice::WriteOnly);
    EXPECT_FALSE(component.WriteData(stream));
    EXPECT_TRUE(bytes.isEmpty());

    TkuPropertyWriter writer;
    component.DefineProperties(writer);
    EXPECT_TRUE(writer.Properties().empty());
    ASSERT_EQ(writer.Failed().size(), 1u);
    EXPECT_EQ(writer.Failed().front(), "LInfo");
    EXPECT_EQ(component.Password().size(), 155u);
}

TEST(TkuLoginComponent, ShortOrInconsistentRecordsLeaveTheLoginAlone) {
    const QByteArray records[] = {
        QByteArray(),                   // nothing at all
        QByteArray("\x00", 1),          // N = 0: not even the length byte
        QByteArray("\x05\x01\x02", 3),  // fewer bytes than N
    };
    for (const QByteArray& record : records) {
        TkuLoginComponent component;
        component.SetUsername("kept");
        QByteArray copy = record;
        QBuffer stream(&copy);
        stream.open(QIODevice::ReadOnly);
        EXPECT_FALSE(component.ReadData(stream));
        EXPECT_EQ(component.Username(), "kept");
    }
}

TEST(TkuLoginComponent, AUserNameLengthBeyondTheRecordIsRejected) {
    // A valid record whose user-name length byte is altered to claim more bytes than exist.
    TkuLoginComponent source;
    source.SetUsername("ab");
    source.SetPassword("c");
    QByteArray bytes;
    QBuffer out(&bytes);
    out.open(QIODevice::WriteOnly);
    ASSERT_TRUE(source.WriteData(out));
    bytes[1] = static_cast<char>(bytes[1] ^ 2 ^ 9);  // length 9 instead of 2
    QBuffer in(&bytes);
    in.open(QIODevice::ReadOnly);
    TkuLoginComponent target;
    target.SetUsername("kept");
    EXPECT_FALSE(target.ReadData(in));
    EXPECT_EQ(target.Username(), "kept");
}

}  // namespace
}  // namespace tessaro
