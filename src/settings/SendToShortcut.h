#pragma once

#include <string>
#include <string_view>

namespace tessaro {

// MIME types of the media and subtitle files the program accepts, in the form
// of a desktop entry's "MimeType" list ("video/mp4;...;").
std::string_view AcceptedMimeTypeList();

// The freedesktop entry that lets file managers offer "Open With" the target:
// Name = shortcut name, Comment = description, Exec = the quoted target + " %F",
// the program's own icon and its menu categories.
std::string DesktopEntryText(const std::string& target, const std::string& description,
                             const std::string& shortcutName);

// The same entry for a program started by `command`, already in the form the
// Exec key takes: the installed entry names the command on the PATH.
std::string DesktopEntryForCommand(const std::string& command, const std::string& description,
                                   const std::string& shortcutName);

// Writes (or atomically replaces) shortcutName + ".desktop" in the send-to
// folder (SpecialFolder::sendTo, created when missing), and the icon it names. False when that
// folder cannot be determined or the entry cannot be written. An installed
// target has its entry already (InstalledDesktopEntry): nothing is written and
// an entry of that name in the send-to folder is removed, unless it is the installed one.
// An installed entry in the send-to folder (a per-user install's) is never replaced.
bool CreateSendToShortcut(const std::string& target, const std::string& description,
                          const std::string& shortcutName);

}  // namespace tessaro
