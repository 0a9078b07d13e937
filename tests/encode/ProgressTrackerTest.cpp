#include "encode/ProgressTracker.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tessaro {
namespace {

using States = std::vector<JobState>;

// mencoder's console as a run shows it: header lines, then progress records
// each rewritten in place with CR.
const std::string kEncoderHeader =
    "MEncoder UNKNOWN-12 (C) 2000-2023 MPlayer Team\n"
    "success: format: 0  data: 0x0 - 0x2e5fd\n"
    "VIDEO:  [H264]  320x240  24bpp  25.000 fps  113.9 kbps (13.9 kbyte/s)\n";

std::string Record(double position, int percent) {
    char text[160];
    std::snprintf(text, sizeof text,
                  "Pos:%5.1fs %6df (%2d%%) 96.42fps Trem:   0min   0mb  A-V:0.056 [42:127]\r",
                  position, static_cast<int>(position * 25), percent);
    return text;
}

class ProgressTrackerTest : public ::testing::Test {
protected:
    ProgressTracker Tracker(std::vector<PlannedJob> jobs) {
        return ProgressTracker(std::move(jobs), [this] { return now; });
    }

    double now = 100;
};

TEST_F(ProgressTrackerTest, PositionAgainstTheProbedLengthOrElseThePercentGivesTheJobsFraction) {
    ProgressTracker tracker =
        Tracker({{"known.mkv", 20, true}, {"unknown.avi", 0, true}, {"talk.srt", 0, false}});
    EXPECT_EQ(tracker.Progress().states, (States(3, JobState::waiting)));
    EXPECT_TRUE(tracker.Take(1, "#JOB#Job:1/3\n#STATUS#Encoding\n" + kEncoderHeader));
    // The percent mencoder shows is of the file's bytes; the position is finer.
    tracker.Take(1, Record(5.0, 71) + Record(10.0, 71));
    ASSERT_EQ(tracker.Progress().current.size(), 1u);
    EXPECT_DOUBLE_EQ(tracker.Progress().current[0].fraction, 0.5);
    EXPECT_EQ(tracker.Progress().current[0].name, "known.mkv");
    // A record cut short by the chunk counts once its CR arrives.
    EXPECT_FALSE(tracker.Take(1, "Pos:  15.0s    375f ("));
    EXPECT_TRUE(tracker.Take(1, "86%) \r"));
    EXPECT_DOUBLE_EQ(tracker.Progress().current[0].fraction, 0.75);
    tracker.End(1, JobState::done);
    tracker.Take(2, "#JOB#Job:2/3\n#STATUS#Encoding\n" + Record(1.0, 40));
    EXPECT_DOUBLE_EQ(tracker.Progress().current[0].fraction, 0.4) << "no length: the percent";
    tracker.End(2, JobState::done);
    tracker.Take(3, "#JOB#Job:3/3\n#STATUS#Encoding\nConverting 'a' To 'b'\n");
    EXPECT_DOUBLE_EQ(tracker.Progress().current[0].fraction, 0) << "a subtitle prints no records";
    tracker.End(3, JobState::done);
    const RunProgress& end = tracker.Progress();
    EXPECT_EQ(end.states, (States(3, JobState::done)));
    EXPECT_EQ(end.done, 3);
    EXPECT_EQ(end.left, 0);
    EXPECT_DOUBLE_EQ(end.fraction, 1);
}

TEST_F(ProgressTrackerTest, CountsFailedSkippedAndStoppedJobs) {
    ProgressTracker tracker = Tracker({{"a.mkv", 10, true},
                                       {"b.mkv", 10, true},
                                       {"c.avi", 0, false},
                                       {"d.mkv", 10, true},
                                       {"e.mkv", 10, true}});
    tracker.Take(1,
                 "#JOB#Job:1/5\n#STATUS#Encoding\n" + kEncoderHeader + "#STATUS#Failed: a.mkv\n");
    tracker.End(1, JobState::done);
    tracker.Take(2, "#JOB#Job:2/5\n#STATUS#Encoding\n" + Record(10, 100));
    tracker.End(2, JobState::done);
    tracker.Take(3, "#JOB#Job:3/5\n#STATUS#Encoding\nSkip \"/v/c.avi\"\n");
    tracker.Take(4, "#JOB#Job:4/5\n#STATUS#Encoding\n" + Record(2.5, 20));
    RunProgress progress = tracker.Progress();
    EXPECT_EQ(progress.states, (States{JobState::failed, JobState::done, JobState::skipped,
                                       JobState::converting, JobState::waiting}));
    EXPECT_EQ(progress.failed, 1);
    EXPECT_EQ(progress.done, 2);
    EXPECT_EQ(progress.left, 2);
    tracker.Finish(true);
    progress = tracker.Progress();
    EXPECT_EQ(progress.states[3], JobState::stopped);
    EXPECT_EQ(progress.states[4], JobState::waiting);
    EXPECT_TRUE(progress.current.empty());
}

TEST_F(ProgressTrackerTest, TheEtaWeighsTheJobsLeftByTheirLengthAtTheSpeedSoFar) {
    ProgressTracker tracker =
        Tracker({{"short.mkv", 10, true}, {"long.mkv", 30, true}, {"x.srt", 0, false}});
    tracker.Take(1, "#JOB#Job:1/3\n");
    EXPECT_FALSE(tracker.Progress().etaSeconds) << "no speed measured yet";
    now += 4;  // 5 of 10 seconds of video in 4 seconds
    tracker.Take(1, Record(5, 50));
    RunProgress progress = tracker.Progress();
    ASSERT_TRUE(progress.etaSeconds);
    // 35.5 seconds of video left (5 + 30 + a light job) at 1.25 s/s.
    EXPECT_NEAR(*progress.etaSeconds, 35.5 / 1.25, 1e-9);
    EXPECT_NEAR(progress.fraction, 5 / 40.5, 1e-9);
    EXPECT_DOUBLE_EQ(progress.elapsedSeconds, 4);
    now += 4;
    tracker.End(1, JobState::done);
    EXPECT_NEAR(*tracker.Progress().etaSeconds, 30.5 / 1.25, 1e-9);
    // A failed job takes no more time: its length leaves the estimate.
    ProgressTracker failing =
        Tracker({{"a.mkv", 10, true}, {"b.mkv", 10, true}, {"c.mkv", 10, true}});
    failing.Take(1, "#JOB#Job:1/3\n");
    now += 10;
    failing.End(1, JobState::done);
    failing.Take(2, "#JOB#Job:2/3\n#STATUS#Failed: b.mkv\n");
    failing.Take(3, "#JOB#Job:3/3\n");
    EXPECT_NEAR(*failing.Progress().etaSeconds, 10, 1e-9);
    EXPECT_NEAR(failing.Progress().fraction, 2.0 / 3, 1e-9);
}

// Two encoders side by side, their records interleaved as a run reads them.
TEST_F(ProgressTrackerTest, JobsSideBySideAddTheirWorkAndAreListedInTheOrderTheyStarted) {
    ProgressTracker tracker = Tracker(
        {{"a.mkv", 20, true}, {"b.mkv", 20, true}, {"c.mkv", 40, true}, {"d.srt", 0, false}});
    // Started in list order; the second job speaks first.
    EXPECT_TRUE(tracker.Start(1) && tracker.Start(2));
    tracker.Take(2, "#JOB#Job:2/4\n#STATUS#Encoding\n" + kEncoderHeader);
    tracker.Take(1, "#JOB#Job:1/4\n#STATUS#Encoding\n" + kEncoderHeader);
    EXPECT_FALSE(tracker.Start(1)) << "a job starts once";
    now += 10;
    tracker.Take(1, Record(5, 30));
    tracker.Take(2, Record(8.0, 44).substr(0, 20));
    tracker.Take(2, Record(8.0, 44).substr(20) + Record(10.0, 50));
    RunProgress progress = tracker.Progress();
    ASSERT_EQ(progress.current.size(), 2u);
    EXPECT_EQ(progress.current[0].number, 1) << "the first to start comes first";
    EXPECT_DOUBLE_EQ(progress.current[0].fraction, 0.25);
    EXPECT_DOUBLE_EQ(progress.current[1].fraction, 0.5);
    EXPECT_EQ(progress.states, (States{JobState::converting, JobState::converting,
                                       JobState::waiting, JobState::waiting}));
    // 15 of 80.5 seconds of video in 10 s: the list converts 1.5 s a second.
    EXPECT_NEAR(progress.fraction, 15 / 80.5, 1e-9);
    EXPECT_NEAR(*progress.etaSeconds, 65.5 / 1.5, 1e-9);
    now += 10;
    tracker.Take(2, Record(20, 100));
    tracker.End(2, JobState::done);
    tracker.Take(3, "#JOB#Job:3/4\n" + Record(10, 25));
    tracker.Take(1, Record(15, 75));
    progress = tracker.Progress();
    ASSERT_EQ(progress.current.size(), 2u);
    EXPECT_EQ(progress.current[0].number, 1);
    EXPECT_EQ(progress.current[1].number, 3);
    // 45 of 80.5 in 20 s: 2.25 s a second for the 35.5 left.
    EXPECT_NEAR(*progress.etaSeconds, 35.5 / 2.25, 1e-9);
    EXPECT_EQ(progress.done, 1);
    EXPECT_EQ(progress.left, 3);
}

TEST(FormatDuration, MinutesAndSecondsThenHours) {
    const std::pair<double, const char*> cases[] = {
        {0, "0:00"},     {59.4, "0:59"},    {59.6, "1:00"}, {65, "1:05"},
        {3599, "59:59"}, {3723, "1:02:03"}, {-3, "0:00"}};
    for (const auto& [seconds, text] : cases) EXPECT_EQ(FormatDuration(seconds), text) << seconds;
}

}  // namespace
}  // namespace tessaro
