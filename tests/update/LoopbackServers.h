#pragma once

#include <QDir>
#include <QFile>
#include <QIODevice>
#include <QTemporaryDir>

#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "platform/ChildProcess.h"

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

// A process serving HTTP on a loopback port, stopped when the object goes. Started with
// posix_spawn, never fork, so that sanitised test programs may start it.
class TServerProcess {
public:
    TServerProcess() = default;
    TServerProcess(const TServerProcess&) = delete;
    TServerProcess& operator=(const TServerProcess&) = delete;
    ~TServerProcess() {
        FProcess.Close(2s);
        if (FOutput >= 0) ::close(FOutput);
    }
    int Port() const { return FPort; }
    std::string Url(const std::string& path, const std::string& scheme = "http") const {
        return scheme + "://127.0.0.1:" + std::to_string(FPort) + path;
    }

protected:
    // Starts the program with its standard output on a pipe that FirstLine reads.
    bool Start(const std::vector<std::string>& argv) {
        int ends[2];
        if (::pipe2(ends, O_CLOEXEC) != 0) return false;
        const bool started = FProcess.Start(argv, {}, ends[1]) == 0;
        ::close(ends[1]);
        FOutput = ends[0];
        return started;
    }
    // Starts a server that prints "PORT <n>" once it listens, and takes the port.
    void StartOnAnnouncedPort(const std::vector<std::string>& argv) {
        if (!Start(argv)) return;
        const std::string line = FirstLine(std::chrono::seconds(10));
        if (line.starts_with("PORT ")) FPort = std::stoi(line.substr(5));
    }
    std::string FirstLine(std::chrono::milliseconds limit) const {
        std::string line;
        pollfd ready{FOutput, POLLIN, 0};
        char c = 0;
        while (::poll(&ready, 1, static_cast<int>(limit.count())) > 0 &&
               ::read(FOutput, &c, 1) == 1 && c != '\n')
            line += c;
        return line;
    }
    bool Alive() const { return FProcess.Started() && !FProcess.HasEnded(); }

    platform::ChildProcess FProcess;
    int FOutput = -1;
    int FPort = 0;
};

// The misbehaving test server (LoopbackHTTPServer.py), with its request log and the
// bodies of uploads in a private folder.
class TLoopbackServer final : public TServerProcess {
public:
    explicit TLoopbackServer(const std::string& proxyLogin = {}) {
        std::vector<std::string> argv = {"/usr/bin/python3",
                                         TESSARO_SOURCE_DIR "/tests/update/LoopbackHTTPServer.py",
                                         "--log",
                                         FFolder.filePath("requests.jsonl").toStdString(),
                                         "--spool",
                                         FFolder.path().toStdString()};
        if (!proxyLogin.empty()) argv.insert(argv.end(), {"--proxy", proxyLogin});
        StartOnAnnouncedPort(argv);
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
    // The server block's locations, after root and listen; listenOptions follow the
    // address ("ssl" serves https, the certificate named among the locations).
    explicit TNginxServer(const std::string& locations, const std::string& listenOptions = {}) {
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
            "/temp;\n  server {\n    listen 127.0.0.1:" + std::to_string(FPort) + " " +
            listenOptions + ";\n    root " + folder + "/www;\n" + locations + "\n  }\n}\n";
        WriteFileBytes(FFolder.filePath("nginx.conf"), config);
        Start({"/usr/sbin/nginx", "-p", FFolder.path().toStdString(), "-e",
               FFolder.filePath("error.log").toStdString(), "-c",
               FFolder.filePath("nginx.conf").toStdString()});
        const auto deadline = std::chrono::steady_clock::now() + 10s;
        while (!PortAccepts(FPort) && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(20ms);
    }
    bool Running() const { return Alive() && PortAccepts(FPort); }
    QString WwwPath(const QString& name) const { return FFolder.filePath("www/" + name); }
    QString FolderPath(const QString& name) const { return FFolder.filePath(name); }

private:
    QTemporaryDir FFolder;
};

}  // namespace tessaro::test
