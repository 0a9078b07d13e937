#include "update/utils/kuDesktopApplications.h"
#include "update/utils/kuEnvironment.h"
#include "update/utils/kuMimeType.h"
#include "update/utils/kuOpenURL.h"

#include <sys/stat.h>

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QElapsedTimer>
#include <QNetworkInterface>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <QUrl>
#include <QWindow>

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>

#include "../platform/ScopedEnv.h"
#include "TestRow.h"

namespace tessaro {
namespace {

using testing::ScopedEnv;

struct MimeCase {
    const char* extension;
    const char* type;
};

void PrintTo(const MimeCase& c, std::ostream* out) {
    testing::PrintRow(std::string(c.extension), out);
}

class GetMIMETypeTest : public ::testing::TestWithParam<MimeCase> {};

TEST_P(GetMIMETypeTest, LooksUpTheSharedMimeDatabase) {
    EXPECT_EQ(GetMIMEType(GetParam().extension), GetParam().type) << GetParam().extension;
}

INSTANTIATE_TEST_SUITE_P(
    Table, GetMIMETypeTest,
    ::testing::Values(MimeCase{"txt", "text/plain"}, MimeCase{".TXT", "text/plain"},
                      MimeCase{".txt", "text/plain"}, MimeCase{"Txt", "text/plain"},
                      MimeCase{".html", "text/html"}, MimeCase{"png", "image/png"},
                      MimeCase{".zip", "application/zip"}, MimeCase{"", "application/octet-stream"},
                      MimeCase{".", "application/octet-stream"},
                      MimeCase{".zzqxnotregistered", "application/octet-stream"},
                      MimeCase{"a/b.txt", "application/octet-stream"}));

std::string SystemPath() {
    const char* path = std::getenv("PATH");
    return path ? path : "/usr/bin:/bin";
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

void WriteFile(const std::string& path, const std::string& content) {
    QDir().mkpath(QString::fromStdString(path.substr(0, path.rfind('/'))));
    std::ofstream(path, std::ios::binary) << content;
}

// A desktop with its own default applications: a browser script that records
// its arguments, an editor found on PATH, and a desktop-specific editor.
class DesktopTest : public ::testing::Test {
protected:
    DesktopTest() {
        WriteFile(Config("mimeapps.list"),
                  "[Added Associations]\ntext/plain=ignored.desktop;\n"
                  "[Default Applications]\n"
                  "text/html=missing.desktop;hidden.desktop;tessaro-test-browser.desktop;\n"
                  "text/plain=tessaro-test-editor.desktop\n");
        WriteFile(Config("testdesk-mimeapps.list"),
                  "[Default Applications]\ntext/plain=desk-editor.desktop;\n");
        WriteFile(Applications("hidden.desktop"),
                  "[Desktop Entry]\nType=Application\nHidden=true\nExec=/bin/false %u\n");
        WriteFile(Applications("tessaro-test-browser.desktop"),
                  "[Desktop Entry]\nType=Application\nName=Browser\nExec=\"" + Browser() +
                      "\" --new-tab %u --icon-less %i\n");
        WriteFile(Applications("tessaro-test-editor.desktop"),
                  "[Desktop Entry]\nName=Editor\nExec=tessaro-test-editor %F\n");
        WriteFile(Applications("desk-editor.desktop"),
                  "[Desktop Entry]\nName=Desk\nExec=\"/opt/desk editor/edit\" --file=%f\n");
        WriteFile(Browser(), "#!/bin/sh\nprintf '%s\\n' \"$@\" > \"" + ArgumentsFile() +
                                 ".part\"\nmv \"" + ArgumentsFile() + ".part\" \"" +
                                 ArgumentsFile() + "\"\n");
        ::chmod(Browser().c_str(), 0700);
        WriteFile(Bin("tessaro-test-editor"), "#!/bin/sh\n");
        ::chmod(Bin("tessaro-test-editor").c_str(), 0700);
    }

    std::string Root() const { return dir_.path().toStdString(); }
    std::string Config(const std::string& name) const { return Root() + "/config/" + name; }
    std::string Applications(const std::string& name) const {
        return Root() + "/data/applications/" + name;
    }
    std::string Bin(const std::string& name) const { return Root() + "/bin/" + name; }
    std::string Browser() const { return Bin("test browser.sh"); }
    std::string ArgumentsFile() const { return Root() + "/arguments.txt"; }

    std::optional<std::string> AwaitArguments() const {
        QElapsedTimer timer;
        timer.start();
        while (timer.elapsed() < 10000) {
            if (std::ifstream(ArgumentsFile()).good()) return ReadFile(ArgumentsFile());
            QThread::msleep(20);
        }
        return std::nullopt;
    }

    QTemporaryDir dir_;
    ScopedEnv configHome_{"XDG_CONFIG_HOME", (dir_.path() + "/config").toUtf8().constData()};
    ScopedEnv configDirs_{"XDG_CONFIG_DIRS",
                          (dir_.path() + "/no-system-config").toUtf8().constData()};
    ScopedEnv dataHome_{"XDG_DATA_HOME", (dir_.path() + "/data").toUtf8().constData()};
    // The shared MIME database stays reachable; no system default applications are there.
    ScopedEnv dataDirs_{"XDG_DATA_DIRS",
                        (dir_.path() + "/no-system-data:/usr/share").toUtf8().constData()};
    ScopedEnv desktop_{"XDG_CURRENT_DESKTOP", nullptr};
    ScopedEnv path_{"PATH", (Root() + "/bin:" + SystemPath()).c_str()};
};

TEST_F(DesktopTest, GetExecutableByExtensionFindsTheDefaultProgram) {
    EXPECT_EQ(GetExecutableByExtension(".html"), Browser());
    EXPECT_EQ(GetExecutableByExtension("txt"), Bin("tessaro-test-editor"));
    EXPECT_EQ(GetExecutableByExtension(".TXT"), Bin("tessaro-test-editor"));
}

TEST_F(DesktopTest, DesktopSpecificListsComeFirst) {
    const ScopedEnv desktop("XDG_CURRENT_DESKTOP", "Other:TestDesk");
    EXPECT_EQ(GetExecutableByExtension(".txt"), "/opt/desk editor/edit");
    EXPECT_EQ(DefaultApplicationCommand("text/plain", "/tmp/a b.txt"),
              (std::vector<std::string>{"/opt/desk editor/edit", "--file=/tmp/a b.txt"}));
}

TEST_F(DesktopTest, NoProgramForUnknownOrEmptyExtensions) {
    EXPECT_EQ(GetExecutableByExtension(""), "");
    EXPECT_EQ(GetExecutableByExtension("."), "");
    EXPECT_EQ(GetExecutableByExtension(".zzqxnotregistered"), "");
    ASSERT_NE(GetMIMEType(".blend"), kDefaultMimeType);
    EXPECT_EQ(GetExecutableByExtension(".blend"), "");  // a known type without a default program
}

TEST_F(DesktopTest, FieldCodesBecomeTheTargetOrVanish) {
    EXPECT_EQ(DefaultApplicationCommand("text/html", "http://h/x"),
              (std::vector<std::string>{Browser(), "--new-tab", "http://h/x", "--icon-less"}));
    EXPECT_EQ(DefaultApplicationCommand("text/plain", "/tmp/f"),
              (std::vector<std::string>{"tessaro-test-editor", "/tmp/f"}));
    EXPECT_TRUE(DefaultApplicationCommand("application/x-blender", "x").empty());
}

TEST_F(DesktopTest, OpenURLStartsTheRegisteredBrowserWithTheUrlAsOneArgument) {
    ASSERT_TRUE(OpenURL("127.0.0.1/page?a=1 b;$(touch x)", true));
    const auto arguments = AwaitArguments();
    ASSERT_TRUE(arguments.has_value());
    EXPECT_EQ(*arguments, "--new-tab\nhttp://127.0.0.1/page?a=1 b;$(touch x)\n--icon-less\n");
    EXPECT_FALSE(std::ifstream(Root() + "/x").good());
}

// Receives the URLs the desktop is asked to open.
class UrlRecorder final : public QObject {
    Q_OBJECT

public:
    std::vector<QUrl> urls;

public slots:
    void Open(const QUrl& url) { urls.push_back(url); }
};

class DesktopUrlHandler {
public:
    DesktopUrlHandler() {
        QDesktopServices::setUrlHandler("http", &recorder, "Open");
        QDesktopServices::setUrlHandler("https", &recorder, "Open");
    }
    ~DesktopUrlHandler() {
        QDesktopServices::unsetUrlHandler("http");
        QDesktopServices::unsetUrlHandler("https");
    }
    UrlRecorder recorder;
};

TEST_F(DesktopTest, OpenURLWithoutTheRegisteredBrowserAsksTheDesktop) {
    DesktopUrlHandler handler;
    EXPECT_TRUE(OpenURL("example.invalid/a", false));
    EXPECT_TRUE(OpenURL("https://example.invalid/b", false));
    ASSERT_EQ(handler.recorder.urls.size(), 2u);
    EXPECT_EQ(handler.recorder.urls[0], QUrl("http://example.invalid/a"));
    EXPECT_EQ(handler.recorder.urls[1], QUrl("https://example.invalid/b"));
    EXPECT_FALSE(std::ifstream(ArgumentsFile()).good());
}

TEST_F(DesktopTest, OpenURLFallsBackToTheDesktopWithoutARegisteredBrowser) {
    WriteFile(Config("mimeapps.list"), "[Default Applications]\ntext/plain=x.desktop\n");
    DesktopUrlHandler handler;
    EXPECT_TRUE(OpenURL("http://example.invalid/c", true));
    ASSERT_EQ(handler.recorder.urls.size(), 1u);
    EXPECT_EQ(handler.recorder.urls[0], QUrl("http://example.invalid/c"));
}

TEST(ShutdownApplication, ClosesTheMainWindowAndQuits) {
    QWindow window;
    window.resize(100, 80);
    window.show();
    ASSERT_TRUE(window.isVisible());
    SetApplicationMainWindow(&window);
    QTimer::singleShot(0, [] { ShutdownApplication(); });
    QTimer watchdog;
    watchdog.setSingleShot(true);
    bool watchdogFired = false;
    QObject::connect(&watchdog, &QTimer::timeout, [&] {
        watchdogFired = true;
        QCoreApplication::exit(1);
    });
    watchdog.start(10000);
    EXPECT_EQ(QCoreApplication::exec(), 0);
    EXPECT_FALSE(watchdogFired);
    EXPECT_FALSE(window.isVisible());
    SetApplicationMainWindow(nullptr);
}

TEST(ShutdownApplication, WithoutAMainWindowItOnlyQuits) {
    SetApplicationMainWindow(nullptr);
    QTimer::singleShot(0, [] { ShutdownApplication(); });
    QTimer::singleShot(10000, [] { QCoreApplication::exit(1); });
    EXPECT_EQ(QCoreApplication::exec(), 0);
}

TEST(IsOnline, AgreesWithQtsViewOfTheInterfaces) {
    bool expected = false;
    for (const QNetworkInterface& interface : QNetworkInterface::allInterfaces()) {
        const auto flags = interface.flags();
        if (flags.testFlag(QNetworkInterface::IsUp) &&
            !flags.testFlag(QNetworkInterface::IsLoopBack) && !interface.addressEntries().isEmpty())
            expected = true;
    }
    EXPECT_EQ(IsOnline(), expected);
}

TEST(IsVista, IsAModernSystem) {
    EXPECT_TRUE(IsVista());
}

}  // namespace
}  // namespace tessaro

#include "kuDesktopTest.moc"
