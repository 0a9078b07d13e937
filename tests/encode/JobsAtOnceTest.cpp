#include "encode/JobsAtOnce.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <sstream>
#include <string>

namespace tessaro {
namespace {

// "WIDTHxHEIGHT" a video re-encoded (decision code 4), "audio" a video whose
// picture is copied (code 1), "srt" a subtitle (code 10); words of one list
// are joined by "+".
JobList List(const std::string& words) {
    JobList rows;
    std::istringstream stream(words);
    for (std::string word; std::getline(stream, word, '+');) {
        video_struct record;
        int8_t code = 4;
        if (word == "audio") {
            code = 1;
            record.width = 1920;
            record.height = 1080;
        } else if (word == "srt") {
            code = 10;
        } else {
            std::sscanf(word.c_str(), "%dx%d", &record.width, &record.height);
        }
        rows.push_back(MakeJobRow("/v/" + word, record, code));
    }
    return rows;
}

TEST(JobsAtOnce, AutoDividesTheCoresByTheListsHeaviestJob) {
    const std::array<unsigned, 6> cores = {1, 2, 4, 8, 16, 0};
    const std::pair<const char*, std::array<int, 6>> cases[] = {
        {"320x240", {1, 2, 3, 6, 13, 1}},
        {"640x480", {1, 2, 3, 6, 13, 1}},
        {"1280x720", {1, 2, 3, 7, 14, 1}},
        {"1920x1080", {1, 2, 4, 7, 14, 1}},
        {"3840x2160", {1, 2, 4, 7, 14, 1}},
        {"1920x1080+1280x720", {1, 2, 3, 7, 14, 1}},
        {"1920x1080+srt+320x240", {1, 2, 3, 6, 13, 1}},
        {"0x0", {1, 2, 3, 6, 13, 1}},  // a size the probe could not read
        {"audio+srt", {1, 2, 4, 8, 16, 1}},
        {"", {1, 2, 4, 8, 16, 1}},
    };
    for (const auto& [list, jobs] : cases)
        for (size_t c = 0; c < cores.size(); ++c)
            EXPECT_EQ(JobsAtOnce(kJobsAtOnceAuto, cores[c], List(list)), jobs[c])
                << list << " on " << cores[c] << " cores";
}

TEST(JobsAtOnce, ACountIsTakenAsGivenAndIsAtLeastOne) {
    const JobList rows = List("320x240+1920x1080");
    for (const auto& [setting, jobs] :
         std::array<std::pair<int, int>, 4>{{{1, 1}, {3, 3}, {32, 32}, {-2, 1}}})
        EXPECT_EQ(JobsAtOnce(setting, 2, rows), jobs) << setting;
}

}  // namespace
}  // namespace tessaro
