#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "HTTPTestSupport.h"
#include "update/http/kuHTTP.h"
#include "update/http/kuSimpleHTTPLoader.h"
#include "update/utils/kuFileAttributes.h"

namespace tessaro::test {
namespace {

using std::chrono::steady_clock;

// A download into a file that stalls after 10000 of its 100000 bytes.
class AbortTest : public TSharedServerTest {
protected:
    void SetUp() override {
        TSharedServerTest::SetUp();
        events.Attach(*http);
        http->SetURL(server.Url("/data/100000?stall=10000"));
        http->SetOutputFileName(Output());
        http->OnProgress = [this](QObject*, const std::string&, std::int32_t, std::int32_t read,
                                  std::int32_t, std::int32_t, std::uint8_t, float,
                                  QIODevice*) { bytesRead = read; };
    }
    std::string Output() const { return dir.filePath("out.bin").toStdString(); }
    bool Stalled() {
        return PumpUntil([&] { return bytesRead == 8192; });
    }

    QTemporaryDir dir;
    std::unique_ptr<TkuHTTP> http = std::make_unique<TkuHTTP>();
    TEventLog events;
    std::int32_t bytesRead = 0;
};

TEST_F(AbortTest, EveryAbortEndsAStalledTransferWithOneAbortedEvent) {
    struct Case {
        std::string name;
        bool deleteFile, force, fromHandler;
        bool fileKept;
    };
    // clang-format off
    const Case cases[] = {
        {"pause", false, false, false, true},
        {"cooperative abort deleting", true, false, false, false},
        {"forced abort deleting", true, true, false, false},
        {"forced abort keeping", false, true, false, true},
        {"forced abort from a progress handler", true, true, true, false},
    };
    // clang-format on
    for (const Case& row : cases) {
        SCOPED_TRACE(row.name);
        auto one = std::make_unique<TkuHTTP>();
        TEventLog log(*one);
        std::int32_t read = 0;
        one->SetURL(server.Url("/data/100000?stall=10000"));
        one->SetOutputFileName(Output());
        one->OnProgress = [&](QObject*, const std::string&, std::int32_t, std::int32_t r,
                              std::int32_t, std::int32_t, std::uint8_t, float, QIODevice*) {
            read = r;
            if (row.fromHandler && read == 8192 && log.Events().empty())
                one->Abort(row.deleteFile, row.force);
        };
        ASSERT_TRUE(one->Read(false));
        ASSERT_TRUE(PumpUntil([&] { return read == 8192; }));
        const auto asked = steady_clock::now();
        if (!row.fromHandler) one->Abort(row.deleteFile, row.force);
        if (row.force) {
            EXPECT_EQ(log.Joined(), "Aborted") << "a forced abort reports at once";
        }
        ASSERT_TRUE(PumpUntil([&] { return !log.Events().empty(); }));
        // Far below the server's stall of 30 s; the latency itself is a benchmark's matter.
        EXPECT_LT(steady_clock::now() - asked, 5s);
        PumpFor(200ms);
        EXPECT_EQ(log.Joined(), "Aborted");
        EXPECT_TRUE(log.abortedOnMainThread);
        EXPECT_EQ(QFile::exists(dir.filePath("out.bin")), row.fileKept);
        if (row.fileKept) {
            EXPECT_TRUE(SameBytes(ReadFileBytes(dir.filePath("out.bin")), PatternBytes(0, 8192)));
            TkuFileAttributes attributes;
            ASSERT_TRUE(GetFileAttr(Output(), attributes));
            EXPECT_TRUE(attributes.Contains(TkuFileAttribute::atrTemporary));
        }
        ASSERT_TRUE(PumpUntil([&] { return !one->ThreadBusy(); }));
        // The component is free for the next transfer, which resumes the kept file.
        one->SetURL(server.Url("/data/100000"));
        ASSERT_TRUE(one->Resume());
        ASSERT_TRUE(PumpUntil([&] { return log.Events().size() == 2; }));
        EXPECT_EQ(log.Events().back(), "Done(application/octet-stream,100000)");
        EXPECT_TRUE(SameBytes(ReadFileBytes(dir.filePath("out.bin")), PatternBytes(0, 100000)));
        QFile::remove(dir.filePath("out.bin"));
    }
}

TEST_F(AbortTest, AWaitTimeoutAbandonsTheTransferWithoutEvents) {
    http->SetWaitTimeout(300);
    bool asked = false;
    http->OnWaitTimeoutExpired = [&](QObject*, bool& terminate) {
        asked = true;
        EXPECT_TRUE(terminate);
    };
    EXPECT_FALSE(http->Read(true));
    EXPECT_TRUE(asked);
    PumpFor(200ms);
    EXPECT_EQ(events.Joined(), "");
    EXPECT_TRUE(QFile::exists(dir.filePath("out.bin")));
    // Free again for the next transfer.
    http->SetWaitTimeout(0);
    http->SetURL(server.Url("/data/100"));
    EXPECT_TRUE(http->Read(true));
    EXPECT_EQ(events.Joined(), "Done(application/octet-stream,100)");
}

TEST_F(AbortTest, DestroyingTheComponentStopsItsTransfer) {
    ASSERT_TRUE(http->Read(false));
    ASSERT_TRUE(Stalled());
    const auto start = steady_clock::now();
    http.reset();
    EXPECT_LT(steady_clock::now() - start, 5s);
    PumpFor(100ms);
    EXPECT_EQ(events.Joined(), "");
}

TEST_F(AbortTest, AReceiveTimeoutEndsAStalledBodyAsALostConnection) {
    http->Timeouts().ReceiveTimeout = 200;
    ASSERT_TRUE(http->Read(true));
    EXPECT_EQ(events.Joined(), "ConnLost(100000,10000) AnyError");
    EXPECT_TRUE(SameBytes(ReadFileBytes(dir.filePath("out.bin")), PatternBytes(0, 10000)));
    // Time spent in a handler is not a pause of the server: 1 s in the handler, then
    // 1 s more of silence is within a limit of 1.5 s.
    TkuHTTP slow;
    TEventLog log(slow);
    slow.Timeouts().ReceiveTimeout = 1500;
    slow.OnProgress = [](QObject*, const std::string&, std::int32_t, std::int32_t read,
                         std::int32_t, std::int32_t, std::uint8_t, float, QIODevice*) {
        if (read == 8192) std::this_thread::sleep_for(1s);
    };
    slow.SetURL(server.Url("/data/100000?stall=10000&pause=2000"));
    ASSERT_TRUE(slow.Read(true));
    EXPECT_EQ(log.Joined(), "Done(application/octet-stream,100000)");
}

TEST(HTTPReadString, ReturnsTheBodyOnlyForACompleteTransfer) {
    TLoopbackServer server;
    ASSERT_NE(server.Port(), 0);
    struct Case {
        std::string url;
        std::int32_t timeout;
        std::string expected;
    };
    // clang-format off
    const Case cases[] = {
        {server.Url("/data/300"), 0, PatternBytes(0, 300)},
        {server.Url("/data/300"), 5000, PatternBytes(0, 300)},
        {server.Url("/status/404"), 0, ""},
        {server.Url("/data/300?stall=10"), 300, ""},
        {"", 0, ""},
    };
    // clang-format on
    for (const Case& row : cases) {
        SCOPED_TRACE(row.url + " " + std::to_string(row.timeout));
        const auto start = steady_clock::now();
        EXPECT_EQ(HTTPReadString(row.url, row.timeout), row.expected);
        EXPECT_LT(steady_clock::now() - start, 10s);
    }
    const std::string log = server.RequestLog();
    EXPECT_NE(log.find("\"pragma\": \"no-cache\""), std::string::npos);
}

}  // namespace
}  // namespace tessaro::test
