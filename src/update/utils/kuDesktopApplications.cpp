#include "update/utils/kuDesktopApplications.h"

#include <QStandardPaths>
#include <QString>

#include <cstdlib>
#include <fstream>
#include <optional>

#include "platform/Folders.h"
#include "platform/Paths.h"
#include "update/utils/kuMimeType.h"
#include "update/utils/kuText.h"

namespace tessaro {
namespace {

std::vector<std::string> SplitList(std::string_view text, char separator) {
    std::vector<std::string> items;
    while (!text.empty()) {
        const std::size_t at = text.find(separator);
        const std::string item = Trim(text.substr(0, at));
        if (!item.empty()) items.push_back(item);
        if (at == std::string_view::npos) break;
        text.remove_prefix(at + 1);
    }
    return items;
}

std::vector<std::string> EnvironmentList(const char* name, std::string_view fallback) {
    const char* value = std::getenv(name);
    return SplitList(value && *value ? std::string_view(value) : fallback, ':');
}

// The value of Key in [Group] of an INI-style desktop file.
std::optional<std::string> ReadDesktopKey(const std::string& file, std::string_view group,
                                          std::string_view key) {
    std::ifstream in(file);
    bool inGroup = false;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty() && line.front() == '[') {
            inGroup = line == "[" + std::string(group) + "]";
            continue;
        }
        const std::size_t equals = line.find('=');
        if (inGroup && equals != std::string::npos && Trim(line.substr(0, equals)) == key)
            return Trim(line.substr(equals + 1));
    }
    return std::nullopt;
}

std::vector<std::string> MimeAppsLists() {
    std::vector<std::string> desktops;
    for (const std::string& desktop : EnvironmentList("XDG_CURRENT_DESKTOP", ""))
        desktops.push_back(platform::ToLowerAscii(desktop) + "-mimeapps.list");
    desktops.push_back("mimeapps.list");
    std::vector<std::string> folders = {platform::ConfigHome()};
    for (const std::string& dir : EnvironmentList("XDG_CONFIG_DIRS", "/etc/xdg"))
        folders.push_back(dir);
    folders.push_back(platform::JoinPath(platform::DataHome(), "applications"));
    for (const std::string& dir : EnvironmentList("XDG_DATA_DIRS", "/usr/local/share:/usr/share"))
        folders.push_back(platform::JoinPath(dir, "applications"));
    std::vector<std::string> lists;
    for (const std::string& folder : folders)
        for (const std::string& name : desktops) lists.push_back(platform::JoinPath(folder, name));
    return lists;
}

std::optional<std::string> FindDesktopEntry(const std::string& desktopId) {
    if (desktopId.find('/') != std::string::npos) return std::nullopt;
    std::vector<std::string> folders = {platform::JoinPath(platform::DataHome(), "applications")};
    for (const std::string& dir : EnvironmentList("XDG_DATA_DIRS", "/usr/local/share:/usr/share"))
        folders.push_back(platform::JoinPath(dir, "applications"));
    for (const std::string& folder : folders) {
        const std::string path = platform::JoinPath(folder, desktopId);
        if (std::ifstream(path).good()) return path;
    }
    return std::nullopt;
}

std::optional<std::string> DefaultExecLine(std::string_view mimeType) {
    for (const std::string& list : MimeAppsLists()) {
        const auto ids = ReadDesktopKey(list, "Default Applications", mimeType);
        if (!ids) continue;
        for (const std::string& id : SplitList(*ids, ';')) {
            const auto entry = FindDesktopEntry(id);
            if (!entry || ReadDesktopKey(*entry, "Desktop Entry", "Hidden") == "true") continue;
            if (auto exec = ReadDesktopKey(*entry, "Desktop Entry", "Exec"); exec && !exec->empty())
                return exec;
        }
    }
    return std::nullopt;
}

// The string escapes of desktop entry values: \s \n \t \r \\.
std::string UnescapeValue(std::string_view value) {
    std::string text;
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] != '\\' || i + 1 == value.size()) {
            text += value[i];
            continue;
        }
        const char next = value[++i];
        text += next == 's'   ? ' '
                : next == 'n' ? '\n'
                : next == 't' ? '\t'
                : next == 'r' ? '\r'
                              : next;
    }
    return text;
}

// Words of an Exec line: blanks separate, double quotes group, and inside
// quotes a backslash takes the next character literally.
std::vector<std::string> SplitExecWords(std::string_view line) {
    std::vector<std::string> words;
    std::string word;
    bool inWord = false;
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (quoted && c == '\\' && i + 1 < line.size()) {
            word += line[++i];
        } else if (c == '"') {
            quoted = !quoted;
            inWord = true;
        } else if (!quoted && (c == ' ' || c == '\t')) {
            if (inWord) words.push_back(word);
            word.clear();
            inWord = false;
        } else {
            word += c;
            inWord = true;
        }
    }
    if (inWord) words.push_back(word);
    return words;
}

bool IsTargetCode(char code) {
    return code == 'u' || code == 'U' || code == 'f' || code == 'F';
}

// Expands the field codes of one word and notes whether it placed the target.
std::string ExpandFieldCodes(const std::string& word, std::string_view target, bool& usedTarget) {
    std::string expanded;
    for (std::size_t i = 0; i < word.size(); ++i) {
        if (word[i] != '%' || i + 1 == word.size()) {
            expanded += word[i];
            continue;
        }
        const char code = word[++i];
        if (code == '%') {
            expanded += '%';
        } else if (IsTargetCode(code)) {
            expanded += target;
            usedTarget = true;
        }
    }
    return expanded;
}

}  // namespace

std::vector<std::string> DefaultApplicationCommand(std::string_view mimeType,
                                                   std::string_view target) {
    const auto exec = DefaultExecLine(mimeType);
    if (!exec) return {};
    std::vector<std::string> command;
    bool usedTarget = false;
    for (const std::string& word : SplitExecWords(UnescapeValue(*exec))) {
        const bool wholeCode = word.size() == 2 && word[0] == '%' && word[1] != '%';
        std::string expanded = ExpandFieldCodes(word, target, usedTarget);
        if (!expanded.empty() || !wholeCode) command.push_back(std::move(expanded));
    }
    if (command.empty() || command.front().empty()) return {};
    if (!usedTarget && !target.empty()) command.emplace_back(target);
    return command;
}

std::string GetExecutableByExtension(std::string_view extension) {
    const std::string mimeType = GetMIMEType(extension);
    if (mimeType == kDefaultMimeType) return {};
    const std::vector<std::string> command = DefaultApplicationCommand(mimeType, {});
    if (command.empty()) return {};
    const std::string& program = command.front();
    if (program.find('/') != std::string::npos) return program;
    const QString found = QStandardPaths::findExecutable(QString::fromStdString(program));
    return found.isEmpty() ? program : found.toStdString();
}

}  // namespace tessaro
