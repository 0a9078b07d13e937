#pragma once

#include <sys/types.h>

#include <optional>
#include <string>

namespace tessaro::platform {

// A folder only this user can write, for scripts, logs and the update helper.
// `base`/tessaro-<uid> is used when it is trusted: a real folder (no link) of
// this user with mode 0700, none of whose own entries belongs to another user.
// Made when missing; one of ours that is open to others, holds another user's
// entry or is not a folder is renamed aside to tessaro-<uid>.untrusted-XXXXXX
// (never emptied: nothing planted in it is touched) and made afresh. When the
// name belongs to another user or cannot be made, a fresh tessaro-<uid>-XXXXXX
// in `base` serves instead and `notice` says why. Empty when `base` takes no
// folder at all; `notice` then says why.
struct PrivateTempFolder {
    std::string path;
    std::string notice;
};
PrivateTempFolder MakePrivateTempFolder(const std::string& base, uid_t user);

// Whether `path` is a real folder of `user` that no one else can write.
bool IsFolderClosedToOthers(const std::string& path, uid_t user);

}  // namespace tessaro::platform
