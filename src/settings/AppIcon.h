#pragma once

#include <string>
#include <string_view>

namespace tessaro {

// The program's icon as the desktop entry names it in the icon theme.
inline constexpr char kAppIconName[] = "tessaro";

// The scalable icon (icons/tessaro.svg, compiled in).
std::string_view AppIconSvg();

// Writes (or atomically replaces) the icon into the user's hicolor theme,
// $XDG_DATA_HOME/icons/hicolor/scalable/apps, creating the folders. False when
// it cannot be written.
bool InstallAppIcon();

}  // namespace tessaro
