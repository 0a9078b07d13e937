#include "settings/ProfileFile.h"

#include <cerrno>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <limits>

#include "platform/AtomicFile.h"
#include "platform/Paths.h"
#include "platform/WholeFile.h"

namespace tessaro {
namespace {

constexpr std::string_view kBlanks = " \t\v\f\r";
constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

std::string_view Trim(std::string_view text) {
    const size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

bool IsBlank(char c) {
    return kBlanks.find(c) != std::string_view::npos;
}

std::optional<std::string_view> SectionNameOf(std::string_view line) {
    line = Trim(line);
    if (line.empty() || line.front() != '[') return std::nullopt;
    const size_t close = line.rfind(']');
    return Trim(line.substr(1, close == 0 ? std::string_view::npos : close - 1));
}

struct KeyLine {
    std::string_view key;
    std::string_view value;
};

std::optional<KeyLine> KeyLineOf(std::string_view line) {
    line = Trim(line);
    if (line.empty() || line.front() == ';' || line.front() == '[') return std::nullopt;
    const size_t equals = line.find('=');
    if (equals == std::string_view::npos) return std::nullopt;
    return KeyLine{Trim(line.substr(0, equals)), Trim(line.substr(equals + 1))};
}

bool IsEnclosedInQuotes(std::string_view value) {
    return value.size() > 1 && (value.front() == '"' || value.front() == '\'') &&
           value.back() == value.front();
}

constexpr std::string_view kLineBreaksAndNul{"\r\n\0", 3};

bool CanHoldValue(std::string_view value) {
    return value.find_first_of(kLineBreaksAndNul) == std::string_view::npos;
}

// A name that would read back as another line kind, or not at all, is refused.
bool IsUsableKeyName(std::string_view key) {
    key = Trim(key);
    return !key.empty() && key.front() != ';' && key.front() != '[' &&
           key.find('=') == std::string_view::npos && CanHoldValue(key);
}

bool IsUsableSectionName(std::string_view section) {
    return section.find(']') == std::string_view::npos && CanHoldValue(section);
}

std::string_view Unquote(std::string_view value) {
    return IsEnclosedInQuotes(value) ? value.substr(1, value.size() - 2) : value;
}

bool ReadsBackAltered(std::string_view value) {
    return !value.empty() &&
           (IsBlank(value.front()) || IsBlank(value.back()) || IsEnclosedInQuotes(value));
}

// Decimal, or hexadecimal after "$" or "0x", with an optional sign, as the
// Windows framework's integer reader takes it; hexadecimal spans all 32 bits
// ("$FFFFFFFF" is -1).
std::optional<int> ParseInteger(std::string_view text) {
    const bool negative = text.starts_with('-');
    if (negative || text.starts_with('+')) text.remove_prefix(1);
    int base = 10;
    if (text.starts_with('$')) {
        base = 16;
        text.remove_prefix(1);
    } else if (text.starts_with("0x") || text.starts_with("0X")) {
        base = 16;
        text.remove_prefix(2);
    }
    unsigned long long magnitude = 0;
    const auto [end, status] =
        std::from_chars(text.data(), text.data() + text.size(), magnitude, base);
    if (text.empty() || status != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    long long number = 0;
    if (base == 16) {
        if (magnitude > 0xFFFFFFFFULL) return std::nullopt;
        number = static_cast<std::int32_t>(static_cast<std::uint32_t>(magnitude));
    } else {
        if (magnitude > 0x80000000ULL) return std::nullopt;
        number = static_cast<long long>(magnitude);
    }
    if (negative) number = -number;
    if (number < std::numeric_limits<int>::min() || number > std::numeric_limits<int>::max())
        return std::nullopt;
    return static_cast<int>(number);
}

}  // namespace

ProfileFile ProfileFile::Parse(std::string_view bytes) {
    ProfileFile file;
    file.hasBom_ = bytes.starts_with(kUtf8Bom);
    if (file.hasBom_) bytes.remove_prefix(kUtf8Bom.size());
    bool newLineChosen = false;
    while (!bytes.empty()) {
        const size_t end = bytes.find('\n');
        std::string_view text = bytes.substr(0, end);
        std::string lineEnd = end == std::string_view::npos ? "" : "\n";
        if (!lineEnd.empty() && !text.empty() && text.back() == '\r') {
            text.remove_suffix(1);
            lineEnd = "\r\n";
        }
        if (!newLineChosen && !lineEnd.empty()) {
            file.newLine_ = lineEnd;
            newLineChosen = true;
        }
        file.lines_.push_back({std::string(text), lineEnd});
        bytes = end == std::string_view::npos ? std::string_view() : bytes.substr(end + 1);
    }
    return file;
}

std::optional<ProfileFile> ProfileFile::Load(const std::string& path, std::string* error) {
    std::string content;
    if (platform::ReadWholeFile(path, content)) return Parse(content);
    if (errno == ENOENT) return ProfileFile();
    if (error) *error = "Cannot read " + path + ": " + std::strerror(errno);
    return std::nullopt;
}

std::optional<size_t> ProfileFile::FindSection(std::string_view section) const {
    section = Trim(section);
    for (size_t i = 0; i < lines_.size(); ++i) {
        const std::optional<std::string_view> name = SectionNameOf(lines_[i].text);
        if (name && platform::EqualsNoCase(*name, section)) return i;
    }
    return std::nullopt;
}

size_t ProfileFile::SectionEnd(size_t sectionLine) const {
    size_t i = sectionLine + 1;
    while (i < lines_.size() && !SectionNameOf(lines_[i].text)) ++i;
    return i;
}

std::optional<size_t> ProfileFile::FindKey(size_t sectionLine, std::string_view key) const {
    key = Trim(key);
    const size_t end = SectionEnd(sectionLine);
    for (size_t i = sectionLine + 1; i < end; ++i) {
        const std::optional<KeyLine> line = KeyLineOf(lines_[i].text);
        if (line && platform::EqualsNoCase(line->key, key)) return i;
    }
    return std::nullopt;
}

std::optional<std::string> ProfileFile::ReadValue(std::string_view section,
                                                  std::string_view key) const {
    const std::optional<size_t> sectionLine = FindSection(section);
    if (!sectionLine) return std::nullopt;
    const std::optional<size_t> keyLine = FindKey(*sectionLine, key);
    if (!keyLine) return std::nullopt;
    return std::string(Unquote(KeyLineOf(lines_[*keyLine].text)->value));
}

std::string ProfileFile::ReadString(std::string_view section, std::string_view key,
                                    std::string_view defaultValue) const {
    return ReadValue(section, key).value_or(std::string(defaultValue));
}

int ProfileFile::ReadInteger(std::string_view section, std::string_view key,
                             int defaultValue) const {
    const std::optional<std::string> value = ReadValue(section, key);
    if (!value) return defaultValue;
    return ParseInteger(*value).value_or(defaultValue);
}

bool ProfileFile::ReadBool(std::string_view section, std::string_view key,
                           bool defaultValue) const {
    return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}

bool ProfileFile::SectionExists(std::string_view section) const {
    return FindSection(section).has_value();
}

std::vector<std::string> ProfileFile::KeyNames(std::string_view section) const {
    std::vector<std::string> names;
    const std::optional<size_t> sectionLine = FindSection(section);
    if (!sectionLine) return names;
    const size_t end = SectionEnd(*sectionLine);
    for (size_t i = *sectionLine + 1; i < end; ++i)
        if (const std::optional<KeyLine> line = KeyLineOf(lines_[i].text))
            names.emplace_back(line->key);
    return names;
}

void ProfileFile::InsertLine(size_t at, std::string text) {
    if (at > 0 && lines_[at - 1].end.empty()) lines_[at - 1].end = newLine_;
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at),
                  Line{std::move(text), newLine_});
}

bool ProfileFile::WriteString(std::string_view section, std::string_view key,
                              std::string_view value) {
    if (!CanHoldValue(value) || !IsUsableKeyName(key) || !IsUsableSectionName(section))
        return false;
    const std::string stored =
        ReadsBackAltered(value) ? "\"" + std::string(value) + "\"" : std::string(value);
    std::optional<size_t> sectionLine = FindSection(section);
    if (!sectionLine) {
        if (!lines_.empty() && !Trim(lines_.back().text).empty()) InsertLine(lines_.size(), "");
        InsertLine(lines_.size(), "[" + std::string(Trim(section)) + "]");
        sectionLine = lines_.size() - 1;
    }
    if (const std::optional<size_t> keyLine = FindKey(*sectionLine, key)) {
        const std::string spelling(KeyLineOf(lines_[*keyLine].text)->key);
        lines_[*keyLine].text = spelling + "=" + stored;
        return true;
    }
    // After the section's last non-blank line, so blank separators stay below it.
    size_t at = SectionEnd(*sectionLine);
    while (at > *sectionLine + 1 && Trim(lines_[at - 1].text).empty()) --at;
    InsertLine(at, std::string(Trim(key)) + "=" + stored);
    return true;
}

void ProfileFile::WriteInteger(std::string_view section, std::string_view key, int value) {
    WriteString(section, key, std::to_string(value));
}

void ProfileFile::WriteBool(std::string_view section, std::string_view key, bool value) {
    WriteString(section, key, value ? "1" : "0");
}

std::string ProfileFile::Text() const {
    std::string text = hasBom_ ? std::string(kUtf8Bom) : std::string();
    for (const Line& line : lines_) text += line.text + line.end;
    return text;
}

bool ProfileFile::Save(const std::string& path, std::string* error) const {
    return platform::WriteFileAtomically(path, Text(), 0600, error);
}

}  // namespace tessaro
