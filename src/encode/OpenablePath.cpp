#include "encode/OpenablePath.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <stdexcept>

#include "platform/Folders.h"
#include "platform/Paths.h"

namespace tessaro {
namespace {

bool FitsTheLocale(const std::string& path) {
    return std::mbstowcs(nullptr, path.c_str(), 0) != static_cast<size_t>(-1);
}

std::string AbsolutePath(const std::string& path) {
    std::error_code ignored;
    const std::filesystem::path absolute = std::filesystem::absolute(path, ignored);
    return absolute.empty() ? path : absolute.string();
}

// The extension as far as it is plain ASCII, which every accepted one is.
std::string PlainExtension(const std::string& path) {
    const std::string name = platform::ExtractFileName(path);
    const size_t dot = name.rfind('.');
    if (dot == std::string::npos) return {};
    const std::string extension = name.substr(dot);
    for (const char c : extension)
        if (static_cast<unsigned char>(c) >= 0x80 || c == '/') return {};
    return extension;
}

}  // namespace

OpenablePath::OpenablePath(const std::string& path) : path_(path) {
    if (FitsTheLocale(path)) return;
    try {
        std::string pattern = platform::JoinPath(platform::TempFolder(), "probe-XXXXXX");
        if (::mkdtemp(pattern.data()) == nullptr) return;
        folder_ = pattern;
    } catch (const std::runtime_error&) {
        return;  // no private folder: the library gets the name as it is
    }
    const std::string alias = platform::JoinPath(folder_, "file" + PlainExtension(path));
    if (::symlink(AbsolutePath(path).c_str(), alias.c_str()) == 0) alias_ = alias;
}

OpenablePath::~OpenablePath() {
    if (!alias_.empty()) ::unlink(alias_.c_str());
    if (!folder_.empty()) ::rmdir(folder_.c_str());
}

}  // namespace tessaro
