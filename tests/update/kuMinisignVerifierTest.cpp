#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <stdexcept>
#include <string>

#include "LoopbackServers.h"
#include "SignTestSupport.h"
#include "update/sign/kuMinisignVerifier.h"
#include "update/sign/kuUpdateTrustedComment.h"
#include "update/sign/kuVerifyFileSignature.h"

namespace tessaro::test {
namespace {

constexpr const char* kRelease = "1.2.1.3";
// Larger than the chunks VerifyFileSignature reads, and not a multiple of them.
constexpr std::size_t kBinarySize = 600 * 1024 + 13;

// Update files signed by the real minisign: our release key signs each of them in both
// forms, a stranger's key signs the program too.
class MinisignVerifierTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        dir = new testing::TempDir();
        release = new TMinisignKey(*dir, "release");
        stranger = new TMinisignKey(*dir, "stranger");
        files = {{"tessaro.inf", "#version=1.2.1.3\r\n#files=tessaro.bin\r\n"},
                 {"tessaro.bin", PatternBytes(0, kBinarySize)},
                 {"empty.dat", ""}};
        for (const auto& [name, bytes] : files) {
            testing::WriteTextFile(dir->File(name), bytes);
            for (TSignForm form : {TSignForm::Prehashed, TSignForm::Legacy}) {
                const std::string comment = UpdateTrustedComment(name, kRelease);
                signatures[{name, form}] = release->Sign(dir->File(name), comment, form);
                if (name == "tessaro.bin")
                    strangers[form] = stranger->Sign(dir->File(name), comment, form);
            }
        }
    }
    static void TearDownTestSuite() {
        delete stranger;
        delete release;
        delete dir;
    }
    void SetUp() override {
        ASSERT_TRUE(release->Made() && stranger->Made());
        for (const auto& [which, text] : signatures) ASSERT_FALSE(text.empty()) << which.first;
        ASSERT_TRUE(key.has_value());
    }

    static std::string Signature(const std::string& name, TSignForm form) {
        return signatures.at({name, form});
    }

    static inline testing::TempDir* dir = nullptr;
    static inline TMinisignKey* release = nullptr;
    static inline TMinisignKey* stranger = nullptr;
    static inline std::map<std::string, std::string> files;
    static inline std::map<std::pair<std::string, TSignForm>, std::string> signatures;
    static inline std::map<TSignForm, std::string> strangers;
    const std::optional<TkuMinisignPublicKey> key =
        ParseMinisignPublicKey(release->PublicKeyText());
};

// Feeds the bytes in pieces of `chunk` (0: at once).
TkuSignatureVerdict Verify(const TkuMinisignPublicKey& key, const std::string& signature,
                           const std::string& bytes, const std::string& expected,
                           std::size_t chunk = 0) {
    TkuMinisignVerifier verifier(key, signature);
    if (chunk == 0) chunk = std::max<std::size_t>(bytes.size(), 1);
    for (std::size_t at = 0; at < bytes.size(); at += chunk)
        verifier.Update(bytes.data() + at, std::min(chunk, bytes.size() - at));
    return verifier.Finish(expected);
}

std::string ReplaceLine(const std::string& text, std::size_t index, const std::string& line) {
    std::vector<std::string> lines = TextLines(text);
    lines.at(index) = line;
    return JoinLines(lines);
}

TEST_F(MinisignVerifierTest, VerdictsOnGenuineTamperedAndMisplacedSignatures) {
    const std::string& info = files.at("tessaro.inf");
    const std::string& program = files.at("tessaro.bin");
    const std::string infoComment = UpdateTrustedComment("tessaro.inf", kRelease);
    const std::string programComment = UpdateTrustedComment("tessaro.bin", kRelease);
    std::string changed = program;
    changed[program.size() / 2] ^= 0x01;
    struct Case {
        const char* name;
        std::string bytes;
        std::string signature;
        std::string expected;
        TkuSignatureVerdict verdict;
    };
    using enum TkuSignatureVerdict;
    for (TSignForm form : {TSignForm::Prehashed, TSignForm::Legacy}) {
        const std::string good = Signature("tessaro.bin", form);
        const auto keyIdOfOurs = [&](std::vector<std::uint8_t>& bytes) {
            std::copy(key->KeyId.begin(), key->KeyId.end(), bytes.begin() + 2);
        };
        const auto otherForm = [](std::vector<std::uint8_t>& bytes) { bytes[1] ^= 'D' ^ 'd'; };
        const auto flipSignatureBit = [](std::vector<std::uint8_t>& bytes) { bytes[40] ^= 0x10; };
        const std::string otherGlobal = TextLines(Signature("tessaro.inf", form)).at(3);
        // clang-format off
        const Case cases[] = {
            {"program", program, good, programComment, Valid},
            {"info file", info, Signature("tessaro.inf", form), infoComment, Valid},
            {"empty file", "", Signature("empty.dat", form), UpdateTrustedComment("empty.dat", kRelease), Valid},
            {"signature with CR LF", program, JoinLines(TextLines(good), "\r\n"), programComment, Valid},
            {"one bit changed", changed, good, programComment, BadSignature},
            {"one byte more", program + '\0', good, programComment, BadSignature},
            {"last byte missing", program.substr(0, program.size() - 1), good, programComment, BadSignature},
            {"nothing received", "", good, programComment, BadSignature},
            {"signatures swapped", info, good, infoComment, BadSignature},
            {"signature bit flipped", program, WithDecodedLine(good, 1, flipSignatureBit), programComment, BadSignature},
            {"form switched", program, WithDecodedLine(good, 1, otherForm), programComment, BadSignature},
            {"stranger's key", program, strangers.at(form), programComment, UnknownKey},
            {"stranger's key under our key id", program, WithDecodedLine(strangers.at(form), 1, keyIdOfOurs), programComment, BadSignature},
            {"trusted comment edited", program, ReplaceLine(good, 2, "trusted comment: file:tessaro.bin version:9.9"), "file:tessaro.bin version:9.9", BadTrustedComment},
            {"global signature of another file", program, ReplaceLine(good, 3, otherGlobal), programComment, BadTrustedComment},
            {"expected another release", program, good, UpdateTrustedComment("tessaro.bin", "1.2.1.4"), WrongTrustedComment},
            {"expected another file", program, good, infoComment, WrongTrustedComment},
            {"expected with a trailing space", program, good, programComment + " ", WrongTrustedComment},
            {"truncated signature", program, good.substr(0, good.size() / 2), programComment, Malformed},
            {"garbage signature", program, "<html>404 Not Found</html>\n", programComment, Malformed},
            {"empty signature", program, "", programComment, Malformed},
        };
        // clang-format on
        for (const Case& row : cases) {
            SCOPED_TRACE(std::string(FormName(form)) + ": " + row.name);
            EXPECT_EQ(Verify(*key, row.signature, row.bytes, row.expected), row.verdict);
            EXPECT_EQ(Verify(*key, row.signature, row.bytes, row.expected, 4093), row.verdict);
        }
    }
}

TEST_F(MinisignVerifierTest, AnyCutOfTheBytesGivesTheSameVerdict) {
    const std::string& program = files.at("tessaro.bin");
    const std::string comment = UpdateTrustedComment("tessaro.bin", kRelease);
    std::string changed = program;
    changed.back() ^= 0x80;
    for (TSignForm form : {TSignForm::Prehashed, TSignForm::Legacy}) {
        for (std::size_t chunk : {1, 2, 3, 63, 64, 65, 4096, 65537}) {
            SCOPED_TRACE(std::string(FormName(form)) + ", pieces of " + std::to_string(chunk));
            const std::string signature = Signature("tessaro.bin", form);
            EXPECT_EQ(Verify(*key, signature, program, comment, chunk), TkuSignatureVerdict::Valid);
            EXPECT_EQ(Verify(*key, signature, changed, comment, chunk),
                      TkuSignatureVerdict::BadSignature);
        }
    }
}

TEST_F(MinisignVerifierTest, FilesOnDisk) {
    const std::string comment = UpdateTrustedComment("tessaro.bin", kRelease);
    std::string changed = files.at("tessaro.bin");
    changed[300 * 1024] ^= 0x04;  // in the second chunk read
    testing::WriteTextFile(dir->File("changed.bin"), changed);
    struct Case {
        const char* name;
        std::string path;
        TkuSignatureVerdict verdict;
    };
    const Case cases[] = {
        {"whole file", dir->File("tessaro.bin"), TkuSignatureVerdict::Valid},
        {"changed in its second chunk", dir->File("changed.bin"),
         TkuSignatureVerdict::BadSignature},
        {"missing", dir->File("missing.bin"), TkuSignatureVerdict::Unreadable},
        {"a folder", dir->Path().string(), TkuSignatureVerdict::Unreadable},
    };
    for (TSignForm form : {TSignForm::Prehashed, TSignForm::Legacy})
        for (const Case& row : cases) {
            SCOPED_TRACE(std::string(FormName(form)) + ": " + row.name);
            EXPECT_EQ(VerifyFileSignature(*key, row.path, Signature("tessaro.bin", form), comment),
                      row.verdict);
        }
}

TEST_F(MinisignVerifierTest, EndsWithItsVerdict) {
    TkuMinisignVerifier verifier(*key, Signature("empty.dat", TSignForm::Legacy));
    EXPECT_EQ(verifier.Finish(UpdateTrustedComment("empty.dat", kRelease)),
              TkuSignatureVerdict::Valid);
    EXPECT_THROW(verifier.Update("x", 1), std::logic_error);
    EXPECT_THROW(verifier.Finish(UpdateTrustedComment("empty.dat", kRelease)), std::logic_error);
}

TEST(UpdateTrustedComment, NamesTheFileAndTheRelease) {
    EXPECT_EQ(UpdateTrustedComment("tessaro.inf", "1.2.1.3"), "file:tessaro.inf version:1.2.1.3");
}

}  // namespace
}  // namespace tessaro::test
