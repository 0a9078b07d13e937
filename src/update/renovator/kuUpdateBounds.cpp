#include "update/renovator/kuUpdateBounds.h"

#include <charconv>
#include <cstdlib>
#include <cstring>

namespace tessaro {
namespace {

template <typename Value>
void ReadVariable(const char* name, Value& value) {
    const char* text = std::getenv(name);
    if (!text || !*text) return;
    Value read = 0;
    const char* end = text + std::strlen(text);
    const auto [stop, error] = std::from_chars(text, end, read);
    if (error == std::errc() && stop == end) value = read;
}

}  // namespace

TkuUpdateBounds TkuUpdateBounds::Defaults() {
    TkuUpdateBounds bounds;
    bounds.FileCap = TESSARO_UPDATE_MAX_FILE_SIZE;
    return bounds;
}

TkuUpdateBounds TkuUpdateBounds::FromEnvironment() {
    TkuUpdateBounds bounds = Defaults();
    ReadVariable("TESSARO_UPDATE_CONNECT_TIMEOUT_MS", bounds.ConnectMs);
    ReadVariable("TESSARO_UPDATE_STALL_TIMEOUT_MS", bounds.StallMs);
    ReadVariable("TESSARO_UPDATE_LEAST_RATE", bounds.LeastRate);
    ReadVariable("TESSARO_UPDATE_CHECK_TIMEOUT_MS", bounds.CheckMs);
    ReadVariable("TESSARO_UPDATE_MAX_INFO_SIZE", bounds.InfoFileCap);
    ReadVariable("TESSARO_UPDATE_MAX_SIGNATURE_SIZE", bounds.SignatureCap);
    ReadVariable("TESSARO_UPDATE_MAX_FILE_SIZE", bounds.FileCap);
    ReadVariable("TESSARO_UPDATE_FREE_SPACE_MARGIN", bounds.FreeSpaceMargin);
    return bounds;
}

}  // namespace tessaro
