#include <QBuffer>
#include <QTemporaryDir>

#include <sys/resource.h>

#include <gtest/gtest.h>

#include <csignal>
#include <optional>
#include <set>
#include <tuple>

#include "HTTPTestSupport.h"
#include "update/http/kuHTTP.h"
#include "update/http/kuHTTPProgress.h"
#include "update/utils/kuFileAttributes.h"

namespace tessaro::test {
namespace {

const TkuFileAttributes kIncomplete = {TkuFileAttribute::atrArchive,
                                       TkuFileAttribute::atrTemporary};
const TkuFileAttributes kComplete = {TkuFileAttribute::atrArchive};

class TransferTest : public TSharedServerTest {
protected:
    void SetUp() override {
        TSharedServerTest::SetUp();
        events.Attach(http);
    }
    // The Range header of each request since the log was cleared ("-" for none).
    std::vector<std::string> RangesRequested() const { return server.Logged("range"); }
    std::string Output() const { return dir.filePath("out.bin").toStdString(); }
    std::string OutputBytes() const { return ReadFileBytes(dir.filePath("out.bin")); }
    TkuFileAttributes OutputAttributes() const {
        TkuFileAttributes attributes;
        GetFileAttr(Output(), attributes);
        return attributes;
    }

    QTemporaryDir dir;
    TkuHTTP http;
    TEventLog events;
};

struct OutcomeCase {
    std::string path;
    bool toFile;
    std::string expectedEvents;
    std::optional<std::string> expectedBytes;  // file or memory; nullopt: no file at all
};

TEST_F(TransferTest, DownloadsEndInTheEventsOfTheirOutcome) {
    const std::string full = PatternBytes(0, 10000);
    const std::string dead = "http://127.0.0.1:" + std::to_string(FreeLoopbackPort()) + "/x";
    const std::string noScheme = "127.0.0.1:" + std::to_string(server.Port()) + "/data/300";
    // clang-format off
    const OutcomeCase cases[] = {
        {"/data/10000", false, "Done(application/octet-stream,10000)", full},
        {"/data/10000", true, "Done(application/octet-stream,10000)", full},
        {"/data/10000?nolength=1", true, "Done(application/octet-stream,10000)", full},
        {"/data/0", false, "Done(application/octet-stream,0)", ""},
        {"/redirect?to=/data/10000", false, "Done(application/octet-stream,10000)", full},
        {"/data/10000?drop=5000", true, "ConnLost(10000,5000) AnyError", full.substr(0, 5000)},
        {"/status/404", true, "HTTPError(404) AnyError", std::nullopt},
        {"/status/500", false, "HTTPError(500) AnyError", "status 500"},
        {dead, true, "HostUnreachable AnyError", std::nullopt},
        {noScheme, false, "Done(application/octet-stream,300)", PatternBytes(0, 300)},
    };
    // clang-format on
    for (const OutcomeCase& row : cases) {
        SCOPED_TRACE(row.path);
        QFile::remove(dir.filePath("out.bin"));
        TkuHTTP one;
        TEventLog log(one);
        one.SetURL(row.path.starts_with("/") ? server.Url(row.path) : row.path);
        if (row.toFile) one.SetOutputFileName(Output());
        ASSERT_TRUE(one.Read(true));
        EXPECT_EQ(log.Joined(), row.expectedEvents);
        EXPECT_EQ(log.doneHadStream, !row.toFile && row.expectedEvents.starts_with("Done"));
        const bool fileExists = QFile::exists(dir.filePath("out.bin"));
        EXPECT_EQ(fileExists, row.toFile && row.expectedBytes.has_value());
        if (row.expectedBytes && row.toFile) {
            EXPECT_TRUE(SameBytes(OutputBytes(), *row.expectedBytes));
        }
        if (row.expectedBytes && !row.toFile) {
            EXPECT_TRUE(SameBytes(log.body, *row.expectedBytes));
        }
        if (fileExists) {
            EXPECT_EQ(OutputAttributes(),
                      row.expectedEvents.starts_with("Done") ? kComplete : kIncomplete);
        }
        EXPECT_FALSE(one.ThreadBusy());
    }
}

TEST_F(TransferTest, AFailingWriteNeverEndsAsACompleteDownload) {
    // The file may grow to 6000 bytes: the body cannot be written whole.
    rlimit previous{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &previous), 0);
    const auto previousHandler = ::signal(SIGXFSZ, SIG_IGN);
    rlimit limited = previous;
    limited.rlim_cur = 6000;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &limited), 0);
    http.SetURL(server.Url("/data/10000"));
    http.SetOutputFileName(Output());
    const bool started = http.Read(true);
    ::setrlimit(RLIMIT_FSIZE, &previous);
    ::signal(SIGXFSZ, previousHandler);
    ASSERT_TRUE(started);
    EXPECT_EQ(events.Joined(), "AnyError ConnLost(10000,10000) AnyError");
    EXPECT_EQ(OutputAttributes(), kIncomplete);
}

TEST_F(TransferTest, LocalFilesGoThroughTheSameBodyLoop) {
    const std::string source = dir.filePath("source.bin").toStdString();
    const std::string bytes = PatternBytes(0, 9000);
    ASSERT_TRUE(WriteFileBytes(QString::fromStdString(source), bytes));
    for (const auto& [url, events, body] :
         {std::tuple{"file://" + source, "Done(,9000)", bytes},
          std::tuple{"file://" + source + ".missing", "HTTPError(404) AnyError", std::string()}}) {
        SCOPED_TRACE(url);
        TkuHTTP one;
        TEventLog log(one);
        one.SetURL(url);
        ASSERT_TRUE(one.Read(true));
        EXPECT_EQ(log.Joined(), events);
        EXPECT_TRUE(SameBytes(log.body, body));
    }
}

TEST_F(TransferTest, HeaderInfoReportsTheResponseAndCanDeclineTheBody) {
    for (const bool decline : {false, true}) {
        TkuHTTP one;
        TEventLog log(one);
        TDateTime date = 0, modified = 0, expires = 0;
        std::int32_t code = 0, length = -1;
        one.OnHeaderInfo = [&](QObject*, std::int32_t error, const std::string&, const std::string&,
                               const std::string&, const std::string&, std::int32_t size,
                               const std::string&, TDateTime d, TDateTime m, TDateTime e,
                               const std::string&, bool& continueDownload) {
            EXPECT_TRUE(OnMainThread());
            code = error, length = size, date = d, modified = m, expires = e;
            continueDownload = !decline;
        };
        one.SetURL(server.Url("/headers"));
        one.SetOutputFileName(Output());
        QFile::remove(dir.filePath("out.bin"));
        ASSERT_TRUE(one.Read(true));
        EXPECT_EQ(log.Joined(), decline ? "DoneInterrupted" : "Done(text/plain,7)");
        EXPECT_EQ(QFile::exists(dir.filePath("out.bin")), !decline);
        EXPECT_EQ(code, 200);
        EXPECT_EQ(length, 7);
        EXPECT_LT(modified, expires);
        EXPECT_GT(modified, 34000);  // 1994
        EXPECT_GT(date, expires) << "the server's own date comes first";
        EXPECT_TRUE(one.Read(true)) << "an interruption clears the started mark";
    }
}

TEST_F(TransferTest, PasswordRequestsRetryWithTheNewLogin) {
    struct Case {
        std::string name;
        bool handler, tryAgain;
        std::string urlLogin;
        std::string events;
        std::size_t requests;
    };
    // clang-format off
    const Case cases[] = {
        {"handler supplies the login", true, true, "", "Done(application/octet-stream,100)", 2},
        {"handler gives up", true, false, "", "HTTPError(401) AnyError", 1},
        {"no handler", false, false, "", "HTTPError(401) AnyError", 1},
        {"login in the URL", false, false, "u:p@", "Done(application/octet-stream,100)", 1},
    };
    // clang-format on
    for (const Case& row : cases) {
        SCOPED_TRACE(row.name);
        server.ClearLog();
        TkuHTTP one;
        TEventLog log(one);
        std::string realm;
        if (row.handler)
            one.OnPasswordRequest = [&](QObject*, const std::string& r, bool& tryAgain) {
                realm = r;
                one.SetUsername("u");
                one.SetPassword("p");
                tryAgain = row.tryAgain;
            };
        one.SetURL("http://" + row.urlLogin + "127.0.0.1:" + std::to_string(server.Port()) +
                   "/data/100?auth=u:p");
        ASSERT_TRUE(one.Read(true));
        EXPECT_EQ(log.Joined(), row.events);
        EXPECT_EQ(RangesRequested().size(), row.requests);
        if (row.handler) {
            EXPECT_EQ(realm, "Tessaro test");
        }
    }
}

TEST(PrepareProgressParams, DerivesTheReportedValues) {
    struct Case {
        std::uint32_t size, done, offset, ms;
        TkuHTTPProgressValues expected;
    };
    // clang-format off
    const Case cases[] = {
        {1000, 500, 0, 2000, {50, 2, 2, 500.0f / 1024 / 2}},
        {1000, 500, 1000, 2500, {75, 2, 2, 500.0f / 1024 / 2}},
        {0, 4096, 0, 999, {0, 0, 0, 4.0f}},
        {0, 4096, 0, 3000, {0, 3, -3, 4.0f / 3}},
        {1000, 0, 0, 5000, {0, 5, -5, 0}},
        {3000, 1000, 0, 1000, {33, 1, 2, 1000.0f / 1024}},
    };
    // clang-format on
    for (const Case& row : cases) {
        const TkuHTTPProgressValues values =
            PrepareProgressParams(row.size, row.done, row.offset, row.ms);
        EXPECT_EQ(values.PercentsDone, row.expected.PercentsDone) << row.size << " " << row.done;
        EXPECT_EQ(values.ElapsedTime, row.expected.ElapsedTime);
        EXPECT_EQ(values.EstimatedTimeLeft, row.expected.EstimatedTimeLeft);
        EXPECT_FLOAT_EQ(values.TransferRate, row.expected.TransferRate);
    }
}

TEST_F(TransferTest, ProgressComesOncePerBlockIntoAPresizedMemoryStream) {
    for (const bool withLength : {true, false}) {
        SCOPED_TRACE(withLength);
        TkuHTTP one;
        TEventLog log(one);
        one.SetTransferBufferSize(8192);
        int calls = 0;
        std::int32_t lastRead = 0, lastSize = -1;
        std::uint8_t lastPercent = 0;
        std::set<const char*> storage;
        bool estimateIsMinusElapsed = true;
        one.OnProgress = [&](QObject*, const std::string&, std::int32_t size, std::int32_t read,
                             std::int32_t elapsed, std::int32_t left, std::uint8_t percent, float,
                             QIODevice* stream) {
            EXPECT_TRUE(OnMainThread());
            ++calls;
            lastRead = read, lastSize = size, lastPercent = percent;
            estimateIsMinusElapsed = estimateIsMinusElapsed && left == -elapsed;
            storage.insert(static_cast<QBuffer*>(stream)->buffer().constData());
        };
        one.SetURL(server.Url(withLength ? "/data/1000000" : "/data/1000000?nolength=1"));
        ASSERT_TRUE(one.Read(true));
        EXPECT_EQ(log.Joined(), "Done(application/octet-stream,1000000)");
        EXPECT_TRUE(SameBytes(log.body, PatternBytes(0, 1000000)));
        EXPECT_EQ(calls, (1000000 + 8191) / 8192);
        EXPECT_EQ(lastRead, 1000000);
        EXPECT_EQ(lastSize, withLength ? 1000000 : 0);
        EXPECT_EQ(lastPercent, withLength ? 100 : 0);
        if (withLength) {
            EXPECT_EQ(storage.size(), 1u) << "the body must not be reallocated";
        }
        if (!withLength) {
            EXPECT_TRUE(estimateIsMinusElapsed);
        }
    }
}

TEST_F(TransferTest, AnOutputFileThatCannotBeOpenedIsReported) {
    struct Case {
        std::string query, events;
    };
    // clang-format off
    const Case cases[] = {
        {"", "AnyError OutputFileError"},
        // Without a length the body goes to memory instead.
        {"?nolength=1", "Done(application/octet-stream,100)"},
    };
    // clang-format on
    for (const Case& row : cases) {
        TkuHTTP one;
        TEventLog log(one);
        one.SetURL(server.Url("/data/100" + row.query));
        one.SetOutputFileName(dir.filePath("missing/out.bin").toStdString());
        ASSERT_TRUE(one.Read(true));
        EXPECT_EQ(log.Joined(), row.events);
        EXPECT_TRUE(one.Read(true)) << "the started mark is clear again";
    }
}

TEST_F(TransferTest, AHandlerCanStartTheNextTransferFromTheCompletion) {
    const QString second = dir.filePath("second.bin");
    int done = 0;
    http.SetURL(server.Url("/data/20000"));
    http.SetOutputFileName(Output());
    http.OnDone = [&](QObject*, const std::string&, std::int32_t size, QIODevice*) {
        events.Add("Done(" + std::to_string(size) + ")");
        if (++done > 1) return;
        http.SetURL(server.Url("/data/30000"));
        http.SetOutputFileName(second.toStdString());
        EXPECT_TRUE(http.Read(false));
    };
    http.OnHTTPError = [&](QObject*, std::int32_t code, QIODevice*) {
        events.Add("HTTPError(" + std::to_string(code) + ")");
        http.ReleaseHTTPStream();
        http.SetURL(server.Url("/data/20000"));
        EXPECT_TRUE(http.Read(false));
    };
    http.SetURL(server.Url("/status/503"));
    ASSERT_TRUE(http.Read(false));
    ASSERT_TRUE(PumpUntil([&] { return done == 2 && !http.ThreadBusy(); }));
    PumpFor(50ms);
    EXPECT_EQ(events.Joined(), "HTTPError(503) AnyError Done(20000) Done(30000)");
    EXPECT_TRUE(SameBytes(OutputBytes(), PatternBytes(0, 20000)));
    EXPECT_TRUE(SameBytes(ReadFileBytes(second), PatternBytes(0, 30000)));
    TkuFileAttributes attributes;
    ASSERT_TRUE(GetFileAttr(second.toStdString(), attributes));
    EXPECT_EQ(attributes, kComplete);
}

}  // namespace
}  // namespace tessaro::test
