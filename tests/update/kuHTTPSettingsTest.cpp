#include <QTemporaryDir>

#include <sys/stat.h>

#include <gtest/gtest.h>

#include <functional>

#include "../platform/ScopedEnv.h"
#include "HTTPTestSupport.h"
#include "update/http/kuFileStream.h"
#include "update/http/kuHTTP.h"
#include "update/utils/kuFileAttributes.h"

namespace tessaro::test {
namespace {

TEST(TkuHTTP, StartsWithItsDeclaredDefaults) {
    TkuHTTP http;
    EXPECT_EQ(http.property("AcceptTypes").value<std::string>(), "text/html, */*");
    EXPECT_TRUE(http.property("Agent").value<std::string>().starts_with("dyHTTP component"));
    EXPECT_EQ(http.property("TransferBufferSize").toInt(), 4096);
    EXPECT_FALSE(http.property("WaitThread").toBool());
    EXPECT_EQ(http.property("WaitTimeout").toInt(), 0);
    EXPECT_TRUE(http.setProperty("URL", QVariant::fromValue(std::string("127.0.0.1/a/b.txt"))));
    EXPECT_EQ(http.URL(), "127.0.0.1/a/b.txt");
    EXPECT_EQ(http.FileName(), "b.txt");
    EXPECT_EQ(http.HostName(), "127.0.0.1");
    EXPECT_EQ(http.CacheOptions(), (TkuCacheOptions{TkuCacheOption::coReloadIfNoExpireInformation,
                                                    TkuCacheOption::coReloadUpdatedObjects,
                                                    TkuCacheOption::coCreateTempFilesIfCantCache}));
    EXPECT_EQ(http.InternetOptions(), TkuInternetOptions{TkuInternetOption::ioKeepConnection});
    EXPECT_EQ(http.RequestMethod(), TkuHTTPRequestMethod::rmAutoDetect);
    EXPECT_EQ(http.ThreadPriority(), TThreadPriority::tpNormal);
    EXPECT_EQ(http.OutputFileAttributes().Complete(),
              TkuFileAttributes{TkuFileAttribute::atrArchive});
    EXPECT_EQ(http.OutputFileAttributes().Incomplete(),
              (TkuFileAttributes{TkuFileAttribute::atrArchive, TkuFileAttribute::atrTemporary}));
    http.SetTransferBufferSize(10);
    EXPECT_EQ(http.TransferBufferSize(), 255);
    EXPECT_FALSE(http.ThreadBusy());

    TkuHTTPProxy& proxy = http.Proxy();
    proxy.ProxyServer = "proxy";
    proxy.AccessType = TkuHTTPAccessType::atUseProxy;
    EXPECT_TRUE(proxy.IsUseProxy());
    proxy.Assign(nullptr);
    EXPECT_EQ(proxy.AccessType, TkuHTTPAccessType::atPreconfig);
    EXPECT_EQ(proxy.ProxyPort, 8080);
    EXPECT_EQ(proxy.ProxyBypass, "127.0.0.1;");
    EXPECT_EQ(proxy.ProxyServer, "");

    TkuHTTPPragmaNoCache fresh;
    EXPECT_TRUE(fresh.CacheOptions().Contains(TkuCacheOption::coPragmaNoCache));
    EXPECT_FALSE(fresh.CacheOptions().Contains(TkuCacheOption::coCreateTempFilesIfCantCache));
}

TEST(TkuOutputFileAttributes, NotifiesOnlyRealChanges) {
    struct Counting final : TkuOutputFileAttributes {
        int changes = 0;
        void AttributesChanged() override { ++changes; }
    } attributes;
    attributes.SetComplete({TkuFileAttribute::atrArchive});
    EXPECT_EQ(attributes.changes, 0);
    attributes.SetComplete({TkuFileAttribute::atrReadOnly});
    attributes.SetIncomplete({TkuFileAttribute::atrHidden});
    EXPECT_EQ(attributes.changes, 2);
    attributes.Assign(nullptr);
    EXPECT_EQ(attributes.changes, 4);
    EXPECT_EQ(attributes.Complete(), TkuFileAttributes{TkuFileAttribute::atrArchive});
}

TEST(TkuFileStream, OpensLockedFilesOnlyWhenAskedToUnlockThem) {
    QTemporaryDir dir;
    const std::string name = dir.filePath("locked.bin").toStdString();
    ASSERT_TRUE(WriteFileBytes(QString::fromStdString(name), "keep"));
    const TkuFileAttributes locked = {TkuFileAttribute::atrReadOnly, TkuFileAttribute::atrHidden};
    ASSERT_TRUE(SetFileAttr(name, locked));
    TkuFileAttributes before;
    ASSERT_TRUE(GetFileAttr(name, before));
    // Permissions do not bind the superuser; the unlocking must still give them back.
    if (::access(name.c_str(), W_OK) != 0) {
        EXPECT_THROW(TkuFileStream(name, false, false), EFCreateError);
    }
    {
        TkuFileStream stream(name, false, true);
        EXPECT_EQ(stream.readAll(), "keep");
        stream.write("!");
    }
    TkuFileAttributes attributes;
    ASSERT_TRUE(GetFileAttr(name, attributes));
    EXPECT_TRUE(attributes.Contains(TkuFileAttribute::atrReadOnly)) << "given back afterwards";
    EXPECT_EQ(attributes, before) << "every attribute given back";
    EXPECT_EQ(ReadFileBytes(QString::fromStdString(name)), "keep!");
    { TkuFileStream truncated(name, true, true); }
    EXPECT_EQ(ReadFileBytes(QString::fromStdString(name)), "");
    EXPECT_THROW(TkuFileStream(dir.filePath("no/such.bin").toStdString(), true, true),
                 EFCreateError);
}

class SettingsTest : public TSharedServerTest {};

TEST_F(SettingsTest, PropertiesShapeTheRequest) {
    struct Case {
        std::string name;
        std::function<void(TkuHTTP&)> setup;
        std::string path, events, header, value;
    };
    // clang-format off
    const Case cases[] = {
        {"agent", [](TkuHTTP& h) { h.SetAgent("Tessaro test agent"); }, "/data/1",
         "Done(application/octet-stream,1)", "user-agent", "Tessaro test agent"},
        {"referer", [](TkuHTTP& h) { h.SetReferer("http://127.0.0.1/from"); }, "/data/1",
         "Done(application/octet-stream,1)", "referer", "http://127.0.0.1/from"},
        {"accept types", [](TkuHTTP&) {}, "/data/1", "Done(application/octet-stream,1)",
         "accept", "text/html, */*"},
        {"extra header lines", [](TkuHTTP& h) { h.SetAddHeaders({"X-Extra: 1", "X-More: two"}); },
         "/data/1", "Done(application/octet-stream,1)", "x-more", "two"},
        {"always reload", [](TkuHTTP& h) { h.SetCacheOptions({TkuCacheOption::coAlwaysReload}); },
         "/data/1", "Done(application/octet-stream,1)", "cache-control", "no-cache"},
        {"range property", [](TkuHTTP& h) { h.Range().StartRange = 5; h.Range().EndRange = 9; },
         "/data/20", "Done(application/octet-stream,5)", "range", "bytes=5-9"},
        {"no redirects", [](TkuHTTP& h) {
             h.SetInternetOptions({TkuInternetOption::ioNoAutoRedirect}); },
         "/redirect?to=/data/1", "HTTPError(302) AnyError", "range", "-"},
        {"offline", [](TkuHTTP& h) { h.SetWorkOffline(true); }, "/data/1",
         "HostUnreachable AnyError", "", ""},
        {"forced POST", [](TkuHTTP& h) { h.SetRequestMethod(TkuHTTPRequestMethod::rmPOST); },
         "/echo", "Done(text/plain,34)", "content-type", "application/x-www-form-urlencoded"},
    };
    // clang-format on
    for (const Case& row : cases) {
        SCOPED_TRACE(row.name);
        server.ClearLog();
        TkuHTTP http;
        TEventLog log(http);
        void* handle = nullptr;
        bool onWorker = false;
        http.OnBeforeSendRequest = [&](QObject*, void* request) {
            handle = request;
            onWorker = !OnMainThread();
        };
        row.setup(http);
        http.SetURL(server.Url(row.path));
        ASSERT_TRUE(http.Read(true));
        EXPECT_EQ(log.Joined(), row.events);
        if (row.header.empty()) {
            EXPECT_TRUE(server.Logged("method").empty()) << "nothing may reach the server";
            continue;
        }
        EXPECT_TRUE(handle != nullptr && onWorker);
        const std::vector<std::string> values = server.Logged(row.header);
        ASSERT_EQ(values.size(), 1u);
        EXPECT_EQ(values.front(), row.value);
    }
}

TEST_F(SettingsTest, TheAccessTypeChoosesTheRoute) {
    TLoopbackServer proxy;
    ASSERT_NE(proxy.Port(), 0);
    const std::string proxyUrl = proxy.Url("");
    const testing::ScopedEnv environmentProxy("http_proxy", proxyUrl.c_str());
    const testing::ScopedEnv noBypass("no_proxy", nullptr);
    const testing::ScopedEnv noBypassUpper("NO_PROXY", nullptr);
    struct Case {
        TkuHTTPAccessType access;
        std::string bypass;
        bool viaProxy;
    };
    const Case cases[] = {
        {TkuHTTPAccessType::atPreconfig, "", true},  // the environment's proxy
        {TkuHTTPAccessType::atDirect, "", false},
        {TkuHTTPAccessType::atUseProxy, "", true},
        {TkuHTTPAccessType::atUseProxy, "localhost;127.0.0.1;", false},  // bypassed
    };
    for (const Case& row : cases) {
        SCOPED_TRACE(static_cast<int>(row.access));
        server.ClearLog();
        proxy.ClearLog();
        TkuHTTP http;
        TEventLog log(http);
        http.Proxy().AccessType = row.access;
        http.Proxy().ProxyServer = "127.0.0.1";
        http.Proxy().ProxyPort = proxy.Port();
        http.Proxy().ProxyBypass = row.bypass;
        http.SetURL(server.Url("/data/10"));
        ASSERT_TRUE(http.Read(true));
        EXPECT_EQ(log.Joined(), "Done(application/octet-stream,10)");
        EXPECT_EQ(proxy.Logged("path"), row.viaProxy
                                            ? std::vector<std::string>{server.Url("/data/10")}
                                            : std::vector<std::string>{});
        EXPECT_EQ(server.Logged("path").size(), row.viaProxy ? 0u : 1u);
    }
}

}  // namespace
}  // namespace tessaro::test
