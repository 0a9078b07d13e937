#include "update/utils/kuFolders.h"

#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <exception>

#include "platform/Folders.h"
#include "platform/Paths.h"

namespace tessaro {
namespace {

constexpr char kSeparator = platform::kPathSeparator;

std::string WithTrailingSeparator(std::string folder) {
    if (folder.empty() || folder.back() != kSeparator) folder += kSeparator;
    return folder;
}

struct FolderMacro {
    TkuSystemDirectory dir;
    std::string_view macro;
};

constexpr std::array<FolderMacro, 12> kMacros = {{
    {TkuSystemDirectory::sdCurrentDir, "%current%"},
    {TkuSystemDirectory::sdDesktop, "%desktop%"},
    {TkuSystemDirectory::sdMyDocuments, "%mydocuments%"},
    {TkuSystemDirectory::sdMyPictures, "%mypictures%"},
    {TkuSystemDirectory::sdAppData, "%appdata%"},
    {TkuSystemDirectory::sdProgramFiles, "%programfiles%"},
    {TkuSystemDirectory::sdWindowsDir, "%windows%"},
    {TkuSystemDirectory::sdSystemDir, "%system%"},
    {TkuSystemDirectory::sdTempDir, "%temp%"},
    {TkuSystemDirectory::sdHelpDir, "%help%"},
    {TkuSystemDirectory::sdMediaDir, "%media%"},
    {TkuSystemDirectory::sdCursorsDir, "%cursors%"},
}};

std::string ReplaceIgnoringCase(const std::string& text, std::string_view macro,
                                const std::string& replacement) {
    const std::string lower = platform::ToLowerAscii(text);
    std::string result;
    std::size_t from = 0;
    for (std::size_t at = lower.find(macro); at != std::string::npos;
         at = lower.find(macro, from)) {
        result.append(text, from, at - from).append(replacement);
        from = at + macro.size();
    }
    return result.append(text, from);
}

std::string ReadExecutablePath() {
    std::string buffer(4096, '\0');
    const ssize_t length = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
    buffer.resize(length > 0 ? static_cast<std::size_t>(length) : 0);
    return buffer;
}

}  // namespace

const std::string& ApplicationFileName() {
    static const std::string fileName = ReadExecutablePath();
    return fileName;
}

const std::string& ApplicationFolder() {
    static const std::string folder = WithTrailingSeparator(platform::ProgramFolder());
    return folder;
}

std::string GetTempDir() {
    try {
        const std::string folder = platform::TempFolder();
        if (IsDirectoryExists(folder)) return WithTrailingSeparator(folder);
    } catch (const std::exception&) {
        // An unsafe temporary folder is never used; the program's own folder serves.
    }
    return ApplicationFolder();
}

std::string GetWindowsDir() {
    return "/usr/";
}

std::string GetSystemDir() {
    return "/usr/lib/";
}

std::string GetSysDir(TkuSystemDirectory dir) {
    switch (dir) {
        case TkuSystemDirectory::sdCurrentDir:
            return ApplicationFolder();
        case TkuSystemDirectory::sdDesktop:
            return WithTrailingSeparator(platform::UserDirectory("DESKTOP"));
        case TkuSystemDirectory::sdMyDocuments:
            return WithTrailingSeparator(platform::DocumentsFolder());
        case TkuSystemDirectory::sdMyPictures:
            return WithTrailingSeparator(platform::UserDirectory("PICTURES"));
        case TkuSystemDirectory::sdAppData:
            return WithTrailingSeparator(platform::ProfileFolder());
        case TkuSystemDirectory::sdProgramFiles:
            return "/opt/";
        case TkuSystemDirectory::sdWindowsDir:
            return GetWindowsDir();
        case TkuSystemDirectory::sdSystemDir:
            return GetSystemDir();
        case TkuSystemDirectory::sdTempDir:
            return GetTempDir();
        case TkuSystemDirectory::sdHelpDir:
            return "/usr/share/help/";
        case TkuSystemDirectory::sdMediaDir:
            return "/usr/share/sounds/";
        case TkuSystemDirectory::sdCursorsDir:
            return "/usr/share/icons/";
        case TkuSystemDirectory::sdNone:
            return {};
    }
    return {};
}

std::string ExpandToRealPath(std::string_view path, bool prefixAppFolder) {
    std::string result(path);
    for (const FolderMacro& entry : kMacros) {
        if (platform::ToLowerAscii(result).find(entry.macro) == std::string::npos) continue;
        result = ReplaceIgnoringCase(result, entry.macro, GetSysDir(entry.dir));
    }
    if (prefixAppFolder && !result.empty() && result.front() != kSeparator)
        result = ApplicationFolder() + result;
    return result;
}

bool CreateDirectory(std::string_view path) {
    const std::size_t last = path.rfind(kSeparator);
    if (last == std::string_view::npos) return false;
    for (std::size_t at = path.find(kSeparator); at != std::string_view::npos && at <= last;
         at = path.find(kSeparator, at + 1)) {
        // Existing folders and the root fail here harmlessly.
        ::mkdir(std::string(path.substr(0, at + 1)).c_str(), 0777);
    }
    return IsDirectoryExists(path.substr(0, last + 1));
}

bool IsDirectoryExists(std::string_view path) {
    struct stat info {};
    return !path.empty() && ::stat(std::string(path).c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

}  // namespace tessaro
