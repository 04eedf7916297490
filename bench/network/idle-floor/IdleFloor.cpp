// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The least an idle sampler can cost: a bare loop that reads /proc/net/dev once a second, as
// each tick does, and nothing else. A tick reads no other file: the sampler looks up the
// interfaces' kinds under /sys/class/net only when their names change and every 30 s, which
// this floor leaves out, so the ratio errs against the app. Prints its own CPU time over the
// run in the idle app's units, so the app's cost can be quoted as a multiple of this floor
// measured alongside it.
//   bench_idle_floor <seconds>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <unistd.h>

namespace {
// Nanoseconds this process has spent on a CPU (all threads), as the scheduler counts them.
long long cpuNanoseconds()
{
    timespec used {};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &used);
    return used.tv_sec * 1000000000LL + used.tv_nsec;
}
} // namespace

int main(int argc, char *argv[])
{
    const int seconds = argc > 1 ? std::atoi(argv[1]) : 60;
    const int fd = ::open("/proc/net/dev", O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (seconds <= 0 || fd < 0) {
        std::fprintf(stderr, "usage: bench_idle_floor <seconds> (needs /proc/net/dev)\n");
        return 2;
    }
    static char buffer[64 * 1024];
    long long bytes = 0;
    const long long before = cpuNanoseconds();
    timespec next {};
    clock_gettime(CLOCK_MONOTONIC, &next);
    for (int tick = 0; tick < seconds; ++tick) {
        for (ssize_t got = 0, at = 0; (got = ::pread(fd, buffer, sizeof buffer, at)) > 0; at += got)
            bytes += got;
        ++next.tv_sec;
        while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &next, nullptr) == EINTR) { }
    }
    const double ms = double(cpuNanoseconds() - before) / 1e6;
    std::printf("floor %d s: %.1f ms by schedstat (%.2f ms per minute), %lld bytes read\n", seconds, ms,
        ms * 60 / seconds, bytes);
    return 0;
}
