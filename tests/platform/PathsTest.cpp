#include "platform/Paths.h"

#include <gtest/gtest.h>

namespace tessaro::platform {
namespace {

struct PathCase {
    const char* path;
    const char* name;
    const char* dir;
    const char* ext;
};

class PathParts : public ::testing::TestWithParam<PathCase> {};

TEST_P(PathParts, SplitsLikeTheScriptWriterExpects) {
    const PathCase& c = GetParam();
    EXPECT_EQ(ExtractFileName(c.path), c.name);
    EXPECT_EQ(ExtractFileDir(c.path), c.dir);
    EXPECT_EQ(ExtractFileExt(c.path), c.ext);
}

INSTANTIATE_TEST_SUITE_P(
    Table, PathParts,
    ::testing::Values(PathCase{"/v/b.mkv", "b.mkv", "/v", ".mkv"},
                      PathCase{"/v/archive.tar.gz", "archive.tar.gz", "/v", ".gz"},
                      PathCase{"/v.d/noext", "noext", "/v.d", ""},
                      PathCase{"clip.AVI", "clip.AVI", "", ".AVI"},
                      PathCase{"/top.srt", "top.srt", "/", ".srt"},
                      PathCase{"/v/.hidden", ".hidden", "/v", ".hidden"},
                      PathCase{"/v/trailing.", "trailing.", "/v", "."}));

TEST(JoinPath, PutsExactlyOneSeparatorBetweenParts) {
    EXPECT_EQ(JoinPath("/out", "a.avi"), "/out/a.avi");
    EXPECT_EQ(JoinPath("/out/", "a.avi"), "/out/a.avi");
    EXPECT_EQ(JoinPath("/out/", "/a.avi"), "/out/a.avi");
    EXPECT_EQ(JoinPath("", "a.avi"), "a.avi");
    EXPECT_EQ(JoinPath("/", "a.avi"), "/a.avi");
}

TEST(StripFileExt, RemovesOnlyTheLastExtensionOfTheName) {
    EXPECT_EQ(StripFileExt("movie.part1.mkv"), "movie.part1");
    EXPECT_EQ(StripFileExt("movie"), "movie");
    EXPECT_EQ(StripFileExt("/a.d/movie"), "/a.d/movie");
}

TEST(CaseFolding, ComparesAsciiWithoutCaseAndLeavesOtherBytes) {
    EXPECT_EQ(ToLowerAscii("MPEG-4 Visual"), "mpeg-4 visual");
    EXPECT_EQ(ToLowerAscii("\xC3\x89T\xC3\x89"), "\xC3\x89t\xC3\x89");
    EXPECT_TRUE(EqualsNoCase("MEnCoder", "mencoder"));
    EXPECT_FALSE(EqualsNoCase("mencoder", "mencoder2"));
    EXPECT_FALSE(EqualsNoCase("a", "b"));
}

}  // namespace
}  // namespace tessaro::platform
