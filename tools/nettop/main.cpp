// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The interface counter report: prints the cumulative byte counters of the machine's
// interfaces, one sample a second.
#include "network/NettopSample.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <unistd.h>

namespace {

volatile std::sig_atomic_t interrupted = 0;

void onSignal(int)
{
    interrupted = 1;
}

// Without SA_RESTART, so the wait between samples ends at once on SIGINT or SIGTERM.
void catchSignals()
{
    struct sigaction action
    {
    };
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    ::sigaction(SIGINT, &action, nullptr);
    ::sigaction(SIGTERM, &action, nullptr);
    // A closed reader shows up as EPIPE from write(), which ends the report quietly.
    ::signal(SIGPIPE, SIG_IGN);
}

bool writeAll(const QByteArray &bytes)
{
    const char *data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(STDOUT_FILENO, data, static_cast<size_t>(left));
        if (written < 0 && errno == EINTR && !interrupted)
            continue;
        if (written <= 0)
            return false;
        data += written;
        left -= written;
    }
    return true;
}

void sleepSeconds(int seconds)
{
    timespec left { seconds, 0 };
    while (!interrupted && ::nanosleep(&left, &left) != 0 && errno == EINTR) { }
}

int usage(const QString &why)
{
    std::fprintf(stderr,
        "nettop: %s\n"
        "usage: nettop [-x] [-P] [-t wifi|wired|loopback|cell]... [-J column,...] [-l samples] [-s seconds]\n"
        "              [--proc-root DIR] [--sys-root DIR]\n"
        "columns: time, bytes_in, bytes_out, packets_in, packets_out; -l 0 samples until interrupted\n",
        qPrintable(why));
    return 2;
}

} // namespace

int main(int argc, char *argv[])
{
    NettopRoots roots;
    if (const char *proc = std::getenv("TAVLO_PROC_ROOT"); proc && *proc)
        roots.proc = QString::fromLocal8Bit(proc);
    if (const char *sys = std::getenv("TAVLO_SYS_ROOT"); sys && *sys)
        roots.sys = QString::fromLocal8Bit(sys);

    QStringList arguments;
    for (int i = 1; i < argc; ++i) {
        const QString argument = QString::fromLocal8Bit(argv[i]);
        const bool isProc = argument == QLatin1String("--proc-root");
        if (isProc || argument == QLatin1String("--sys-root")) {
            if (i + 1 >= argc)
                return usage(QStringLiteral("option %1 needs a value").arg(argument));
            (isProc ? roots.proc : roots.sys) = QString::fromLocal8Bit(argv[++i]);
            continue;
        }
        arguments.append(argument);
    }
    QString error;
    const auto options = parseNettopArguments(arguments, &error);
    if (!options)
        return usage(error);

    catchSignals();
    NettopProducer producer(roots);
    for (int sample = 0; options->samples == 0 || sample < options->samples; ++sample) {
        if (sample > 0)
            sleepSeconds(options->delaySeconds);
        if (interrupted)
            break;
        if (!writeAll(producer.sample(*options).toLatin1()))
            break;
    }
    return 0;
}
