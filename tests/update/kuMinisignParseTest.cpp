#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "SignTestSupport.h"
#include "update/sign/kuMinisignPublicKey.h"
#include "update/sign/kuMinisignSignature.h"

namespace tessaro::test {
namespace {

// Keys and signatures written by the real minisign, read back in every shape a download
// or a hand-edited file may give them.
class MinisignParseTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        dir = new testing::TempDir();
        key = new TMinisignKey(*dir, "release");
        testing::WriteTextFile(dir->File("tessaro.inf"), "#version=1.2.1.3\n");
        prehashed = key->Sign(dir->File("tessaro.inf"), "file:tessaro.inf version:1.2.1.3",
                              TSignForm::Prehashed);
        legacy = key->Sign(dir->File("tessaro.inf"), "file:tessaro.inf version:1.2.1.3",
                           TSignForm::Legacy);
    }
    static void TearDownTestSuite() {
        delete key;
        delete dir;
    }
    void SetUp() override {
        ASSERT_TRUE(key->Made());
        ASSERT_FALSE(prehashed.empty());
        ASSERT_FALSE(legacy.empty());
    }

    static inline testing::TempDir* dir = nullptr;
    static inline TMinisignKey* key = nullptr;
    static inline std::string prehashed, legacy;
};

using TEdit = std::function<std::string(const std::string&)>;

std::string Line(const std::string& text, std::size_t index) {
    return TextLines(text).at(index);
}

std::string ReplaceLine(const std::string& text, std::size_t index, const std::string& line) {
    std::vector<std::string> lines = TextLines(text);
    lines.at(index) = line;
    return JoinLines(lines);
}

// The signature line ends in "x=": x carries two bits that no byte uses.
std::string WithUnusedBitSet(std::string line) {
    const std::string alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    char& last = line[line.size() - 2];
    last = alphabet[alphabet.find(last) ^ 1];
    return line;
}

TEST_F(MinisignParseTest, PublicKeyInEveryShapeAndNothingElse) {
    const std::string file = key->PublicKeyText();
    const std::string keyLine = Line(file, 1);
    const auto wellFormed = ParseMinisignPublicKey(keyLine);
    ASSERT_TRUE(wellFormed.has_value());
    const std::vector<std::uint8_t> raw = FromBase64(keyLine);
    EXPECT_TRUE(std::equal(wellFormed->KeyId.begin(), wellFormed->KeyId.end(), raw.begin() + 2));
    EXPECT_TRUE(std::equal(wellFormed->Key.begin(), wellFormed->Key.end(), raw.begin() + 10));

    struct Case {
        const char* name;
        std::string text;
        bool accepted;
    };
    const auto withBytes = [&](const std::function<void(std::vector<std::uint8_t>&)>& change) {
        std::vector<std::uint8_t> bytes = raw;
        change(bytes);
        return ToBase64(bytes);
    };
    // Bytes 3 to 5 all ones are "////" in Base64.
    const std::string slashes = withBytes([](auto& b) { std::fill_n(b.begin() + 3, 3, 0xFF); });
    std::string urlSafe = slashes;
    std::replace(urlSafe.begin(), urlSafe.end(), '/', '_');
    // clang-format off
    const Case cases[] = {
        {"key line", keyLine, true},
        {"key line with LF", keyLine + "\n", true},
        {"whole file", file, true},
        {"whole file with CR LF", JoinLines(TextLines(file), "\r\n"), true},
        {"whole file without the last line end", Line(file, 0) + "\n" + keyLine, true},
        {"empty", "", false},
        {"comment line only", Line(file, 0), false},
        {"key line before the comment", keyLine + "\n" + Line(file, 0), false},
        {"comment without its prefix", "minisign public key\n" + keyLine, false},
        {"two key lines", keyLine + "\n" + keyLine, false},
        {"space inside", keyLine.substr(0, 20) + " " + keyLine.substr(20), false},
        {"leading space", " " + keyLine, false},
        {"character outside Base64", keyLine.substr(0, 55) + "*", false},
        {"one byte short", withBytes([](auto& b) { b.pop_back(); }), false},
        {"one byte long", withBytes([](auto& b) { b.push_back(0); }), false},
        {"algorithm ED (keys are Ed)", withBytes([](auto& b) { b[1] = 'D'; }), false},
        {"algorithm XX", withBytes([](auto& b) { b[0] = b[1] = 'X'; }), false},
        {"key id in Base64 '/'", slashes, true},
        {"URL-safe alphabet", urlSafe, false},
    };
    // clang-format on
    for (const Case& row : cases) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(ParseMinisignPublicKey(row.text).has_value(), row.accepted);
    }
}

TEST_F(MinisignParseTest, SignatureFieldsOfBothForms) {
    const std::vector<std::uint8_t> keyBytes = FromBase64(Line(key->PublicKeyText(), 1));
    struct Case {
        const char* name;
        std::string text;
        TkuSignatureAlgorithm algorithm;
    };
    const Case cases[] = {{"prehashed", prehashed, TkuSignatureAlgorithm::Prehashed},
                          {"legacy", legacy, TkuSignatureAlgorithm::Legacy}};
    for (const Case& row : cases) {
        SCOPED_TRACE(row.name);
        const auto parsed = ParseMinisignSignature(row.text);
        ASSERT_TRUE(parsed.has_value());
        const std::vector<std::uint8_t> line = FromBase64(Line(row.text, 1));
        EXPECT_EQ(parsed->Algorithm, row.algorithm);
        EXPECT_TRUE(std::equal(parsed->KeyId.begin(), parsed->KeyId.end(), keyBytes.begin() + 2));
        EXPECT_TRUE(
            std::equal(parsed->Signature.begin(), parsed->Signature.end(), line.begin() + 10));
        const std::vector<std::uint8_t> global = FromBase64(Line(row.text, 3));
        EXPECT_TRUE(std::equal(parsed->GlobalSignature.begin(), parsed->GlobalSignature.end(),
                               global.begin(), global.end()));
        EXPECT_EQ(parsed->UntrustedComment, "signature from minisign secret key");
        EXPECT_EQ(parsed->TrustedComment, "file:tessaro.inf version:1.2.1.3");
    }
}

TEST_F(MinisignParseTest, SignatureTextShapes) {
    const std::string good = prehashed;
    const std::vector<std::string> lines = TextLines(good);
    struct Case {
        const char* name;
        TEdit edit;
        bool accepted;
    };
    const auto signatureBytes = [](const std::function<void(std::vector<std::uint8_t>&)>& change) {
        return TEdit(
            [change](const std::string& text) { return WithDecodedLine(text, 1, change); });
    };
    const auto globalBytes = [](const std::function<void(std::vector<std::uint8_t>&)>& change) {
        return TEdit(
            [change](const std::string& text) { return WithDecodedLine(text, 3, change); });
    };
    const auto lineAt = [](std::size_t index, const std::string& replacement) {
        return TEdit(
            [=](const std::string& text) { return ReplaceLine(text, index, replacement); });
    };
    // clang-format off
    const Case cases[] = {
        {"as written", [](const std::string& t) { return t; }, true},
        {"CR LF line ends", [](const std::string& t) { return JoinLines(TextLines(t), "\r\n"); }, true},
        {"no final line end", [](const std::string& t) { return t.substr(0, t.size() - 1); }, true},
        {"empty lines after the end", [](const std::string& t) { return t + "\n\r\n"; }, true},
        {"empty trusted comment", lineAt(2, "trusted comment: "), true},
        {"empty", [](const std::string&) { return std::string(); }, false},
        {"garbage", [](const std::string&) { return std::string("\x01\xff not a signature\n"); }, false},
        {"truncated in the global signature", [](const std::string& t) { return t.substr(0, t.size() - 20); }, false},
        {"truncated after the signature line", [&](const std::string&) { return JoinLines({lines[0], lines[1]}); }, false},
        {"no untrusted comment", [&](const std::string&) { return JoinLines({lines[1], lines[2], lines[3]}); }, false},
        {"a fifth line", [](const std::string& t) { return t + "extra\n"; }, false},
        {"empty line inside", [&](const std::string&) { return JoinLines({lines[0], lines[1], "", lines[2], lines[3]}); }, false},
        {"untrusted prefix missing", lineAt(0, "signature from minisign secret key"), false},
        {"trusted prefix without its space", lineAt(2, "trusted comment:" + lines[2].substr(17)), false},
        {"trusted comment line first", [&](const std::string&) { return JoinLines({lines[2], lines[1], lines[0], lines[3]}); }, false},
        {"space in the signature line", lineAt(1, lines[1].substr(0, 10) + " " + lines[1].substr(10)), false},
        {"padding missing", lineAt(1, lines[1].substr(0, lines[1].size() - 1)), false},
        {"unused bits set", lineAt(1, WithUnusedBitSet(lines[1])), false},
        {"signature one byte short", signatureBytes([](auto& b) { b.pop_back(); }), false},
        {"signature one byte long", signatureBytes([](auto& b) { b.push_back(0); }), false},
        {"algorithm Ex", signatureBytes([](auto& b) { b[1] = 'x'; }), false},
        {"algorithm ed", signatureBytes([](auto& b) { b[0] = 'e'; }), false},
        {"global signature one byte short", globalBytes([](auto& b) { b.pop_back(); }), false},
        {"global signature one byte long", globalBytes([](auto& b) { b.push_back(0); }), false},
    };
    // clang-format on
    for (const Case& row : cases) {
        const std::string text = row.edit(good);
        SCOPED_TRACE(std::string(row.name) + ":\n" + text);
        EXPECT_EQ(ParseMinisignSignature(text).has_value(), row.accepted);
    }
}

}  // namespace
}  // namespace tessaro::test
