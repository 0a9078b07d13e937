#include <QBuffer>
#include <QPointer>
#include <QTemporaryDir>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <optional>
#include <set>

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

struct ResumeCase {
    std::string name;
    std::optional<std::string> onDisk;
    std::string query;
    std::string expected;
    std::vector<std::string> ranges;
    std::int32_t headerLength;  // ContentLength given to OnHeaderInfo (first response)
};

TEST_F(TransferTest, ResumeContinuesOnlyAFileThatTheServerStillHas) {
    const std::string full = PatternBytes(0, 50000);
    const std::string offset = "bytes=" + std::to_string(20000 - 4096) + "-";
    // clang-format off
    const ResumeCase cases[] = {
        {"no file", std::nullopt, "", full, {"-"}, 50000},
        {"file not larger than a block", std::string(4096, 'x'), "", full, {"-"}, 50000},
        {"matching prefix", full.substr(0, 20000), "", full, {offset}, 50000},
        {"changed on the server", full.substr(0, 20000), "alter=1", PatternBytes(0, 50000, true),
         {offset, "-"}, 50000},
        {"server ignores ranges", full.substr(0, 20000) + "garbage", "ranges=ignore", full,
         {"bytes=" + std::to_string(20007 - 4096) + "-"}, 50000},
    };
    // clang-format on
    for (const ResumeCase& row : cases) {
        SCOPED_TRACE(row.name);
        server.ClearLog();
        ASSERT_TRUE(PrepareFile(dir.filePath("out.bin"), row.onDisk));
        TkuHTTP one;
        TEventLog log(one);
        std::vector<std::int32_t> lengths;
        one.OnHeaderInfo = [&](QObject*, std::int32_t, const std::string&, const std::string&,
                               const std::string&, const std::string&, std::int32_t length,
                               const std::string&, TDateTime, TDateTime, TDateTime,
                               const std::string&, bool&) { lengths.push_back(length); };
        one.SetURL(server.Url("/data/50000" + (row.query.empty() ? "" : "?" + row.query)));
        one.SetOutputFileName(Output());
        one.SetWaitThread(true);
        ASSERT_TRUE(one.Resume());
        EXPECT_EQ(log.Joined(), "Done(application/octet-stream,50000)");
        EXPECT_TRUE(SameBytes(OutputBytes(), row.expected));
        EXPECT_EQ(RangesRequested(), row.ranges);
        ASSERT_FALSE(lengths.empty());
        EXPECT_EQ(lengths.front(), row.headerLength);
    }
}

TEST_F(TransferTest, UnsatisfiableRangeProbesTheFullLength) {
    const std::string full = PatternBytes(0, 50000);
    struct Case {
        std::string query;
        std::uint32_t start;
        std::string events;
        std::string expected;
        std::vector<std::string> ranges;
    };
    // clang-format off
    const Case cases[] = {
        // The file is complete already: nothing is fetched.
        {"", 50000, "AnyError OutputFileError", full, {"bytes=50000-", "bytes=0-"}},
        // The probe learns no length: the whole file is fetched again.
        {"r416=always", 20000, "Done(application/octet-stream,50000)", full,
         {"bytes=20000-", "bytes=0-", "-"}},
    };
    // clang-format on
    for (const Case& row : cases) {
        SCOPED_TRACE(row.query);
        server.ClearLog();
        ASSERT_TRUE(WriteFileBytes(dir.filePath("out.bin"), full.substr(0, row.start)));
        TkuHTTP one;
        TEventLog log(one);
        one.SetURL(server.Url("/data/50000" + (row.query.empty() ? "" : "?" + row.query)));
        one.SetOutputFileName(Output());
        ASSERT_TRUE(one.ReadRange(row.start, 0, true));
        EXPECT_EQ(log.Joined(), row.events);
        EXPECT_TRUE(SameBytes(OutputBytes(), row.expected));
        EXPECT_EQ(RangesRequested(), row.ranges);
        // A new transfer can start: the started mark is clear.
        EXPECT_TRUE(one.Read(true));
    }
}

TEST_F(TransferTest, AnOutputThatCannotBePositionedStartsAgainFromZeroOnce) {
    const QString fifo = dir.filePath("fifo");
    ASSERT_EQ(::mkfifo(fifo.toLocal8Bit().constData(), 0600), 0);
    // The pipe keeps what is written only while someone holds it open.
    const int reader = ::open(fifo.toLocal8Bit().constData(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    http.SetURL(server.Url("/data/1000"));
    http.SetOutputFileName(fifo.toStdString());
    ASSERT_TRUE(http.ReadRange(100, 0, true));
    EXPECT_EQ(events.Joined(), "Done(application/octet-stream,1000)");
    EXPECT_EQ(RangesRequested(), (std::vector<std::string>{"bytes=100-", "-"}));
    std::string piped(2000, '\0');
    const ssize_t got = ::read(reader, piped.data(), piped.size());
    ::close(reader);
    ASSERT_GE(got, 0);
    piped.resize(static_cast<std::size_t>(got));
    EXPECT_TRUE(SameBytes(piped, PatternBytes(0, 1000)));
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

TEST_F(TransferTest, FreeOnTerminateFreesTheComponentAfterItsCompletion) {
    auto* owned = new TkuHTTP();
    const QPointer<TkuHTTP> component(owned);
    TEventLog log(*owned);
    owned->SetFreeOnTerminate(true);
    owned->SetURL(server.Url("/data/10"));
    ASSERT_TRUE(owned->Read(false));
    ASSERT_TRUE(PumpUntil([&] { return component.isNull(); }));
    EXPECT_EQ(log.Joined(), "Done(application/octet-stream,10)");
}

TEST_F(TransferTest, LocalFilesGoThroughTheSameBodyLoop) {
    const std::string source = dir.filePath("source.bin").toStdString();
    const std::string bytes = PatternBytes(0, 9000);
    ASSERT_TRUE(WriteFileBytes(QString::fromStdString(source), bytes));
    struct Case {
        std::string url;
        std::uint32_t start, end, rangeStart;
        std::string events, body;
    };
    // clang-format off
    const Case cases[] = {
        {"file://" + source, 0, 0, 0, "Done(,9000)", bytes},
        {"file://" + source, 100, 199, 0, "Done(,200)", bytes.substr(100, 100)},
        {"file://" + source, 0, 0, 8000, "Done(,1000)", bytes.substr(8000)},
        {"file://" + source + ".missing", 0, 0, 0, "HTTPError(404) AnyError", ""},
    };
    // clang-format on
    for (const Case& row : cases) {
        SCOPED_TRACE(row.url + " " + std::to_string(row.start));
        TkuHTTP one;
        TEventLog log(one);
        one.SetURL(row.url);
        one.Range().StartRange = row.rangeStart;
        ASSERT_TRUE(one.ReadRange(row.start, row.end, true));
        EXPECT_EQ(log.Joined(), row.events);
        EXPECT_TRUE(SameBytes(log.body, row.body));
    }
    // A resumed local file verifies its last block and completes.
    ASSERT_TRUE(WriteFileBytes(dir.filePath("out.bin"), bytes.substr(0, 6000)));
    http.SetURL("file://" + source);
    http.SetOutputFileName(Output());
    http.SetWaitThread(true);
    ASSERT_TRUE(http.Resume());
    EXPECT_EQ(events.Joined(), "Done(,9000)");
    EXPECT_TRUE(SameBytes(OutputBytes(), bytes));
}

TEST_F(TransferTest, HeaderInfoReportsTheResponseAndCanDeclineTheBody) {
    for (const bool decline : {false, true}) {
        TkuHTTP one;
        TEventLog log(one);
        std::string raw, language, encoding, etag;
        TDateTime date = 0, modified = 0, expires = 0;
        std::int32_t code = 0;
        one.OnHeaderInfo = [&](QObject*, std::int32_t error, const std::string& rawHeaders,
                               const std::string&, const std::string& lang, const std::string& enc,
                               std::int32_t, const std::string&, TDateTime d, TDateTime m,
                               TDateTime e, const std::string& tag, bool& continueDownload) {
            EXPECT_TRUE(OnMainThread());
            code = error, raw = rawHeaders, language = lang, encoding = enc, etag = tag;
            date = d, modified = m, expires = e;
            continueDownload = !decline;
        };
        one.SetURL(server.Url("/headers"));
        one.SetOutputFileName(Output());
        QFile::remove(dir.filePath("out.bin"));
        ASSERT_TRUE(one.Read(true));
        EXPECT_EQ(log.Joined(), decline ? "DoneInterrupted" : "Done(text/plain,7)");
        EXPECT_EQ(QFile::exists(dir.filePath("out.bin")), !decline);
        EXPECT_EQ(code, 200);
        EXPECT_TRUE(raw.starts_with("HTTP/1.1 200 OK\r\n")) << raw;
        EXPECT_TRUE(raw.ends_with("\r\n\r\n"));
        EXPECT_EQ(language, "de");
        EXPECT_EQ(encoding, "identity");
        EXPECT_EQ(etag, "\"v1-abc\"");
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

TEST_F(TransferTest, ProxyAuthenticationRetriesThroughTheProxy) {
    TLoopbackServer proxy("pu:pp");
    for (const bool answer : {true, false}) {
        TkuHTTP one;
        TEventLog log(one);
        int asked = 0;
        one.OnProxyAuthenticationRequest = [&](QObject*, std::string& user, std::string& password,
                                               bool& tryAgain) {
            ++asked;
            user = "pu";
            password = "pp";
            tryAgain = answer;
        };
        one.Proxy().AccessType = TkuHTTPAccessType::atUseProxy;
        one.Proxy().ProxyServer = "127.0.0.1";
        one.Proxy().ProxyPort = proxy.Port();
        one.Proxy().ProxyBypass = "";
        one.SetURL(proxy.Url("/data/100"));
        ASSERT_TRUE(one.Read(true));
        EXPECT_EQ(log.Joined(),
                  answer ? "Done(application/octet-stream,100)" : "HTTPError(407) AnyError");
        EXPECT_EQ(asked, 1);
    }
    EXPECT_NE(proxy.RequestLog().find("\"path\": \"http://127.0.0.1:"), std::string::npos);
}

TEST_F(TransferTest, StatusAndRedirectEventsComeOnTheWorker) {
    std::mutex mutex;
    std::vector<std::uint32_t> ids;
    std::vector<std::string> redirects;
    bool anyOnMain = false;
    http.OnStatusChanged = [&](QObject*, std::uint32_t id, const std::string& text) {
        std::lock_guard lock(mutex);
        anyOnMain = anyOnMain || OnMainThread();
        EXPECT_NE(text, "Unknown status");
        ids.push_back(id);
    };
    http.OnRedirected = [&](QObject*, const std::string& url) {
        std::lock_guard lock(mutex);
        redirects.push_back(url);
    };
    http.SetURL(server.Url("/redirect?to=/data/10"));
    ASSERT_TRUE(http.Read(true));
    EXPECT_EQ(events.Joined(), "Done(application/octet-stream,10)");
    EXPECT_FALSE(anyOnMain);
    EXPECT_EQ(redirects, std::vector<std::string>{server.Url("/data/10")});
    // Each response: connect, send, receive; the redirect between the two.
    const std::vector<std::uint32_t> order = {10,  11, 20, 21, 30, 31, 40, 41,
                                              110, 30, 31, 40, 41, 50, 51};
    auto at = ids.begin();
    for (const std::uint32_t id : order) {
        at = std::find(at, ids.end(), id);
        ASSERT_NE(at, ids.end()) << id << " missing in order: " << ::testing::PrintToString(ids);
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
