#include "encode/JobsAtOnce.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "encode/DecisionCode.h"

namespace tessaro {
namespace {

// Cores one job keeps busy while mencoder re-encodes a source of up to so
// many pixels a frame, measured by bench/job-core-use.sh (figures in the
// README). Small frames keep xvid's two threads busy; large ones wait more
// on the single-threaded decoder.
struct FrameCost {
    long pixels;
    double cores;
};
constexpr std::array<FrameCost, 4> kReencodeCosts = {{
    {320L * 240, 1.25},
    {640L * 480, 1.25},
    {1280L * 720, 1.17},
    {1920L * 1080, 1.11},
}};

constexpr double HeaviestReencodeCores() {
    double heaviest = 0;
    for (const FrameCost& cost : kReencodeCosts) heaviest = std::max(heaviest, cost.cores);
    return heaviest;
}

// A job that copies the video, converts only audio or text, or copies a file
// runs single-threaded tools.
constexpr double kSingleToolCores = 1.0;

double ReencodeCores(const JobRow& row) {
    const long pixels = static_cast<long>(ParseRowInteger(row.subItems[siWidth], 0)) *
                        ParseRowInteger(row.subItems[siHeight], 0);
    if (pixels <= 0) return HeaviestReencodeCores();
    for (const FrameCost& cost : kReencodeCosts)
        if (pixels <= cost.pixels) return cost.cores;
    return kReencodeCosts.back().cores;
}

double CoresPerJob(const JobRow& row) {
    return decision::ReencodesVideo(DecisionCodeOf(row)) ? ReencodeCores(row) : kSingleToolCores;
}

// Sized for the list's heaviest job, so that no mix of its jobs crowds the
// cores, and never more jobs than cores.
int AutoJobsAtOnce(unsigned cores, const JobList& rows) {
    double heaviest = kSingleToolCores;
    if (!rows.empty()) {
        heaviest = 0;
        for (const JobRow& row : rows) heaviest = std::max(heaviest, CoresPerJob(row));
    }
    const long jobs = std::lround(cores / heaviest);
    return static_cast<int>(std::clamp<long>(jobs, 1, std::max(1u, cores)));
}

}  // namespace

int JobsAtOnce(int setting, unsigned cores, const JobList& rows) {
    if (setting != kJobsAtOnceAuto) return std::max(1, setting);
    return AutoJobsAtOnce(cores, rows);
}

}  // namespace tessaro
