// Starts a program with its start time on record: appends "<ns> 0 start" (CLOCK_MONOTONIC,
// then the CPU time, counted from here) to TRACE, sets ORVANTA_BENCH_TRACE=TRACE, then replaces itself with the program, which
// so keeps this process id. Everything from exec on counts as the program's start-up.
//
// usage: orvanta-bench-launch TRACE PROGRAM [ARGS...]
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <unistd.h>

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s TRACE PROGRAM [ARGS...]\n", argv[0]);
        return 2;
    }
    const int Fd = open(argv[1], O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (Fd < 0 || setenv("ORVANTA_BENCH_TRACE", argv[1], 1) != 0) {
        std::perror(argv[1]);
        return 2;
    }
    timespec Now;
    clock_gettime(CLOCK_MONOTONIC, &Now);
    char Line[64];
    const int Length = std::snprintf(Line, sizeof Line, "%lld 0 start\n",
                                     (long long)Now.tv_sec * 1000000000LL + Now.tv_nsec);
    if (write(Fd, Line, size_t(Length)) != Length)
        return 2;
    close(Fd);
    execv(argv[2], argv + 2);
    std::fprintf(stderr, "%s: %s\n", argv[2], std::strerror(errno));
    return 127;
}
