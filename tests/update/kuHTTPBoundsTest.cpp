#include <sys/resource.h>

#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "HTTPTestSupport.h"
#include "update/http/kuHTTP.h"

namespace tessaro::test {
namespace {

using std::chrono::milliseconds;
using std::chrono::steady_clock;

constexpr std::uint64_t kCap = 1024 * 1024;

long PeakResidentKiB() {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

const char* FailureName(TkuHTTPFailure failure) {
    switch (failure) {
        case TkuHTTPFailure::None:
            return "None";
        case TkuHTTPFailure::Stalled:
            return "Stalled";
        case TkuHTTPFailure::TimedOut:
            return "TimedOut";
        case TkuHTTPFailure::Cut:
            return "Cut";
        case TkuHTTPFailure::TooLarge:
            return "TooLarge";
        case TkuHTTPFailure::NoDiskSpace:
            return "NoDiskSpace";
        case TkuHTTPFailure::RedirectLoop:
            return "RedirectLoop";
        case TkuHTTPFailure::RedirectRefused:
            return "RedirectRefused";
        case TkuHTTPFailure::Malformed:
            return "Malformed";
        case TkuHTTPFailure::Failed:
            return "Failed";
    }
    return "?";
}

struct BoundCase {
    std::string path;
    std::string events;  // the completion events, without the final AnyError
    TkuHTTPFailure failure;
};

class BoundsTest : public TSharedServerTest {
protected:
    // One transfer with short limits, into memory or a file; returns what it raised.
    std::string Run(TkuHTTP& http, const std::string& path, bool toFile) {
        TEventLog log(http);
        http.SetURL(path.starts_with("/") ? server.Url(path) : path);
        http.Timeouts().ConnectTimeout = 2000;
        http.Timeouts().ReceiveTimeout = 500;
        http.Timeouts().LeastRate = 1000;
        http.SetMaxBodySize(kCap);
        if (toFile) http.SetOutputFileName(dir.filePath("out.bin").toStdString());
        const auto start = steady_clock::now();
        EXPECT_TRUE(http.Read(true));
        EXPECT_LT(steady_clock::now() - start, milliseconds(3000)) << path;
        return log.Joined();
    }

    QTemporaryDir dir;
};

// Each way a server can misbehave ends in time, as a failure that says which.
TEST_F(BoundsTest, AMisbehavingServerEndsEveryTransferAsAFailureInTime) {
    // clang-format off
    const BoundCase cases[] = {
        {"/data/10000?stall=100", "ConnLost(10000,100)", TkuHTTPFailure::Stalled},
        {"/data/100?hang=1", "HostUnreachable", TkuHTTPFailure::Stalled},
        {"/data/100000?trickle=100", "ConnLost(100000,", TkuHTTPFailure::Stalled},
        {"/data/1000?length=4294967295", "ConnLost(-1,0)", TkuHTTPFailure::TooLarge},
        {"/data/1?endless=1", "ConnLost(0,1048576)", TkuHTTPFailure::TooLarge},
        {"/data/10000?chunked=1&drop=5000", "ConnLost(0,", TkuHTTPFailure::Cut},
        {"/data/10000?drop=5000", "ConnLost(10000,5000)", TkuHTTPFailure::Cut},
        {"/loop", "HostUnreachable", TkuHTTPFailure::RedirectLoop},
        {"/redirect?to=file:///etc/hostname", "HostUnreachable", TkuHTTPFailure::RedirectRefused},
        {"/data/10000?chunked=1", "Done(application/octet-stream,10000)", TkuHTTPFailure::None},
    };
    // clang-format on
    const long peak = PeakResidentKiB();
    for (const bool toFile : {false, true}) {
        for (const BoundCase& row : cases) {
            SCOPED_TRACE(row.path + (toFile ? " to a file" : " to memory"));
            TkuHTTP http;
            const std::string events = Run(http, row.path, toFile);
            EXPECT_TRUE(events.starts_with(row.events)) << events;
            EXPECT_EQ(events.ends_with("AnyError"), row.failure != TkuHTTPFailure::None) << events;
            EXPECT_STREQ(FailureName(http.LastFailure()), FailureName(row.failure));
        }
    }
    // Nothing was held beyond the cap, whatever was announced or sent.
    EXPECT_LT(PeakResidentKiB() - peak, 64 * 1024);
}

TEST_F(BoundsTest, AFileOutputKeepsTheFreeSpaceMargin) {
    TkuHTTP http;
    // No file system here has an exbibyte to spare.
    http.SetFreeSpaceMargin(std::uint64_t{1} << 60);
    EXPECT_EQ(Run(http, "/data/10000", true), "ConnLost(10000,0) AnyError");
    EXPECT_EQ(http.LastFailure(), TkuHTTPFailure::NoDiskSpace);
    TkuHTTP endless;
    endless.SetFreeSpaceMargin(std::uint64_t{1} << 60);
    EXPECT_EQ(Run(endless, "/data/1?endless=1", true), "ConnLost(0,1044480) AnyError");
    EXPECT_EQ(endless.LastFailure(), TkuHTTPFailure::NoDiskSpace);
}

TEST_F(BoundsTest, ATotalTimeoutEndsATrickleThatKeepsItsRate) {
    TkuHTTP http;
    http.Timeouts().TotalTimeout = 700;
    // 100 bytes a second is more than this transfer's least rate.
    http.SetURL(server.Url("/data/100000?trickle=10"));
    TEventLog log(http);
    const auto start = steady_clock::now();
    ASSERT_TRUE(http.Read(true));
    EXPECT_LT(steady_clock::now() - start, milliseconds(2000));
    EXPECT_TRUE(log.Joined().starts_with("ConnLost(100000,")) << log.Joined();
    EXPECT_EQ(http.LastFailure(), TkuHTTPFailure::TimedOut);
}

}  // namespace
}  // namespace tessaro::test
