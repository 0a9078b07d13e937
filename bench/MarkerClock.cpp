// Child of the latency benchmark: writes COUNT status markers carrying the
// monotonic clock at the moment of writing, a pause between them so that each
// finds the runner idle, as a tool's progress line does.
#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv) {
    const int count = argc > 1 ? std::atoi(argv[1]) : 100;
    for (int i = 0; i < count; ++i) {
        ::usleep(3000);
        timespec now{};
        ::clock_gettime(CLOCK_MONOTONIC, &now);
        const std::string line = "#STATUS#" + std::to_string(now.tv_sec * 1000000000LL + now.tv_nsec) + "\n";
        if (::write(STDOUT_FILENO, line.data(), line.size()) < 0) return 1;
    }
    return 0;
}
