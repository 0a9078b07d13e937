#pragma once

#include <string>

namespace tessaro {

class TkuRenovator;

// The update server: the TESSARO_UPDATE_SERVER environment variable when set,
// else the address the program was built with. No trailing "/".
std::string UpdateServer();

// Where "&Run update check now..." looks for the release.
std::string CheckInfoFileURL();

// The settings of the program's one engine: this release's version, the
// server's info file, the messages it shows and the wizard's layout.
void ConfigureRenovator(TkuRenovator& renovator);

}  // namespace tessaro
