#include "update/renovator/UpdatePublicKey.h"

namespace tessaro {

std::string_view BuiltInUpdatePublicKey() {
    return TESSARO_UPDATE_PUBLIC_KEY;
}

}  // namespace tessaro
