// The Linux side's stamp: appends the host's real-time clock, in nanoseconds since the Unix
// epoch, to a file. With --exec it notes the time and then becomes the given command, so a
// contender's start is noted by the same clock as its launches; with --at it first waits until
// the given time on that clock, so that a contender starts at a chosen phase.
//   host_stamp LOG
//   host_stamp [--at NS] --exec LOG COMMAND [ARGS...]
#include <fcntl.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

bool appendNow(const char* path) {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    const std::string line =
        std::to_string(static_cast<long long>(now.tv_sec) * 1'000'000'000LL + now.tv_nsec) + "\n";
    const int file = open(path, O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (file < 0) return false;
    // One write of the whole line: appends of overlapping runs never interleave.
    const bool written = write(file, line.data(), line.size()) == static_cast<ssize_t>(line.size());
    return close(file) == 0 && written;
}

void sleepUntil(long long ns) {
    const timespec until{static_cast<time_t>(ns / 1'000'000'000LL),
                         static_cast<long>(ns % 1'000'000'000LL)};
    while (clock_nanosleep(CLOCK_REALTIME, TIMER_ABSTIME, &until, nullptr) == EINTR) {
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 2) return appendNow(argv[1]) ? 0 : 1;
    if (argc >= 6 && std::strcmp(argv[1], "--at") == 0) {
        sleepUntil(std::strtoll(argv[2], nullptr, 10));
        argc -= 2;
        argv += 2;
    }
    if (argc >= 4 && std::strcmp(argv[1], "--exec") == 0) {
        if (!appendNow(argv[2])) return 1;
        execvp(argv[3], argv + 3);
        std::perror(argv[3]);
        return 127;
    }
    std::fprintf(stderr,
                 "usage: host_stamp LOG | host_stamp [--at NS] --exec LOG COMMAND [ARGS...]\n");
    return 2;
}
