#include "platform/RegistryHive.h"

#include <algorithm>
#include <charconv>
#include <cstdio>

#include "platform/Paths.h"

namespace tessaro::platform {
namespace {

constexpr std::string_view kHeader = "REGEDIT4";
constexpr size_t kHexLineLimit = 76;  // regedit wraps long hex lists near 80 columns

unsigned char FoldForOrder(char c) {
    if (c == '\\') return 1;  // a key sorts right before its subkeys
    if (c >= 'A' && c <= 'Z') return static_cast<unsigned char>(c - 'A' + 'a');
    return static_cast<unsigned char>(c);
}

bool KeyLess(std::string_view a, std::string_view b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return FoldForOrder(x) < FoldForOrder(y);
    });
}

bool IsBelow(std::string_view path, std::string_view ancestor) {
    if (ancestor.empty()) return !path.empty();
    return path.size() > ancestor.size() && path[ancestor.size()] == '\\' &&
           EqualsNoCase(path.substr(0, ancestor.size()), ancestor);
}

std::string_view TrimBlanks(std::string_view text) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    const size_t last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

bool HasLineBreak(std::string_view text) {
    return text.find_first_of("\r\n") != std::string_view::npos;
}

bool Refuse(std::string* error, const std::string& reason) {
    if (error) *error = reason;
    return false;
}

// Physical lines joined where a hex list continues with a trailing backslash.
std::vector<std::string> LogicalLines(std::string_view text) {
    std::vector<std::string> lines;
    bool continues = false;
    while (!text.empty()) {
        const size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        std::string_view trimmed = TrimBlanks(line);
        const bool nextContinues = !trimmed.empty() && trimmed.back() == '\\' &&
                                   trimmed.front() != '[' && trimmed.front() != ';';
        if (nextContinues) trimmed.remove_suffix(1);
        if (continues)
            lines.back() += std::string(trimmed);
        else
            lines.emplace_back(trimmed);
        continues = nextContinues;
    }
    return lines;
}

// A quoted text with \\ and \" escapes; `text` starts at the opening quote and
// is advanced past the closing one.
std::optional<std::string> ParseQuoted(std::string_view& text) {
    if (text.empty() || text.front() != '"') return std::nullopt;
    std::string result;
    for (size_t i = 1; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '"') {
            text.remove_prefix(i + 1);
            return result;
        }
        if (c == '\\') {
            if (++i == text.size() || (text[i] != '\\' && text[i] != '"')) return std::nullopt;
        }
        result += text[i];
    }
    return std::nullopt;
}

std::string Quote(std::string_view text) {
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '\\' || c == '"') quoted += '\\';
        quoted += c;
    }
    return quoted + '"';
}

template <typename T>
bool ParseHexNumber(std::string_view text, T& number) {
    if (text.empty() || text.size() > 2 * sizeof(T)) return false;
    const auto [end, status] = std::from_chars(text.data(), text.data() + text.size(), number, 16);
    return status == std::errc() && end == text.data() + text.size();
}

std::optional<RegistryBinary> ParseHexList(std::string_view text) {
    RegistryBinary bytes;
    if (TrimBlanks(text).empty()) return bytes;
    while (true) {
        const size_t comma = text.find(',');
        std::uint8_t byte = 0;
        if (!ParseHexNumber(TrimBlanks(text.substr(0, comma)), byte)) return std::nullopt;
        bytes.push_back(byte);
        if (comma == std::string_view::npos) return bytes;
        text.remove_prefix(comma + 1);
    }
}

std::string HexList(std::string head, const RegistryBinary& bytes, size_t column) {
    column += head.size();
    for (size_t i = 0; i < bytes.size(); ++i) {
        char piece[4];
        std::snprintf(piece, sizeof piece, "%02x%s", bytes[i], i + 1 < bytes.size() ? "," : "");
        head += piece;
        column += std::char_traits<char>::length(piece);
        if (i + 1 < bytes.size() && column > kHexLineLimit) {
            head += "\\\n  ";
            column = 2;
        }
    }
    return head;
}

// REG_SZ and REG_DWORD stored as bytes read as their natural types.
RegistryValue TypedFromRaw(int type, RegistryBinary bytes, int& rawType) {
    rawType = -1;
    const auto firstNul = std::find(bytes.begin(), bytes.end(), 0);
    if (type == 1 && (firstNul == bytes.end() || firstNul + 1 == bytes.end()))
        return std::string(bytes.begin(), firstNul);
    if (type == 4 && bytes.size() == 4)
        return static_cast<std::uint32_t>(bytes[0] | bytes[1] << 8 | bytes[2] << 16 |
                                          static_cast<std::uint32_t>(bytes[3]) << 24);
    if (type != 3) rawType = type;
    return bytes;
}

std::optional<RegistryValue> ParseData(std::string_view data, int& rawType) {
    rawType = -1;
    if (!data.empty() && data.front() == '"') {
        std::optional<std::string> text = ParseQuoted(data);
        if (!text || !TrimBlanks(data).empty()) return std::nullopt;
        return *text;
    }
    if (data.starts_with("dword:")) {
        std::uint32_t number = 0;
        if (!ParseHexNumber(TrimBlanks(data.substr(6)), number)) return std::nullopt;
        return number;
    }
    if (data.starts_with("hex:")) {
        std::optional<RegistryBinary> bytes = ParseHexList(data.substr(4));
        if (!bytes) return std::nullopt;
        return *bytes;
    }
    if (data.starts_with("hex(")) {
        const size_t close = data.find("):");
        unsigned type = 0;
        if (close == std::string_view::npos || !ParseHexNumber(data.substr(4, close - 4), type))
            return std::nullopt;
        std::optional<RegistryBinary> bytes = ParseHexList(data.substr(close + 2));
        if (!bytes) return std::nullopt;
        return TypedFromRaw(static_cast<int>(type), std::move(*bytes), rawType);
    }
    return std::nullopt;
}

// `column` is where the data starts on its line, for wrapping long hex lists.
std::string FormatData(const RegistryValue& data, int rawType, size_t column) {
    if (const auto* text = std::get_if<std::string>(&data)) {
        if (!HasLineBreak(*text)) return Quote(*text);
        RegistryBinary bytes(text->begin(), text->end());
        bytes.push_back(0);
        return HexList("hex(1):", bytes, column);
    }
    if (const auto* number = std::get_if<std::uint32_t>(&data)) {
        char text[16];
        std::snprintf(text, sizeof text, "dword:%08x", *number);
        return text;
    }
    const auto& bytes = std::get<RegistryBinary>(data);
    if (rawType < 0) return HexList("hex:", bytes, column);
    char head[24];
    std::snprintf(head, sizeof head, "hex(%x):", static_cast<unsigned>(rawType));
    return HexList(head, bytes, column);
}

std::string FormatName(std::string_view name) {
    return name.empty() ? "@" : Quote(name);
}

}  // namespace

std::string RegistryHive::NormaliseKeyPath(std::string_view key) {
    std::string path;
    size_t start = 0;
    while (start <= key.size()) {
        const size_t end = std::min(key.find('\\', start), key.size());
        if (end > start) {
            if (!path.empty()) path += '\\';
            path += key.substr(start, end - start);
        }
        start = end + 1;
    }
    return path;
}

std::optional<RegistryHive> RegistryHive::Parse(std::string_view text, std::string_view rootName) {
    const std::vector<std::string> lines = LogicalLines(text);
    auto line = std::find_if(lines.begin(), lines.end(), [](const auto& l) { return !l.empty(); });
    if (line == lines.end() || *line != kHeader) return std::nullopt;
    RegistryHive hive;
    Key* current = nullptr;
    for (++line; line != lines.end(); ++line) {
        const std::string_view content = *line;
        if (content.empty() || content.front() == ';') continue;
        if (content.front() == '[') {
            if (content.back() != ']') return std::nullopt;
            const std::string_view inner = content.substr(1, content.size() - 2);
            const std::string_view rest = inner.substr(std::min(rootName.size(), inner.size()));
            if (!EqualsNoCase(inner.substr(0, rootName.size()), rootName) ||
                (!rest.empty() && rest.front() != '\\'))
                return std::nullopt;
            const std::string path = NormaliseKeyPath(rest);
            current = hive.FindKey(path);
            if (!current) current = &hive.InsertKey(path);
            continue;
        }
        if (!current || !hive.ParseValueLine(content, *current)) return std::nullopt;
    }
    return hive;
}

bool RegistryHive::ParseValueLine(std::string_view line, Key& key) {
    std::string name;
    if (line.front() == '@') {
        line.remove_prefix(1);
    } else {
        std::optional<std::string> quoted = ParseQuoted(line);
        if (!quoted) return false;
        name = std::move(*quoted);
    }
    line = TrimBlanks(line);
    if (line.empty() || line.front() != '=') return false;
    int rawType = -1;
    std::optional<RegistryValue> data = ParseData(TrimBlanks(line.substr(1)), rawType);
    if (!data) return false;
    // A name given twice: the later line wins, as an import would have it.
    auto same = std::find_if(key.values.begin(), key.values.end(),
                             [&](const Value& v) { return EqualsNoCase(v.name, name); });
    if (same == key.values.end())
        key.values.push_back({std::move(name), std::move(*data), rawType});
    else
        *same = {same->name, std::move(*data), rawType};
    return true;
}

std::string RegistryHive::Format(std::string_view rootName) const {
    std::string text = std::string(kHeader) + "\n\n";
    for (const Key& key : keys_) {
        text += "[" + std::string(rootName) + (key.path.empty() ? "" : "\\" + key.path) + "]\n";
        for (const Value& value : key.values) {
            const std::string name = FormatName(value.name) + "=";
            text += name + FormatData(value.data, value.rawType, name.size()) + "\n";
        }
        text += "\n";
    }
    return text;
}

RegistryHive::Key* RegistryHive::FindKey(std::string_view path) {
    auto found = std::find_if(keys_.begin(), keys_.end(),
                              [&](const Key& k) { return EqualsNoCase(k.path, path); });
    return found == keys_.end() ? nullptr : &*found;
}

const RegistryHive::Key* RegistryHive::FindKey(std::string_view path) const {
    return const_cast<RegistryHive*>(this)->FindKey(path);
}

RegistryHive::Key& RegistryHive::InsertKey(std::string path) {
    auto at =
        std::upper_bound(keys_.begin(), keys_.end(), path,
                         [](const std::string& p, const Key& k) { return KeyLess(p, k.path); });
    return *keys_.insert(at, Key{std::move(path), {}});
}

bool RegistryHive::KeyExists(std::string_view key) const {
    const std::string path = NormaliseKeyPath(key);
    return path.empty() || FindKey(path) ||
           std::any_of(keys_.begin(), keys_.end(),
                       [&](const Key& k) { return IsBelow(k.path, path); });
}

const RegistryValue* RegistryHive::FindValue(std::string_view key, std::string_view name) const {
    const Key* found = FindKey(NormaliseKeyPath(key));
    if (!found) return nullptr;
    for (const Value& value : found->values)
        if (EqualsNoCase(value.name, name)) return &value.data;
    return nullptr;
}

std::vector<std::string> RegistryHive::SubKeyNames(std::string_view key) const {
    const std::string path = NormaliseKeyPath(key);
    std::vector<std::string> names;
    for (const Key& k : keys_) {
        if (!IsBelow(k.path, path)) continue;
        const std::string_view below =
            std::string_view(k.path).substr(path.empty() ? 0 : path.size() + 1);
        const std::string child(below.substr(0, below.find('\\')));
        if (std::none_of(names.begin(), names.end(),
                         [&](const std::string& n) { return EqualsNoCase(n, child); }))
            names.push_back(child);
    }
    return names;
}

std::vector<std::string> RegistryHive::ValueNames(std::string_view key) const {
    std::vector<std::string> names;
    if (const Key* found = FindKey(NormaliseKeyPath(key)))
        for (const Value& value : found->values) names.push_back(value.name);
    return names;
}

bool RegistryHive::CreateKey(std::string_view key, std::string* error) {
    const std::string path = NormaliseKeyPath(key);
    if (HasLineBreak(path)) return Refuse(error, "A key name cannot hold a line break");
    for (size_t end = path.find('\\');; end = path.find('\\', end + 1)) {
        const std::string prefix = path.substr(0, end);
        if (!prefix.empty() && !FindKey(prefix)) InsertKey(prefix);
        if (end == std::string::npos) return true;
    }
}

bool RegistryHive::SetValue(std::string_view key, std::string_view name, const RegistryValue& value,
                            std::string* error) {
    if (HasLineBreak(name)) return Refuse(error, "A value name cannot hold a line break");
    if (const auto* text = std::get_if<std::string>(&value);
        text && text->find('\0') != std::string::npos)
        return Refuse(error, "A string value cannot hold a NUL character");
    if (!CreateKey(key, error)) return false;
    std::string path = NormaliseKeyPath(key);
    Key* target = FindKey(path);
    if (!target) target = &InsertKey(std::move(path));
    for (Value& existing : target->values) {
        if (!EqualsNoCase(existing.name, name)) continue;
        existing.data = value;
        existing.rawType = -1;
        return true;
    }
    target->values.push_back({std::string(name), value, -1});
    return true;
}

bool RegistryHive::DeleteValue(std::string_view key, std::string_view name, std::string* error) {
    Key* found = FindKey(NormaliseKeyPath(key));
    if (!found) return Refuse(error, "The key does not exist");
    const auto erased =
        std::erase_if(found->values, [&](const Value& v) { return EqualsNoCase(v.name, name); });
    return erased > 0 || Refuse(error, "The value does not exist");
}

bool RegistryHive::DeleteKey(std::string_view key, bool withSubKeys, std::string* error) {
    const std::string path = NormaliseKeyPath(key);
    if (path.empty()) return Refuse(error, "A root key cannot be deleted");
    if (!KeyExists(path)) return Refuse(error, "The key does not exist");
    if (!withSubKeys && !SubKeyNames(path).empty()) return Refuse(error, "The key has subkeys");
    std::erase_if(
        keys_, [&](const Key& k) { return EqualsNoCase(k.path, path) || IsBelow(k.path, path); });
    return true;
}

}  // namespace tessaro::platform
