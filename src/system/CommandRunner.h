// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <chrono>
#include <functional>
#include <optional>

// Starts a program with a fixed search path and streams its standard output back as text.
// The program runs from its argument vector, never through a shell. The run lives on a worker
// thread; output, in whole lines (but for a last line without its end), and then the exit
// status reach the context object's thread (the main thread by default) as queued calls, in
// order. Once the context is gone nothing more is delivered. What a run delivers is bounded:
// a longer line is cut, and output past the bound is read and dropped. A child that outlives
// the time-out is killed together with its session and anything still holding its output;
// every child is reaped and every descriptor closed.
class CommandRunner
{
public:
    using OutputHandler = std::function<void(const QString &)>;
    using TerminationHandler = std::function<void(int)>;

    static constexpr std::chrono::milliseconds defaultTimeout { 30000 };
    // What a shell reports for a program it could not run.
    static constexpr int failedToStartStatus = 127;
    // Characters of one line, and of a whole run's output, that are kept.
    static constexpr qsizetype maxLineLength = 64 * 1024;
    static constexpr qsizetype maxOutputLength = 4 * 1024 * 1024;
    static constexpr const char *fixedPath = "/usr/local/bin:/usr/bin:/bin:/usr/sbin:/sbin";

    // Exit status: the program's own, 128 + the signal number if a signal ended it (a
    // time-out is SIGKILL, 137), or failedToStartStatus with no output at all.
    static void runCommand(const QString &launchPath, const std::optional<QStringList> &arguments,
        OutputHandler outputHandler, TerminationHandler terminationHandler, QObject *context = nullptr,
        std::chrono::milliseconds timeout = defaultTimeout);

    // Blocks until every run in progress has delivered its status (tests and shutdown).
    static bool waitForRuns(std::chrono::milliseconds limit);
};
