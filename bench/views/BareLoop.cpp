// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The floor for a tray monitor: once a second, read the interface counters and the kinds of
// the interfaces, as the sampler does, and nothing else. No toolkit, no event loop.
//   bench_bare_loop [seconds]   (runs for ever without an argument)
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

void readWhole(const std::string &path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return;
    }
    char buffer[8192];
    while (::read(fd, buffer, sizeof buffer) > 0) { }
    ::close(fd);
}

bool exists(const std::string &path)
{
    struct stat info
    {
    };
    return ::stat(path.c_str(), &info) == 0;
}

} // namespace

int main(int argc, char *argv[])
{
    const long seconds = argc > 1 ? std::strtol(argv[1], nullptr, 10) : -1;
    for (long tick = 0; seconds < 0 || tick < seconds; ++tick) {
        readWhole("/proc/net/dev");
        if (DIR *dir = ::opendir("/sys/class/net")) {
            while (const dirent *entry = ::readdir(dir)) {
                if (entry->d_name[0] == '.') {
                    continue;
                }
                const std::string base = std::string("/sys/class/net/") + entry->d_name;
                readWhole(base + "/type");
                (void)exists(base + "/wireless");
                (void)exists(base + "/phy80211");
                (void)exists(base + "/device");
            }
            ::closedir(dir);
        }
        const timespec second { 1, 0 };
        ::nanosleep(&second, nullptr);
    }
    return 0;
}
