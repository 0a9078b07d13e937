#pragma once

#include <QDir>
#include <QFile>
#include <QIODevice>
#include <QProcess>
#include <QTemporaryDir>

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

namespace tessaro::test {

using namespace std::chrono_literals;

// The bytes the test servers serve for a resource of that size: a pattern of period
// 251, so that blocks at different offsets differ.
inline std::string PatternBytes(std::size_t start, std::size_t count, bool alter = false) {
    std::string bytes(count, '\0');
    for (std::size_t i = 0; i < count; ++i) {
        const auto value = static_cast<unsigned char>((start + i) % 251);
        bytes[i] = static_cast<char>(alter && start + i >= 1 ? value ^ 0x5A : value);
    }
    return bytes;
}

inline std::string ReadFileBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll().toStdString();
}

inline bool WriteFileBytes(const QString& path, const std::string& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes.data(), static_cast<qint64>(bytes.size())) ==
               static_cast<qint64>(bytes.size());
}

// A process serving HTTP on a loopback port, stopped when the object goes.
class TServerProcess {
public:
    TServerProcess() = default;
    TServerProcess(const TServerProcess&) = delete;
    TServerProcess& operator=(const TServerProcess&) = delete;
    ~TServerProcess() {
        if (FProcess.state() == QProcess::NotRunning) return;
        FProcess.terminate();
        if (!FProcess.waitForFinished(5000)) {
            FProcess.kill();
            FProcess.waitForFinished(5000);
        }
    }
    int Port() const { return FPort; }
    std::string Url(const std::string& path) const {
        return "http://127.0.0.1:" + std::to_string(FPort) + path;
    }

protected:
    QProcess FProcess;
    int FPort = 0;
};

// The misbehaving test server (LoopbackHTTPServer.py), with its request log and the
// bodies of uploads in a private folder.
class TLoopbackServer final : public TServerProcess {
public:
    explicit TLoopbackServer(const std::string& proxyLogin = {}) {
        QStringList arguments = {
            QStringLiteral(TESSARO_SOURCE_DIR "/tests/update/LoopbackHTTPServer.py"), "--log",
            FFolder.filePath("requests.jsonl"), "--spool", FFolder.path()};
        if (!proxyLogin.empty()) arguments << "--proxy" << QString::fromStdString(proxyLogin);
        FProcess.start("python3", arguments);
        if (!FProcess.waitForReadyRead(10000)) return;
        const QByteArray line = FProcess.readLine().trimmed();
        if (line.startsWith("PORT ")) FPort = line.mid(5).toInt();
    }
    // Every request since the last ClearLog, one JSON object a line.
    std::string RequestLog() const { return ReadFileBytes(FFolder.filePath("requests.jsonl")); }
    void ClearLog() { WriteFileBytes(FFolder.filePath("requests.jsonl"), ""); }
    // For each logged request, the text value of that key ("-" when it has none).
    std::vector<std::string> Logged(const std::string& key) const {
        std::vector<std::string> values;
        const std::string log = RequestLog();
        const std::string marker = "\"" + key + "\": \"";
        for (std::size_t at = 0; at < log.size();) {
            const std::size_t end = std::min(log.find('\n', at), log.size());
            const std::string line = log.substr(at, end - at);
            const std::size_t found = line.find(marker);
            const std::size_t start = found + marker.size();
            values.push_back(found == std::string::npos
                                 ? "-"
                                 : line.substr(start, line.find('"', start) - start));
            at = end + 1;
        }
        return values;
    }
    QString Folder() const { return FFolder.path(); }

private:
    QTemporaryDir FFolder;
};

inline int FreeLoopbackPort() {
    const int probe = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    ::bind(probe, reinterpret_cast<sockaddr*>(&address), sizeof address);
    ::getsockname(probe, reinterpret_cast<sockaddr*>(&address), &length);
    ::close(probe);
    return ntohs(address.sin_port);
}

inline bool PortAccepts(int port) {
    const int client = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    const bool accepted =
        ::connect(client, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    ::close(client);
    return accepted;
}

// Debian's nginx in the foreground, as this user, on a free loopback port, serving the
// folder www/ of its own scratch folder with the configuration this test writes.
class TNginxServer final : public TServerProcess {
public:
    // The server block's locations, after root and listen.
    explicit TNginxServer(const std::string& locations) {
        QDir(FFolder.path()).mkpath("www");
        QDir(FFolder.path()).mkpath("temp");
        FPort = FreeLoopbackPort();
        const std::string folder = FFolder.path().toStdString();
        const std::string config =
            "daemon off;\nmaster_process off;\npid " + folder + "/nginx.pid;\n" + "error_log " +
            folder + "/error.log;\nevents {}\nhttp {\n  access_log off;\n" +
            "  client_body_temp_path " + folder + "/temp;\n  proxy_temp_path " + folder +
            "/temp;\n  fastcgi_temp_path " + folder + "/temp;\n  uwsgi_temp_path " + folder +
            "/temp;\n  scgi_temp_path " + folder +
            "/temp;\n  server {\n    listen 127.0.0.1:" + std::to_string(FPort) + ";\n    root " +
            folder + "/www;\n" + locations + "\n  }\n}\n";
        WriteFileBytes(FFolder.filePath("nginx.conf"), config);
        FProcess.start("/usr/sbin/nginx",
                       {"-p", FFolder.path(), "-e", FFolder.filePath("error.log"), "-c",
                        FFolder.filePath("nginx.conf")});
        FProcess.waitForStarted(10000);
        const auto deadline = std::chrono::steady_clock::now() + 10s;
        while (!PortAccepts(FPort) && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(20ms);
    }
    bool Running() const { return FProcess.state() == QProcess::Running && PortAccepts(FPort); }
    QString WwwPath(const QString& name) const { return FFolder.filePath("www/" + name); }
    QString FolderPath(const QString& name) const { return FFolder.filePath(name); }

private:
    QTemporaryDir FFolder;
};

}  // namespace tessaro::test
