#pragma once

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "platform/Locale.h"

namespace tessaro::test {

inline std::string CorpusFile(std::string_view name) {
    return std::string(TESSARO_CORPUS_DIR) + "/" + std::string(name);
}

// The media library opens non-ASCII paths only under a UTF-8 character locale,
// which the programs set at start.
class Utf8LocaleEnvironment final : public ::testing::Environment {
public:
    void SetUp() override { platform::EnsureUtf8CharacterLocale(); }
};

}  // namespace tessaro::test
