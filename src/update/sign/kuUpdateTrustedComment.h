#pragma once

#include <string>
#include <string_view>

namespace tessaro {

// The trusted comment every update file's signature carries: "file:<name> version:<release>",
// name being the last segment of the file's URL and release the release's "#version".
// It binds a signature to one file of one release, so that a genuine signature cannot
// vouch for another file or replay an older release.
std::string UpdateTrustedComment(std::string_view fileName, std::string_view release);

}  // namespace tessaro
