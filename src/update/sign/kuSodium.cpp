#include "update/sign/kuSodium.h"

#include <sodium.h>

#include <stdexcept>

namespace tessaro {

void InitialiseSodium() {
    if (sodium_init() < 0) throw std::runtime_error("libsodium cannot be initialised");
}

}  // namespace tessaro
