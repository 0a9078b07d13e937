#pragma once

namespace tessaro::platform {

// Takes the user's locale for character handling and switches to C.UTF-8 when
// its code set is not UTF-8: the media library opens non-ASCII paths only then.
void EnsureUtf8CharacterLocale();

}  // namespace tessaro::platform
