#include <unistd.h>

#include <string>
#include <vector>

#include "update/helper/Renovator.h"

namespace {

// The engine writes the helper beside its queue file in the private
// temporary folder, so the helper's own folder is where the queue lies.
std::string OwnFolder() {
    std::string path(4096, '\0');
    const ssize_t length = ::readlink("/proc/self/exe", path.data(), path.size());
    path.resize(length > 0 ? static_cast<std::size_t>(length) : 0);
    return path.substr(0, path.rfind('/') + 1);
}

}  // namespace

int main(int argc, char* argv[]) {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    return tessaro::RunRenovator(arguments, OwnFolder());
}
