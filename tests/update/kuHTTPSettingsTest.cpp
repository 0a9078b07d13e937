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
    EXPECT_EQ(http.OutputFileAttributes().Complete(),
              TkuFileAttributes{TkuFileAttribute::atrArchive});
    EXPECT_EQ(http.OutputFileAttributes().Incomplete(),
              (TkuFileAttributes{TkuFileAttribute::atrArchive, TkuFileAttribute::atrTemporary}));
    http.SetTransferBufferSize(10);
    EXPECT_EQ(http.TransferBufferSize(), 255);
    EXPECT_FALSE(http.ThreadBusy());
    EXPECT_EQ(http.Proxy().AccessType, TkuHTTPAccessType::atPreconfig);

    TkuHTTPPragmaNoCache fresh;
    EXPECT_TRUE(fresh.CacheOptions().Contains(TkuCacheOption::coPragmaNoCache));
    EXPECT_FALSE(fresh.CacheOptions().Contains(TkuCacheOption::coCreateTempFilesIfCantCache));
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
        std::string header, value;
    };
    const Case cases[] = {
        {"agent", [](TkuHTTP& h) { h.SetAgent("Tessaro test agent"); }, "user-agent",
         "Tessaro test agent"},
        {"accept types", [](TkuHTTP&) {}, "accept", "text/html, */*"},
        {"always reload", [](TkuHTTP& h) { h.SetCacheOptions({TkuCacheOption::coAlwaysReload}); },
         "cache-control", "no-cache"},
    };
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
        http.SetURL(server.Url("/data/1"));
        ASSERT_TRUE(http.Read(true));
        EXPECT_EQ(log.Joined(), "Done(application/octet-stream,1)");
        EXPECT_TRUE(handle != nullptr && onWorker);
        EXPECT_EQ(server.Logged(row.header), std::vector<std::string>{row.value});
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
