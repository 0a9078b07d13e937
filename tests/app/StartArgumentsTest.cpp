#include "app/StartArguments.h"

#include <QDir>

#include <gtest/gtest.h>

namespace tessaro {
namespace {

QString Absolute(const char* name) {
    return QDir::current().absoluteFilePath(QString::fromUtf8(name));
}

TEST(StartArguments, TheStartAfterAnUpdateNamesNoFile) {
    const StartArguments afterUpdate =
        ReadStartArguments({QStringLiteral("/afterupgrade"), QStringLiteral("a.mp4")});
    EXPECT_EQ(afterUpdate.firstParameter, QStringLiteral("/afterupgrade"));
    EXPECT_EQ(afterUpdate.files, QStringList{Absolute("a.mp4")});

    // Only the exact parameter, and only first, is the engine's.
    const StartArguments withDigit = ReadStartArguments({QStringLiteral("/afterupgrade0")});
    EXPECT_EQ(withDigit.files, QStringList{QStringLiteral("/afterupgrade0")});
    const StartArguments later =
        ReadStartArguments({QStringLiteral("b.srt"), QStringLiteral("/afterupgrade")});
    EXPECT_EQ(later.firstParameter, QStringLiteral("b.srt"));
    EXPECT_EQ(later.files, (QStringList{Absolute("b.srt"), QStringLiteral("/afterupgrade")}));

    const StartArguments none = ReadStartArguments({});
    EXPECT_TRUE(none.firstParameter.isEmpty());
    EXPECT_TRUE(none.files.isEmpty());
}

}  // namespace
}  // namespace tessaro
