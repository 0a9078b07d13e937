#include "encode/FileKind.h"

#include <gtest/gtest.h>

#include <array>
#include <string_view>

namespace tessaro {
namespace {

struct AcceptanceCase {
    std::string_view extension;
    std::array<bool, 3> acceptedOnSerial;
};

// Substring rules on purpose: partial extensions match whatever list holds them.
constexpr AcceptanceCase kAcceptance[] = {
    {".avi", {true, true, true}},     {".AVI", {true, true, true}},
    {".mkv", {true, true, true}},     {".m2ts", {true, true, true}},
    {".rmvb", {true, true, true}},    {".vob", {true, true, true}},
    {".srt", {false, true, true}},    {".sri", {false, true, true}},
    {".smi", {false, true, true}},    {".SMI", {false, true, true}},
    {".txt", {false, true, true}},    {".s", {false, true, true}},
    {".mp", {true, true, true}},      {".t", {true, true, true}},
    {"", {false, false, false}},      {".", {true, true, true}},
    {".mp3", {false, false, false}},  {".doc", {false, false, false}},
    {".part", {false, false, false}},
};

TEST(FileKind, AcceptanceFollowsThePatternListsPerSerial) {
    for (const auto& c : kAcceptance)
        for (int serial = 0; serial < 3; ++serial)
            EXPECT_EQ(IsAcceptedFile(c.extension, serial), c.acceptedOnSerial[serial])
                << "extension \"" << c.extension << "\" serial index " << serial;
}

struct ClassificationCase {
    std::string_view extension;
    std::array<FileKind, 3> kindOnSerial;
};

constexpr ClassificationCase kClassification[] = {
    {".vob", {FileKind::vob, FileKind::vob, FileKind::media}},
    {".VoB", {FileKind::vob, FileKind::vob, FileKind::media}},
    {".v", {FileKind::vob, FileKind::vob, FileKind::media}},
    {".avi", {FileKind::media, FileKind::media, FileKind::media}},
    {".ts", {FileKind::media, FileKind::media, FileKind::media}},
    {".MPEG", {FileKind::media, FileKind::media, FileKind::media}},
    {".srt", {FileKind::subtitle, FileKind::subtitle, FileKind::subtitle}},
    {".smi", {FileKind::subtitle, FileKind::subtitle, FileKind::subtitle}},
    {".txt", {FileKind::subtitle, FileKind::subtitle, FileKind::subtitle}},
    {".t", {FileKind::subtitle, FileKind::subtitle, FileKind::subtitle}},
    {".mp3", {FileKind::none, FileKind::none, FileKind::none}},
    {"", {FileKind::none, FileKind::none, FileKind::none}},
};

TEST(FileKind, ClassificationPrefersVobThenSubtitleThenMedia) {
    for (const auto& c : kClassification)
        for (int serial = 0; serial < 3; ++serial)
            EXPECT_EQ(ClassifyFile(c.extension, serial), c.kindOnSerial[serial])
                << "extension \"" << c.extension << "\" serial index " << serial;
}

TEST(FileKind, KindsKeepTheirNumbers) {
    EXPECT_EQ(static_cast<int>(FileKind::media), 0);
    EXPECT_EQ(static_cast<int>(FileKind::vob), 1);
    EXPECT_EQ(static_cast<int>(FileKind::subtitle), 2);
    EXPECT_EQ(static_cast<int>(FileKind::none), -1);
}

}  // namespace
}  // namespace tessaro
