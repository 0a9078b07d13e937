#include "update/utils/kuFileAttributes.h"
#include "update/utils/kuFileTimes.h"
#include "update/utils/kuStreams.h"

#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <QBuffer>
#include <QDate>
#include <QDateTime>
#include <QFile>
#include <QTemporaryDir>
#include <QTime>
#include <QTimeZone>

#include <gtest/gtest.h>

#include <cerrno>
#include <fstream>
#include <string>

namespace tessaro {
namespace {

class FilesTest : public ::testing::Test {
protected:
    std::string MakeFile(const std::string& name, const std::string& content) {
        const std::string path = dir_.filePath(QString::fromStdString(name)).toStdString();
        std::ofstream(path, std::ios::binary) << content;
        return path;
    }
    std::string Missing() const { return dir_.filePath("missing").toStdString(); }

    QTemporaryDir dir_;
};

// A local date-time for a UTC instant, counted with Qt's zone data.
TDateTime LocalOf(const QDateTime& utc) {
    const QDateTime local = utc.toLocalTime();
    return static_cast<double>(QDate(1899, 12, 30).daysTo(local.date())) +
           local.time().msecsSinceStartOfDay() / 86'400'000.0;
}

struct stat StatOf(const std::string& path) {
    struct stat info {};
    ::stat(path.c_str(), &info);
    return info;
}

TEST_F(FilesTest, SetFileTimesSetsModifiedAndAccessedTimes) {
    const std::string file = MakeFile("t.txt", "x");
    const QDateTime modified(QDate(2015, 3, 4), QTime(5, 6, 8), QTimeZone::utc());
    const QDateTime accessed(QDate(2016, 7, 8), QTime(9, 10, 13), QTimeZone::utc());
    ASSERT_TRUE(SetFileTimes(file, -1, LocalOf(modified), LocalOf(accessed)));
    EXPECT_EQ(StatOf(file).st_mtim.tv_sec, modified.toSecsSinceEpoch());
    // The DOS form keeps even seconds only.
    EXPECT_EQ(StatOf(file).st_atim.tv_sec, accessed.toSecsSinceEpoch() - 1);
}

TEST_F(FilesTest, SetFileTimesLeavesTimesGivenAsMinusOne) {
    const std::string file = MakeFile("t.txt", "x");
    const QDateTime modified(QDate(2015, 3, 4), QTime(5, 6, 8), QTimeZone::utc());
    ASSERT_TRUE(SetFileTimes(file, -1, LocalOf(modified), LocalOf(modified)));
    const QDateTime later(QDate(2020, 1, 2), QTime(3, 4, 6), QTimeZone::utc());
    ASSERT_TRUE(SetFileTimes(file, LocalOf(later), -1, LocalOf(later)));
    EXPECT_EQ(StatOf(file).st_mtim.tv_sec, modified.toSecsSinceEpoch());
    EXPECT_EQ(StatOf(file).st_atim.tv_sec, later.toSecsSinceEpoch());
}

TEST_F(FilesTest, SetFileTimesOnAMissingFileFails) {
    EXPECT_FALSE(SetFileTimes(Missing(), -1, 40000, 40000));
}

TEST_F(FilesTest, ExtractFileSizeGivesBytesOrMinusOne) {
    EXPECT_EQ(ExtractFileSize(MakeFile("a", "12345")), 5);
    EXPECT_EQ(ExtractFileSize(MakeFile("empty", "")), 0);
    EXPECT_EQ(ExtractFileSize(Missing()), -1);
    EXPECT_EQ(ExtractFileSize(dir_.path().toStdString()), -1);
    const std::string big = MakeFile("big", "");
    ASSERT_EQ(::truncate(big.c_str(), 5LL << 30), 0);
    EXPECT_EQ(ExtractFileSize(big), 5LL << 30);
}

TEST_F(FilesTest, ReadOnlyIsTheAbsenceOfWritePermission) {
    const std::string file = MakeFile("ro", "x");
    ASSERT_EQ(::chmod(file.c_str(), 0664), 0);
    ASSERT_TRUE(SetFileAttr(file, {TkuFileAttribute::atrReadOnly}));
    EXPECT_EQ(StatOf(file).st_mode & 0777, 0444u);
    TkuFileAttributes attributes;
    ASSERT_TRUE(GetFileAttr(file, attributes));
    EXPECT_TRUE(attributes.Contains(TkuFileAttribute::atrReadOnly));

    ASSERT_TRUE(SetFileAttr(file, {}));
    EXPECT_EQ(StatOf(file).st_mode & 0777, 0644u);
    ASSERT_TRUE(GetFileAttr(file, attributes));
    EXPECT_FALSE(attributes.Contains(TkuFileAttribute::atrReadOnly));
}

bool SupportsUserXattrs(const std::string& file) {
    if (::setxattr(file.c_str(), "user.probe", "1", 1, 0) != 0) return false;
    ::removexattr(file.c_str(), "user.probe");
    return true;
}

TEST_F(FilesTest, OtherAttributesLiveInTheDosAttributeWhereSupported) {
    const std::string file = MakeFile("attrs", "x");
    if (!SupportsUserXattrs(file)) GTEST_SKIP() << "no user extended attributes here";
    const TkuFileAttributes set = {TkuFileAttribute::atrHidden, TkuFileAttribute::atrArchive,
                                   TkuFileAttribute::atrReadOnly, TkuFileAttribute::atrTemporary};
    ASSERT_TRUE(SetFileAttr(file, set));
    char text[32] = {};
    const ssize_t length = ::getxattr(file.c_str(), "user.DOSATTRIB", text, sizeof text - 1);
    EXPECT_EQ(std::string(text, length > 0 ? static_cast<std::size_t>(length) : 0), "0x122");
    TkuFileAttributes read;
    ASSERT_TRUE(GetFileAttr(file, read));
    EXPECT_EQ(read, set);

    ASSERT_TRUE(SetFileAttr(file, {TkuFileAttribute::atrOffline}));
    ASSERT_TRUE(GetFileAttr(file, read));
    EXPECT_EQ(read, TkuFileAttributes{TkuFileAttribute::atrOffline});
    ASSERT_TRUE(SetFileAttr(file, {}));
    EXPECT_EQ(::getxattr(file.c_str(), "user.DOSATTRIB", text, sizeof text), -1);
}

TEST_F(FilesTest, AttributesOfAMissingFileFail) {
    TkuFileAttributes attributes = {TkuFileAttribute::atrSystem};
    EXPECT_FALSE(GetFileAttr(Missing(), attributes));
    EXPECT_EQ(attributes, TkuFileAttributes{TkuFileAttribute::atrSystem});
    EXPECT_FALSE(SetFileAttr(Missing(), {TkuFileAttribute::atrHidden}));
}

TEST(FileAttributes, MapToTheWindowsBits) {
    EXPECT_EQ(ToWindowsAttributes({TkuFileAttribute::atrArchive}), 0x20u);
    EXPECT_EQ(ToWindowsAttributes({TkuFileAttribute::atrHidden, TkuFileAttribute::atrReadOnly,
                                   TkuFileAttribute::atrSystem, TkuFileAttribute::atrTemporary,
                                   TkuFileAttribute::atrOffline}),
              0x1107u);
    EXPECT_EQ(FromWindowsAttributes(0x10 | 0x20 | 0x80000),
              TkuFileAttributes{TkuFileAttribute::atrArchive});
    EXPECT_EQ(TkuFileAttributes({TkuFileAttribute::atrReadOnly}).Bits(), 1u << 2);
}

TEST(LoadResourceToStream, AppendsTheResourceBytes) {
    QBuffer stream;
    stream.open(QIODevice::ReadWrite);
    stream.write("head:");
    stream.seek(0);
    ASSERT_TRUE(LoadResourceToStream("HELPER", "KUUPG", &stream));
    EXPECT_EQ(stream.data(), QByteArray("head:helper image bytes\n"));
}

TEST(LoadResourceToStream, RefusesMissingEmptyOrUnwritableTargets) {
    QBuffer stream;
    stream.open(QIODevice::ReadWrite);
    EXPECT_FALSE(LoadResourceToStream("HELPER", "KUUPG", nullptr));
    EXPECT_FALSE(LoadResourceToStream("NOPE", "KUUPG", &stream));
    EXPECT_FALSE(LoadResourceToStream("EMPTY", "KUUPG", &stream));
    EXPECT_FALSE(LoadResourceToStream(nullptr, "KUUPG", &stream));
    EXPECT_EQ(stream.size(), 0);
    QBuffer readOnly;
    readOnly.open(QIODevice::ReadOnly);
    EXPECT_FALSE(LoadResourceToStream("HELPER", "KUUPG", &readOnly));
}

TEST(StreamToString, ReadsFromThePositionToTheEnd) {
    QBuffer stream;
    stream.setData(QByteArray("0123456789", 10));
    stream.open(QIODevice::ReadOnly);
    stream.seek(4);
    EXPECT_EQ(StreamToString(&stream), "456789");
    EXPECT_EQ(StreamToString(&stream), "");
    EXPECT_EQ(StreamToString(nullptr), "");
    QBuffer closed;
    EXPECT_EQ(StreamToString(&closed), "");
}

TEST(StreamToString, KeepsZeroBytes) {
    QBuffer stream;
    stream.setData(QByteArray("a\0b", 3));
    stream.open(QIODevice::ReadOnly);
    EXPECT_EQ(StreamToString(&stream), std::string("a\0b", 3));
}

}  // namespace
}  // namespace tessaro
