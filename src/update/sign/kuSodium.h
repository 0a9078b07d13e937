#pragma once

namespace tessaro {

// libsodium picks its implementations at initialisation; every user calls this first.
// Safe to call from any thread, any number of times.
void InitialiseSodium();

}  // namespace tessaro
