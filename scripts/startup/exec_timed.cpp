// Prints the monotonic clock, then replaces itself with the program given, so that the time a
// program prints later counts from the moment it was started. Used by scripts/measure-startup.sh.
//
//   exec_timed PROGRAM [ARGUMENTS...]

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <unistd.h>

int main(int argc, char* argv[]) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s PROGRAM [ARGUMENTS...]\n", argv[0]);
        return 2;
    }
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    std::printf(
        "start-ns %lld\n",
        static_cast<long long>(std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()));
    std::fflush(stdout);
    ::execv(argv[1], argv + 1);
    std::fprintf(stderr, "%s: cannot run %s: %s\n", argv[0], argv[1], std::strerror(errno));
    return 127;
}
