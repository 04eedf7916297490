// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// How far the sampler's rates are from the true ones while every core is busy. In a network
// namespace of its own, the loopback (declared a wired card by a sysfs tree of the bench's
// own) carries UDP traffic at a new rate every second, busy loops at the sampler's priority
// keep every core saturated, and an observer at real-time priority reads the interface's own
// counters (rtnetlink, not <proc>/net/dev) every millisecond. Each tick's rate, as the sampler
// publishes it, is compared with the bytes the counters moved between the instants the
// sampler timed that tick with, per second. Prints the median and largest relative error,
// and what they would be unscaled (each difference taken as a second's).
//   bench_rate_error [seconds] [busy loops per core]     (needs root for the namespace)
#include "network/NetworkSpeedManager.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QMutex>
#include <QTemporaryDir>
#include <algorithm>
#include <arpa/inet.h>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <ifaddrs.h>
#include <linux/if_link.h>
#include <net/if.h>
#include <netinet/in.h>
#include <pthread.h>
#include <sched.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

struct Reading
{
    Clock::time_point time;
    quint64 bytesIn = 0;
};

bool bringUpLoopback()
{
    const int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    ifreq request {};
    std::snprintf(request.ifr_name, sizeof request.ifr_name, "lo");
    const bool up = fd >= 0 && ::ioctl(fd, SIOCGIFFLAGS, &request) == 0
        && (request.ifr_flags |= IFF_UP, ::ioctl(fd, SIOCSIFFLAGS, &request) == 0);
    if (fd >= 0)
        ::close(fd);
    return up;
}

// The loopback's received bytes as the interface counts them, through rtnetlink. The 32-bit
// counter of this interface may wrap; the caller unwraps it.
bool loopbackBytesIn(quint32 &bytes)
{
    ifaddrs *list = nullptr;
    if (::getifaddrs(&list) != 0)
        return false;
    bool found = false;
    for (const ifaddrs *entry = list; entry; entry = entry->ifa_next) {
        if (entry->ifa_addr && entry->ifa_addr->sa_family == AF_PACKET && entry->ifa_data
            && std::strcmp(entry->ifa_name, "lo") == 0) {
            bytes = static_cast<const rtnl_link_stats *>(entry->ifa_data)->rx_bytes;
            found = true;
        }
    }
    ::freeifaddrs(list);
    return found;
}

// The counters at a given instant, between the two readings around it.
double bytesAt(const std::vector<Reading> &readings, Clock::time_point time)
{
    const auto after = std::lower_bound(readings.begin(), readings.end(), time,
        [](const Reading &reading, Clock::time_point t) { return reading.time < t; });
    if (after == readings.begin() || after == readings.end())
        return std::nan("");
    const auto before = after - 1;
    const double span = std::chrono::duration<double>(after->time - before->time).count();
    const double part = std::chrono::duration<double>(time - before->time).count();
    return double(before->bytesIn) + double(after->bytesIn - before->bytesIn) * part / span;
}

double percentile(std::vector<double> values, double which)
{
    if (values.empty())
        return std::nan("");
    std::sort(values.begin(), values.end());
    return values.at(std::min(values.size() - 1, std::size_t(which * double(values.size()))));
}

} // namespace

int main(int argc, char *argv[])
{
    const int seconds = argc > 1 ? std::atoi(argv[1]) : 60;
    const unsigned perCore = argc > 2 ? unsigned(std::atoi(argv[2])) : 2;
    // Threads made from here on share the namespace; the process leaves nothing behind.
    if (seconds < 3 || ::unshare(CLONE_NEWNET) != 0 || !bringUpLoopback()) {
        std::fprintf(stderr, "usage: bench_rate_error [seconds >= 3] [busy loops per core] (needs root)\n");
        return 2;
    }
    QCoreApplication application(argc, argv);
    QTemporaryDir sys;
    QDir().mkpath(sys.filePath(QStringLiteral("class/net/lo/device")));
    QFile type(sys.filePath(QStringLiteral("class/net/lo/type")));
    if (!type.open(QIODevice::WriteOnly) || type.write("1\n") != 2)
        return 2;
    type.close();

    std::atomic<bool> stop { false };
    const unsigned busy = perCore * std::max(1u, std::thread::hardware_concurrency());
    std::vector<std::thread> threads;
    threads.reserve(busy + 2);

    // The observer: a reading every millisecond, at a priority no busy loop can delay.
    QMutex readingsMutex;
    std::vector<Reading> readings;
    bool realTime = false;
    threads.emplace_back([&] {
        sched_param priority {};
        priority.sched_priority = 50;
        realTime = ::pthread_setschedparam(::pthread_self(), SCHED_FIFO, &priority) == 0;
        quint64 total = 0;
        quint32 last = 0;
        bool first = true;
        while (!stop) {
            quint32 bytes = 0;
            const auto before = Clock::now();
            if (loopbackBytesIn(bytes)) {
                const auto after = Clock::now();
                total += first ? 0 : quint32(bytes - last);
                last = bytes;
                first = false;
                const QMutexLocker locker(&readingsMutex);
                readings.push_back({ before + (after - before) / 2, total });
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    });

    // Traffic: 1000-byte datagrams to a socket that never reads (the interface counts them
    // all the same), at a new rate between 0.5 and 8 MB/s every second. At real-time
    // priority too, so that it flows evenly and the counters between two readings of the
    // observer are a straight line; only the sampler competes with the busy loops.
    threads.emplace_back([&] {
        sched_param priority {};
        priority.sched_priority = 40;
        ::pthread_setschedparam(::pthread_self(), SCHED_FIFO, &priority);
        const int out = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
        const int in = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
        sockaddr_in address {};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        if (::bind(in, reinterpret_cast<sockaddr *>(&address), sizeof address) != 0
            || ::getsockname(in, reinterpret_cast<sockaddr *>(&address), &length) != 0)
            return;
        const char datagram[1000] {};
        unsigned seed = 12345;
        const auto start = Clock::now();
        auto last = start;
        double budget = 0;
        double rate = 0;
        long second = -1;
        while (!stop) {
            const auto now = Clock::now();
            if (const long current = long(std::chrono::duration<double>(now - start).count()); current != second) {
                second = current;
                seed = seed * 1103515245 + 12345;
                rate = 500e3 + double(seed % 7500) * 1e3;
            }
            // What a late wake-up missed is sent at once, up to 10 ms of it.
            budget = std::min(budget + rate * std::chrono::duration<double>(now - last).count(), rate * 0.01);
            last = now;
            for (; budget >= sizeof datagram; budget -= sizeof datagram)
                ::sendto(out, datagram, sizeof datagram, MSG_DONTWAIT, reinterpret_cast<sockaddr *>(&address),
                    sizeof address);
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        ::close(out);
        ::close(in);
    });

    // Busy loops at the sampler's own priority.
    for (unsigned i = 0; i < busy; ++i)
        threads.emplace_back([&] {
            volatile unsigned long spin = 0;
            while (!stop)
                spin = spin + 1;
        });

    // The sampler as the app runs it, with its clock recorded: each tick is timed once.
    struct Tick
    {
        Clock::time_point from;
        Clock::time_point to;
        qint64 shown = 0;
    };
    QMutex ticksMutex;
    std::vector<Clock::time_point> times;
    std::vector<Tick> ticks;
    NetworkSpeedManager sampler(nullptr, nullptr, NettopRoots { QStringLiteral("/proc"), sys.path() });
    sampler.setClock([&] {
        const auto now = Clock::now();
        const QMutexLocker locker(&ticksMutex);
        times.push_back(now);
        return now;
    });
    QObject::connect(
        &sampler, &NetworkSpeedManager::speedMeasured, &sampler,
        [&](qint64, qint64 download) {
            const QMutexLocker locker(&ticksMutex);
            if (times.size() >= 2)
                ticks.push_back({ times.at(times.size() - 2), times.back(), download });
        },
        Qt::DirectConnection);
    std::this_thread::sleep_for(std::chrono::seconds(1));
    sampler.startSampling();
    std::this_thread::sleep_for(std::chrono::seconds(seconds));
    sampler.stopSampling();
    stop = true;
    for (auto &thread : threads)
        thread.join();

    std::vector<double> scaled;
    std::vector<double> unscaled;
    double latest = 0;
    for (const Tick &tick : ticks) {
        const double span = std::chrono::duration<double>(tick.to - tick.from).count();
        const double moved = bytesAt(readings, tick.to) - bytesAt(readings, tick.from);
        if (!(moved > 0))
            continue;
        const double truth = moved / span;
        scaled.push_back(std::abs(double(tick.shown) - truth) / truth);
        // Unscaled, the tick's whole difference would have been shown as one second's.
        unscaled.push_back(std::abs(double(tick.shown) * span - truth) / truth);
        latest = std::max(latest, std::abs(span - 1.0));
    }
    std::printf("rate error, %zu ticks with traffic, %u busy loops on %u cores%s:\n", scaled.size(), busy,
        std::thread::hardware_concurrency(), realTime ? "" : " (observer without real-time priority)");
    std::printf("  shown (scaled by the measured interval): median %.3f %%, max %.3f %%\n",
        100 * percentile(scaled, 0.5), 100 * percentile(scaled, 1.0));
    std::printf("  unscaled, for comparison:                median %.3f %%, max %.3f %%\n",
        100 * percentile(unscaled, 0.5), 100 * percentile(unscaled, 1.0));
    std::printf("  ticks up to %.1f ms off their second\n", latest * 1000);
    return scaled.empty() ? 1 : 0;
}
