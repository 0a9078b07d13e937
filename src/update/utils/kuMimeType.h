#pragma once

#include <string>
#include <string_view>

namespace tessaro {

inline constexpr std::string_view kDefaultMimeType = "application/octet-stream";

// The MIME type that the shared MIME database gives a file extension ("txt",
// ".TXT" and ".txt" alike); "application/octet-stream" for an empty or unknown
// extension.
std::string GetMIMEType(std::string_view extension);

}  // namespace tessaro
