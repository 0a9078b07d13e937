// Stands in for the installed program in the update helper's tests: a real
// ELF executable, so that the system refuses to open it for writing while it
// runs. Copies are told apart by a tag line appended to the file
// ("\n#tag:<name>\n"). Every start appends "<tag> <arguments>" to the file
// named by RENOVATOR_TEST_LOG; "--hold <file>" keeps it running until that
// file exists, and a tag beginning with "setup" makes it work for a moment
// like an installer and then log "<tag> done".
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>

namespace {

std::string OwnTag() {
    std::ifstream self("/proc/self/exe", std::ios::binary);
    const std::string image{std::istreambuf_iterator<char>(self), std::istreambuf_iterator<char>()};
    const std::size_t at = image.rfind("\n#tag:");
    if (at == std::string::npos) return "untagged";
    const std::size_t start = at + 6;
    return image.substr(start, image.find('\n', start) - start);
}

void Log(const std::string& line) {
    const char* path = std::getenv("RENOVATOR_TEST_LOG");
    if (!path) return;
    const int fd = ::open(path, O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) return;
    const std::string text = line + "\n";
    // One write per line keeps lines of several processes whole.
    if (::write(fd, text.data(), text.size()) < 0) std::perror("log");
    ::close(fd);
}

bool Exists(const char* path) {
    struct stat info {};
    return ::stat(path, &info) == 0;
}

void HoldUntil(const char* releaseFile) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::minutes(1);
    while (!Exists(releaseFile) && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
}

}  // namespace

int main(int argc, char* argv[]) {
    const std::string tag = OwnTag();
    std::string line = tag;
    for (int i = 1; i < argc; ++i) line += std::string(" ") + argv[i];
    Log(line);
    if (argc == 3 && std::string(argv[1]) == "--hold") HoldUntil(argv[2]);
    if (tag.starts_with("setup")) {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        Log(tag + " done");
    }
    return 0;
}
