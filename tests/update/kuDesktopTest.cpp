#include "update/utils/kuDesktopApplications.h"
#include "update/utils/kuEnvironment.h"
#include "update/utils/kuMimeType.h"
#include "update/utils/kuOpenURL.h"

#include <sys/stat.h>

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <QWindow>

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "../platform/ScopedEnv.h"

namespace tessaro {
namespace {

using testing::ScopedEnv;
using Command = std::vector<std::string>;

TEST(GetMIMEType, LooksUpTheSharedMimeDatabaseWithoutCaseOrDot) {
    const std::pair<const char*, const char*> rows[] = {
        {"txt", "text/plain"},
        {".TXT", "text/plain"},
        {".html", "text/html"},
        {"png", "image/png"},
        {"", "application/octet-stream"},
        {".", "application/octet-stream"},
        {".zzqxnotregistered", "application/octet-stream"},
        {"a/b.txt", "application/octet-stream"}};
    for (const auto& [extension, type] : rows) EXPECT_EQ(GetMIMEType(extension), type) << extension;
}

void WriteFile(const std::string& path, const std::string& content, bool executable = false) {
    QDir().mkpath(QString::fromStdString(path.substr(0, path.rfind('/'))));
    std::ofstream(path, std::ios::binary) << content;
    if (executable) ::chmod(path.c_str(), 0700);
}

// A desktop with its own default applications: a browser script that records its
// arguments and an editor found on PATH.
class DesktopTest : public ::testing::Test {
protected:
    DesktopTest() {
        WriteFile(Root() + "/config/mimeapps.list",
                  "[Added Associations]\ntext/plain=ignored.desktop;\n[Default Applications]\n"
                  "text/html=missing.desktop;hidden.desktop;test-browser.desktop;\n"
                  "text/plain=test-editor.desktop\n");
        Entry("hidden", "Hidden=true\nExec=/bin/false %u");
        Entry("test-browser", "Exec=\"" + Browser() + "\" --new-tab %u --icon-less %i");
        Entry("test-editor", "Exec=tessaro-test-editor %F");
        const std::string out = Root() + "/arguments.txt";
        WriteFile(Browser(),
                  "#!/bin/sh\nprintf '%s\\n' \"$@\" > \"" + out + ".part\"\nmv \"" + out +
                      ".part\" \"" + out + "\"\n",
                  true);
        WriteFile(Editor(), "#!/bin/sh\n", true);
    }

    void Entry(const std::string& name, const std::string& lines) {
        WriteFile(Root() + "/data/applications/" + name + ".desktop",
                  "[Desktop Entry]\nType=Application\nName=" + name + "\n" + lines + "\n");
    }
    std::string Root() const { return dir_.path().toStdString(); }
    std::string Browser() const { return Root() + "/bin/test browser.sh"; }
    std::string Editor() const { return Root() + "/bin/tessaro-test-editor"; }
    std::string AwaitArguments() const {
        for (int i = 0; i < 500 && !std::ifstream(Root() + "/arguments.txt"); ++i)
            QThread::msleep(20);
        std::ostringstream content;
        content << std::ifstream(Root() + "/arguments.txt").rdbuf();
        return content.str();
    }

    QTemporaryDir dir_;
    ScopedEnv configHome_{"XDG_CONFIG_HOME", (Root() + "/config").c_str()};
    ScopedEnv configDirs_{"XDG_CONFIG_DIRS", (Root() + "/none").c_str()};
    ScopedEnv dataHome_{"XDG_DATA_HOME", (Root() + "/data").c_str()};
    // The shared MIME database stays reachable; no system default applications are there.
    ScopedEnv dataDirs_{"XDG_DATA_DIRS", (Root() + "/none:/usr/share").c_str()};
    ScopedEnv desktop_{"XDG_CURRENT_DESKTOP", nullptr};
    ScopedEnv path_{"PATH", (Root() + "/bin:" + std::getenv("PATH")).c_str()};
};

TEST_F(DesktopTest, FindsTheDefaultProgramAndOpensUrlsWithTheBrowser) {
    EXPECT_EQ(DefaultApplicationCommand("text/plain", "/tmp/a b"),
              (Command{"tessaro-test-editor", "/tmp/a b"}));
    // OpenURL starts the registered browser with the URL as one argument, never a shell.
    ASSERT_TRUE(OpenURL("127.0.0.1/page?a=1 b;$(touch x)", true));
    EXPECT_EQ(AwaitArguments(), "--new-tab\nhttp://127.0.0.1/page?a=1 b;$(touch x)\n--icon-less\n");
    EXPECT_FALSE(std::ifstream(Root() + "/x").good());
}

TEST(ShutdownApplication, ClosesTheMainWindowIfAnyAndQuits) {
    QWindow window;
    window.show();
    QTimer watchdog;
    QObject::connect(&watchdog, &QTimer::timeout, [] { QCoreApplication::exit(1); });
    for (QWindow* main : {&window, static_cast<QWindow*>(nullptr)}) {
        SetApplicationMainWindow(main);
        watchdog.start(10000);
        QTimer::singleShot(0, [] { ShutdownApplication(); });
        EXPECT_EQ(QCoreApplication::exec(), 0);
        EXPECT_FALSE(window.isVisible());
    }
}

}  // namespace
}  // namespace tessaro
