#pragma once

#include <sodium.h>

#include <cstdint>
#include <string>
#include <vector>

#include "../platform/ProcessTestSupport.h"
#include "ToolRun.h"

namespace tessaro::test {

enum class TSignForm { Prehashed, Legacy };

inline const char* FormName(TSignForm form) {
    return form == TSignForm::Legacy ? "legacy" : "prehashed";
}

// A key pair made by the real minisign, without a password, in the given folder.
class TMinisignKey final {
public:
    TMinisignKey(const testing::TempDir& dir, const std::string& name)
        : FName(name), FPublic(dir.File(name + ".pub")), FSecret(dir.File(name + ".key")) {
        FMade =
            RunTool({"/usr/bin/minisign", "-G", "-W", "-p", FPublic, "-s", FSecret}).exitCode == 0;
    }
    bool Made() const { return FMade; }
    std::string PublicKeyText() const { return testing::ReadTextFile(FPublic); }

    // The .minisig text minisign writes for the file; empty when it fails.
    std::string Sign(const std::string& path, const std::string& trustedComment,
                     TSignForm form) const {
        const std::string signature = path + "." + FName + "." + FormName(form) + ".minisig";
        std::vector<std::string> argv = {
            "/usr/bin/minisign", "-S", "-s",          FSecret, "-m", path, "-x",
            signature,           "-t", trustedComment};
        if (form == TSignForm::Legacy) argv.push_back("-l");
        if (RunTool(argv).exitCode != 0) return {};
        return testing::ReadTextFile(signature);
    }

private:
    std::string FName, FPublic, FSecret;
    bool FMade = false;
};

// The lines of a text without their line ends, and back.
inline std::vector<std::string> TextLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t at = 0;
    for (std::size_t end; (end = text.find('\n', at)) != std::string::npos; at = end + 1)
        lines.push_back(text.substr(at, end - at));
    if (at < text.size()) lines.push_back(text.substr(at));
    return lines;
}

inline std::string JoinLines(const std::vector<std::string>& lines, const std::string& end = "\n") {
    std::string text;
    for (const std::string& line : lines) text += line + end;
    return text;
}

inline std::vector<std::uint8_t> FromBase64(const std::string& text) {
    std::vector<std::uint8_t> bytes(text.size());
    std::size_t size = 0;
    sodium_base642bin(bytes.data(), bytes.size(), text.data(), text.size(), nullptr, &size, nullptr,
                      sodium_base64_VARIANT_ORIGINAL);
    bytes.resize(size);
    return bytes;
}

inline std::string ToBase64(const std::vector<std::uint8_t>& bytes) {
    std::string text(sodium_base64_ENCODED_LEN(bytes.size(), sodium_base64_VARIANT_ORIGINAL), '\0');
    sodium_bin2base64(text.data(), text.size(), bytes.data(), bytes.size(),
                      sodium_base64_VARIANT_ORIGINAL);
    text.pop_back();  // the terminator
    return text;
}

// The signature text with line `index` (0 to 3) decoded, changed and encoded again.
template <typename Change>
std::string WithDecodedLine(const std::string& signature, std::size_t index, Change change) {
    std::vector<std::string> lines = TextLines(signature);
    std::vector<std::uint8_t> bytes = FromBase64(lines.at(index));
    change(bytes);
    lines.at(index) = ToBase64(bytes);
    return JoinLines(lines);
}

}  // namespace tessaro::test
