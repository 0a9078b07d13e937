#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tessaro {

// Splits a URL into its parts; a URL without "://" is read as "http://" + URL.
// User name, password, path and extra information (the "?..." or "#..." tail)
// have their %xx escapes decoded. Each part must fit its buffer of the URL
// cracker (scheme 32 bytes, host 256, user name and password 128, path and extra
// information 2048 each). Without a port in the URL the scheme's default (80
// for http, 443 for https, 21 for ftp, else 0) is given. False, with every
// output untouched, for a URL that does not split or does not fit.
bool ParseURL(std::string_view url, std::string& scheme, std::string& host, std::string& path,
              std::string& userName, std::string& password, std::string& extraInfo,
              std::uint16_t& port);

// The host part of the URL; empty when it does not split.
std::string URLToHostName(std::string_view url);

// The text after the last "/" or "\" of the URL (a query string stays on it).
std::string URLToFileName(std::string_view url);

}  // namespace tessaro
