#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "LoopbackServers.h"
#include "ThreadTestSupport.h"
#include "update/http/kuHTTP.h"

namespace tessaro::test {

// Equal byte strings; otherwise the sizes and the first differing offset.
inline ::testing::AssertionResult SameBytes(const std::string& actual,
                                            const std::string& expected) {
    if (actual == expected) return ::testing::AssertionSuccess();
    const auto diff = std::mismatch(actual.begin(), actual.end(), expected.begin(), expected.end());
    return ::testing::AssertionFailure()
           << actual.size() << " bytes instead of " << expected.size() << ", first difference at "
           << (diff.first - actual.begin());
}

// Suites that share one test server, started once per suite; each case starts with
// an empty request log.
class TSharedServerTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { shared = new TLoopbackServer(); }
    static void TearDownTestSuite() {
        delete shared;
        shared = nullptr;
    }
    void SetUp() override {
        ASSERT_NE(server.Port(), 0);
        server.ClearLog();
    }

    static inline TLoopbackServer* shared = nullptr;
    TLoopbackServer& server = *shared;
};

// Gives the file the bytes, or removes it when there are none.
inline bool PrepareFile(const QString& path, const std::optional<std::string>& bytes) {
    QFile::remove(path);
    return !bytes || WriteFileBytes(path, *bytes);
}

// Events of one component in the order they came, as "Name(parameters)".
class TEventLog {
public:
    TEventLog() = default;
    explicit TEventLog(TkuCustomHTTP& http) { Attach(http); }
    void Attach(TkuCustomHTTP& http) {
        http.OnDone = [this](QObject*, const std::string& type, std::int32_t size, QIODevice* s) {
            if (s) body = s->readAll().toStdString();
            doneHadStream = s != nullptr;
            Add("Done(" + type + "," + std::to_string(size) + ")");
        };
        http.OnDoneInterrupted = [this](QObject*) { Add("DoneInterrupted"); };
        http.OnConnLost = [this](QObject*, const std::string&, std::int32_t size, std::int32_t read,
                                 QIODevice*) {
            Add("ConnLost(" + std::to_string(size) + "," + std::to_string(read) + ")");
        };
        http.OnHTTPError = [this](QObject*, std::int32_t code, QIODevice* s) {
            if (s) body = s->readAll().toStdString();
            Add("HTTPError(" + std::to_string(code) + ")");
        };
        http.OnHostUnreachable = [this](QObject*) { Add("HostUnreachable"); };
        http.OnOutputFileError = [this](QObject*) { Add("OutputFileError"); };
        http.OnAnyError = [this](QObject*) { Add("AnyError"); };
        http.OnAborted = [this](QObject*) {
            abortedOnMainThread = OnMainThread();
            Add("Aborted");
        };
    }
    void Add(const std::string& event) {
        std::lock_guard lock(FMutex);
        FEvents.push_back(event);
    }
    std::vector<std::string> Events() const {
        std::lock_guard lock(FMutex);
        return FEvents;
    }
    std::string Joined() const {
        std::string joined;
        for (const std::string& event : Events()) joined += (joined.empty() ? "" : " ") + event;
        return joined;
    }
    std::string body;
    bool doneHadStream = false;
    bool abortedOnMainThread = false;

private:
    mutable std::mutex FMutex;
    std::vector<std::string> FEvents;
};

}  // namespace tessaro::test
