#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tessaro::platform {

// A fresh private folder (mode 0700) for one run's script and tool log,
// <base>/run-<frontEnd>-XXXXXX, so that runs at the same time never share a
// file and nothing a run writes passes through a name another user chose.
// While it exists the folder is locked; creating the next one of the same
// front end removes every earlier, unlocked one (a kept log of a failed run,
// what a crash left), never a folder of a run still going on.
class RunFolder final {
public:
    // Empty with `error` set when the folder cannot be made.
    static std::optional<RunFolder> Create(const std::string& base, std::string_view frontEnd,
                                           std::string* error);
    RunFolder(RunFolder&& other) noexcept;
    RunFolder& operator=(RunFolder&&) = delete;
    RunFolder(const RunFolder&) = delete;
    RunFolder& operator=(const RunFolder&) = delete;
    // Removes the folder with everything in it, unless it is kept.
    ~RunFolder();

    const std::string& Path() const { return path_; }
    // The random part of the folder's name, unique among the runs of this user.
    std::string Tag() const;
    // Leaves the folder in place (unlocked) for the user to read.
    void Keep() { kept_ = true; }

private:
    RunFolder(std::string path, int lockFd) : path_(std::move(path)), lockFd_(lockFd) {}

    std::string path_;
    int lockFd_ = -1;
    bool kept_ = false;
};

}  // namespace tessaro::platform
