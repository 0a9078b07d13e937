#pragma once

#include <string>
#include <string_view>

namespace tessaro {

// Full path of the running executable and its folder with a trailing "/",
// fixed when first asked.
const std::string& ApplicationFileName();
const std::string& ApplicationFolder();

// The folders behind the twelve folder macros. Every folder ends with "/"
// except that of sdNone, which is empty. On Linux:
//   %current%       the application folder
//   %desktop%       XDG_DESKTOP_DIR (user-dirs.dirs), else the home folder
//   %mydocuments%   XDG_DOCUMENTS_DIR, else the home folder
//   %mypictures%    XDG_PICTURES_DIR, else the home folder
//   %appdata%       $APPDATA, else $XDG_CONFIG_HOME, else ~/.config
//   %programfiles%  /opt/
//   %windows%       /usr/            (the installed system)
//   %system%        /usr/lib/        (the shared system libraries)
//   %temp%          GetTempDir()
//   %help%          /usr/share/help/
//   %media%         /usr/share/sounds/
//   %cursors%       /usr/share/icons/ (cursor themes live among the icon themes)
enum class TkuSystemDirectory {
    sdCurrentDir,
    sdDesktop,
    sdMyDocuments,
    sdMyPictures,
    sdAppData,
    sdProgramFiles,
    sdWindowsDir,
    sdSystemDir,
    sdTempDir,
    sdHelpDir,
    sdMediaDir,
    sdCursorsDir,
    sdNone
};

// The private per-user temporary folder with a trailing "/"; the application
// folder when that folder is missing or cannot be made safe.
std::string GetTempDir();
std::string GetSystemDir();
std::string GetWindowsDir();
std::string GetSysDir(TkuSystemDirectory dir);

// Replaces every folder macro (any case) by its folder; with PrefixAppFolder a
// non-empty result that is not an absolute path gets the application folder in
// front.
std::string ExpandToRealPath(std::string_view path, bool prefixAppFolder);

// Creates every folder of the path up to its last "/" (the part after it is a
// file name). True when that folder exists afterwards.
bool CreateDirectory(std::string_view path);
bool IsDirectoryExists(std::string_view path);

}  // namespace tessaro
