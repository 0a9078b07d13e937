#pragma once

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "encode/FileKind.h"
#include "platform/Paths.h"

namespace tessaro::bench {

// The corpus files the first serial takes as video (media or vob), sorted;
// empty when the corpus was not made (scripts/make-corpus.sh).
inline std::vector<std::string> CorpusVideos() {
    std::vector<std::string> files;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(TESSARO_CORPUS_DIR, error)) {
        const std::string path = entry.path().string();
        const FileKind kind = ClassifyFile(platform::ExtractFileExt(path), 0);
        const bool hidden = entry.path().filename().string().starts_with('.');
        if (entry.is_regular_file() && !hidden &&
            (kind == FileKind::media || kind == FileKind::vob))
            files.push_back(path);
    }
    std::sort(files.begin(), files.end());
    return files;
}

}  // namespace tessaro::bench
