#pragma once

#include <string>

namespace tessaro {

// A name of a file that the MediaInfo library can open. The library turns the
// name into wide characters by the locale and back, which fails for a name
// that is not valid in the locale's encoding (a Latin-1 byte under UTF-8): such
// a file gets a link with a plain name (keeping its extension, which the
// library looks at) in a private folder, for as long as this object lives.
class OpenablePath final {
public:
    explicit OpenablePath(const std::string& path);
    ~OpenablePath();
    OpenablePath(const OpenablePath&) = delete;
    OpenablePath& operator=(const OpenablePath&) = delete;

    const std::string& Path() const { return alias_.empty() ? path_ : alias_; }

private:
    const std::string& path_;
    std::string folder_;
    std::string alias_;
};

}  // namespace tessaro
