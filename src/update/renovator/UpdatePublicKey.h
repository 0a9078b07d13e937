#pragma once

#include <string_view>

namespace tessaro {

// The publisher's minisign public key (the key line of its .pub file) that
// the program was built with; empty when it was built without one. Each
// program links the definition of its build, so nothing can change it later.
std::string_view BuiltInUpdatePublicKey();

}  // namespace tessaro
