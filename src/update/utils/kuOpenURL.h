#pragma once

#include <string_view>

namespace tessaro {

// Opens a URL ("http://" is put in front when it has no "://"). With
// UseRegisteredBrowser the desktop's default application for ".html" files is
// started directly with the URL as one argument (never through a shell);
// otherwise, or without such an application, the desktop opens the URL.
// Belongs on the user-interface thread; false when nothing could be started.
bool OpenURL(std::string_view url, bool useRegisteredBrowser);

}  // namespace tessaro
