#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tessaro {

// A Windows profile (INI) file read and written the way the Windows profile
// functions do it: section and key names compare without ASCII case and are
// trimmed, only the first section of a name is used and its first matching key
// wins, values are trimmed and lose one pair of enclosing quotes ('...' or
// "..."), ";" starts a comment line. Writing changes only the line concerned
// (or appends the key or the section), so comments, foreign sections and keys,
// and the file's line ends stay as they were. Text is kept as raw bytes.
class ProfileFile final {
public:
    ProfileFile() = default;
    static ProfileFile Parse(std::string_view bytes);

    // A missing file gives an empty profile; a file that exists but cannot be
    // read gives nullopt and the reason.
    static std::optional<ProfileFile> Load(const std::string& path, std::string* error = nullptr);

    // nullopt when the section or key is absent; a present key may be empty.
    std::optional<std::string> ReadValue(std::string_view section, std::string_view key) const;
    std::string ReadString(std::string_view section, std::string_view key,
                           std::string_view defaultValue) const;
    // Decimal with an optional sign, or hexadecimal written "$1F" or "0x1F"; a
    // value that does not fit 32 bits or does not parse gives the default.
    int ReadInteger(std::string_view section, std::string_view key, int defaultValue) const;
    // An integer; any non-zero value is true.
    bool ReadBool(std::string_view section, std::string_view key, bool defaultValue) const;

    bool SectionExists(std::string_view section) const;
    // Key names of the section in file order, as spelt there.
    std::vector<std::string> KeyNames(std::string_view section) const;

    // A value that the reader would alter (outer blanks, enclosing quotes) is
    // written in double quotes so that it reads back unchanged. Values with a
    // line break or NUL cannot be stored, nor a key or section name that would
    // read back as something else: false, and nothing changes.
    bool WriteString(std::string_view section, std::string_view key, std::string_view value);
    void WriteInteger(std::string_view section, std::string_view key, int value);
    void WriteBool(std::string_view section, std::string_view key, bool value);

    std::string Text() const;
    // Writes Text() atomically (mode 0600), never leaving a half-written file.
    bool Save(const std::string& path, std::string* error = nullptr) const;

private:
    struct Line {
        std::string text;
        std::string end;  // "\n", "\r\n" or "" for an unterminated last line
    };

    std::optional<size_t> FindSection(std::string_view section) const;
    size_t SectionEnd(size_t sectionLine) const;
    std::optional<size_t> FindKey(size_t sectionLine, std::string_view key) const;
    void InsertLine(size_t at, std::string text);

    std::vector<Line> lines_;
    std::string newLine_ = "\n";  // the file's own line end, for lines added to it
    bool hasBom_ = false;
};

}  // namespace tessaro
