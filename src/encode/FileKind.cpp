#include "encode/FileKind.h"

#include <string>

#include "platform/Paths.h"

namespace tessaro {

namespace {

// Plain substring test, so partial extensions such as ".mp" match too. An
// empty extension occurs in no list.
bool OccursIn(std::string_view patterns, const std::string& lowerExtension) {
    return !lowerExtension.empty() && patterns.find(lowerExtension) != std::string_view::npos;
}

}  // namespace

bool IsAcceptedFile(std::string_view extension, int serial) {
    const std::string e = platform::ToLowerAscii(extension);
    if (serial != 0 && OccursIn(kSubtitlePatterns, e)) return true;
    return OccursIn(kMediaPatterns, e);
}

FileKind ClassifyFile(std::string_view extension, int serial) {
    const std::string e = platform::ToLowerAscii(extension);
    if (serial != 2 && OccursIn(kVobPatterns, e)) return FileKind::vob;
    if (OccursIn(kSubtitlePatterns, e)) return FileKind::subtitle;
    if (OccursIn(kMediaPatterns, e)) return FileKind::media;
    return FileKind::none;
}

}  // namespace tessaro
