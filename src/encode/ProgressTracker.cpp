#include "encode/ProgressTracker.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <numeric>

#include "encode/RunMarkers.h"

namespace tessaro {
namespace {

// What a copy or a subtitle weighs against seconds of video to convert.
constexpr double kLightJobWeight = 0.5;
// The weight of a video whose length is unknown, when no other length is known.
constexpr double kUnknownVideoWeight = 60;

std::optional<double> ParseNumber(std::string_view text) {
    const size_t end = text.find_first_not_of("0123456789.");
    const std::string number(text.substr(0, end));
    if (number.empty()) return std::nullopt;
    double value = 0;
    const auto [rest, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (error != std::errc() || rest != number.data() + number.size()) return std::nullopt;
    return value;
}

// "Pos:  25.2s    632f ( 44%) ..." -> 25.2 and 44.
std::optional<double> PositionOf(std::string_view record) {
    record.remove_prefix(kProgressRecord.size());
    const size_t start = record.find_first_not_of(' ');
    if (start == std::string_view::npos) return std::nullopt;
    return ParseNumber(record.substr(start));
}

std::optional<double> PercentOf(std::string_view record) {
    const size_t percent = record.find("%)");
    if (percent == std::string_view::npos) return std::nullopt;
    const size_t open = record.rfind('(', percent);
    if (open == std::string_view::npos) return std::nullopt;
    std::string_view digits = record.substr(open + 1, percent - open - 1);
    digits.remove_prefix(std::min(digits.find_first_not_of(' '), digits.size()));
    return ParseNumber(digits);
}

}  // namespace

std::string FormatDuration(double seconds) {
    const long total = std::lround(std::max(0.0, seconds));
    char text[32];
    if (total >= 3600)
        std::snprintf(text, sizeof text, "%ld:%02ld:%02ld", total / 3600, total / 60 % 60,
                      total % 60);
    else
        std::snprintf(text, sizeof text, "%ld:%02ld", total / 60, total % 60);
    return text;
}

ProgressTracker::ProgressTracker(std::vector<PlannedJob> jobs, Clock clock)
    : jobs_(std::move(jobs)),
      clock_(std::move(clock)),
      started_(clock_()),
      fractions_(jobs_.size(), 0),
      pending_(jobs_.size()) {
    progress_.jobCount = static_cast<int>(jobs_.size());
    progress_.states.assign(jobs_.size(), JobState::waiting);
    Recompute();
}

bool ProgressTracker::Start(int number) {
    if (number < 1 || number > progress_.jobCount) return false;
    const size_t index = static_cast<size_t>(number - 1);
    if (progress_.states[index] != JobState::waiting) return false;
    StartJob(index);
    Recompute();
    return true;
}

bool ProgressTracker::Take(int number, std::string_view chunk) {
    if (number < 1 || number > progress_.jobCount) return false;
    const size_t index = static_cast<size_t>(number - 1);
    std::string& pending = pending_[index];
    bool changed = false;
    for (const char c : chunk) {
        if (c != '\r' && c != '\n') {
            pending += c;
            continue;
        }
        changed = TakeLine(index, pending) || changed;
        pending.clear();
    }
    // mencoder rewrites its record in place: a record is whole once the next begins.
    if (changed) Recompute();
    return changed;
}

bool ProgressTracker::TakeLine(size_t index, std::string_view line) {
    if (line.starts_with(kJobMarker)) {
        StartJob(index);
        return true;
    }
    if (progress_.states[index] != JobState::converting) return false;
    if (line.starts_with(StatusLine(kFailedStatus))) {
        EndJob(index, JobState::failed);
        return true;
    }
    if (line.starts_with(kSkipNote)) {
        EndJob(index, JobState::skipped);
        return true;
    }
    return line.starts_with(kProgressRecord) && TakeProgressRecord(index, line);
}

void ProgressTracker::StartJob(size_t index) {
    if (progress_.states[index] == JobState::converting) return;
    progress_.states[index] = JobState::converting;
    fractions_[index] = 0;
    running_.push_back(index);
}

void ProgressTracker::EndJob(size_t index, JobState state) {
    progress_.states[index] = state;
    fractions_[index] = 0;
    std::erase(running_, index);
}

void ProgressTracker::End(int number, JobState state) {
    if (number < 1 || number > progress_.jobCount) return;
    const size_t index = static_cast<size_t>(number - 1);
    // Its output may have ended it already, as failed or skipped.
    if (progress_.states[index] != JobState::converting) return;
    EndJob(index, state);
    Recompute();
}

bool ProgressTracker::TakeProgressRecord(size_t index, std::string_view line) {
    const PlannedJob& job = jobs_[index];
    std::optional<double> fraction;
    if (const auto position = PositionOf(line); position && job.durationSeconds > 0)
        fraction = *position / job.durationSeconds;
    else if (const auto percent = PercentOf(line))
        fraction = *percent / 100;
    if (!fraction) return false;
    fractions_[index] = std::clamp(*fraction, 0.0, 1.0);
    return true;
}

void ProgressTracker::Finish(bool stopped) {
    for (const size_t index : std::vector<size_t>(running_))
        EndJob(index, stopped ? JobState::stopped : JobState::done);
    Recompute();
}

void ProgressTracker::MarkFailed(int number) {
    if (number < 1 || number > progress_.jobCount) return;
    EndJob(static_cast<size_t>(number - 1), JobState::failed);
    Recompute();
}

double ProgressTracker::Weight(size_t index) const {
    const PlannedJob& job = jobs_[index];
    if (!job.encodes) return kLightJobWeight;
    if (job.durationSeconds > 0) return job.durationSeconds;
    // An unknown length counts as the average of the known ones.
    double known = 0;
    int count = 0;
    for (const PlannedJob& other : jobs_) {
        if (!other.encodes || other.durationSeconds <= 0) continue;
        known += other.durationSeconds;
        ++count;
    }
    return count > 0 ? known / count : kUnknownVideoWeight;
}

void ProgressTracker::Recompute() {
    RunProgress& p = progress_;
    p.done = p.failed = p.left = 0;
    p.current.clear();
    double converted = 0;  // work done at the measured speed
    double ended = 0;      // work of failed jobs, which took no more time
    double left = 0;
    for (size_t i = 0; i < jobs_.size(); ++i) {
        const double weight = Weight(i);
        switch (p.states[i]) {
            case JobState::done:
            case JobState::skipped:
                ++p.done;
                converted += weight;
                break;
            case JobState::failed:
                ++p.failed;
                ended += weight;
                break;
            case JobState::converting:
                ++p.left;
                converted += weight * fractions_[i];
                left += weight * (1 - fractions_[i]);
                break;
            case JobState::waiting:
            case JobState::stopped:
                ++p.left;
                left += weight;
                break;
        }
    }
    for (const size_t i : running_)
        p.current.push_back({static_cast<int>(i) + 1, jobs_[i].name, fractions_[i]});
    const double total = converted + ended + left;
    p.elapsedSeconds = clock_() - started_;
    p.fraction = total > 0 ? (converted + ended) / total : 1;
    p.etaSeconds.reset();
    if (converted > 0 && p.elapsedSeconds > 0) p.etaSeconds = p.elapsedSeconds / converted * left;
}

const RunProgress& ProgressTracker::Progress() {
    progress_.elapsedSeconds = clock_() - started_;
    return progress_;
}

}  // namespace tessaro
