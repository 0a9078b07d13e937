#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tessaro {

// The command of the desktop's default application for a MIME type, from the
// "[Default Applications]" of the mimeapps.list files (XDG order, desktop-specific
// lists first) and the "Exec" key of the named desktop entry, split into words
// by the desktop-entry quoting rules. Field codes %u %U %f %F become `target`
// (appended as a last word when the line has none); the other codes vanish.
// Empty when no installed default application is found.
std::vector<std::string> DefaultApplicationCommand(std::string_view mimeType,
                                                   std::string_view target);

// The program of the default application for files of that extension, as a
// full path when it is found on PATH; empty for an empty or unknown extension.
std::string GetExecutableByExtension(std::string_view extension);

}  // namespace tessaro
