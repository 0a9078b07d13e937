#pragma once

#include <stdexcept>

namespace tessaro {

// A script that cannot be written as asked: bad input or a failed save. No run
// may start after it.
class ScriptError final : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace tessaro
