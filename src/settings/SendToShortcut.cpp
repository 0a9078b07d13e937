#include "settings/SendToShortcut.h"

#include <filesystem>

#include "platform/AtomicFile.h"
#include "platform/Paths.h"
#include "settings/AppIcon.h"
#include "settings/InstalledEntry.h"
#include "settings/ShellFolders.h"

namespace tessaro {
namespace {

// shared-mime-info names of the accepted extensions. Plain text (".txt"
// subtitles) is left out: listing it would offer the program for every text file.
constexpr std::string_view kMimeTypes =
    "video/3gpp;audio/x-ms-asx;application/vnd.ms-asf;video/x-ms-asf;video/x-msvideo;"
    "video/x-flv;video/x-matroska;video/mp4;video/mpeg;video/mp2t;video/quicktime;"
    "application/ram;application/vnd.rn-realmedia;video/x-ms-wmv;"
    "application/x-subrip;application/x-sami;";

// The escapes every string value of a desktop entry takes.
std::string EscapeValue(std::string_view text) {
    std::string escaped;
    for (const char c : text) {
        switch (c) {
            case '\\':
                escaped += "\\\\";
                break;
            case '\n':
                escaped += "\\n";
                break;
            case '\r':
                escaped += "\\r";
                break;
            case '\t':
                escaped += "\\t";
                break;
            default:
                escaped += c;
        }
    }
    return escaped;
}

// One quoted Exec argument: the path is passed as it stands, never expanded.
std::string QuoteExecArgument(std::string_view argument) {
    std::string quoted = "\"";
    for (const char c : argument) {
        if (c == '"' || c == '`' || c == '$' || c == '\\') quoted += '\\';
        quoted += c;
        if (c == '%') quoted += '%';
    }
    return quoted + '"';
}

}  // namespace

std::string_view AcceptedMimeTypeList() {
    return kMimeTypes;
}

std::string DesktopEntryText(const std::string& target, const std::string& description,
                             const std::string& shortcutName) {
    return DesktopEntryForCommand(QuoteExecArgument(target), description, shortcutName);
}

std::string DesktopEntryForCommand(const std::string& command, const std::string& description,
                                   const std::string& shortcutName) {
    return "[Desktop Entry]\n"
           "Type=Application\n"
           "Name=" +
           EscapeValue(shortcutName) +
           "\n"
           "Comment=" +
           EscapeValue(description) +
           "\n"
           "Exec=" +
           EscapeValue(command) +
           " %F\n"
           "Icon=" +
           kAppIconName +
           "\n"
           "Categories=AudioVideo;Video;AudioVideoEditing;\n"
           "MimeType=" +
           std::string(kMimeTypes) +
           "\n"
           "Terminal=false\n";
}

bool CreateSendToShortcut(const std::string& target, const std::string& description,
                          const std::string& shortcutName) {
    std::string folder;
    if (!GetSpecialFolderPath(SpecialFolder::sendTo, folder)) return false;
    const std::string entry = platform::JoinPath(folder, shortcutName + ".desktop");
    std::error_code ignored;
    // An installed program comes with its entry; one of the same name in the
    // user's folder, left by a run from elsewhere, would hide it.
    if (const std::string installed = InstalledDesktopEntry(target, shortcutName);
        !installed.empty()) {
        if (!std::filesystem::equivalent(installed, entry, ignored))
            std::filesystem::remove(entry, ignored);
        return true;
    }
    // A per-user install's entry: the installed program keeps it.
    if (IsInstalledEntryFile(entry)) return true;
    std::filesystem::create_directories(folder, ignored);
    // Without its icon the entry still opens the files.
    InstallAppIcon();
    return platform::WriteFileAtomically(entry, DesktopEntryText(target, description, shortcutName),
                                         0644, nullptr);
}

}  // namespace tessaro
