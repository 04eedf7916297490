// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "CommandRunner.h"

#include "CommandRunChannel.h"
#include "Utf8ChunkDecoder.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QProcessEnvironment>
#include <QThread>
#include <QThreadPool>
#include <array>
#include <cerrno>
#include <csignal>
#include <dirent.h>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

QThreadPool &runPool()
{
    // Each run holds a worker for the child's whole life, so the pool is ours alone: a slow
    // child must not hold up work others put on the global pool.
    static QThreadPool pool;
    static const bool configured = [] {
        pool.setMaxThreadCount(16);
        pool.setExpiryTimeout(10000);
        return true;
    }();
    Q_UNUSED(configured);
    return pool;
}

// argv/envp as the C library wants them; the byte arrays own the storage.
struct CStrings
{
    std::vector<QByteArray> storage;
    std::vector<char *> pointers;

    void add(QByteArray value) { storage.push_back(std::move(value)); }
    char **finish()
    {
        pointers.clear();
        for (QByteArray &value : storage)
            pointers.push_back(value.data());
        pointers.push_back(nullptr);
        return pointers.data();
    }
};

// Whether the process still belongs to the run: in the child's session, or holding the
// output pipe after leaving for a session of its own (setsid) and so out of reach of killpg.
bool belongsToRun(int procDir, const char *name, pid_t session, const QByteArray &pipeLink)
{
    std::array<char, 512> stat {};
    const int statFd = ::openat(procDir, (QByteArray(name) + "/stat").constData(), O_RDONLY | O_CLOEXEC);
    if (statFd < 0)
        return false;
    const ssize_t got = ::read(statFd, stat.data(), stat.size() - 1);
    ::close(statFd);
    // "pid (comm) state ppid pgrp session ...": the name may hold anything, so read after
    // its last parenthesis.
    const QByteArray text(stat.data(), got > 0 ? got : 0);
    const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 1).simplified().split(' ');
    if (fields.size() > 3 && fields.at(3).toLongLong() == session)
        return true;
    const QByteArray fdPath = QByteArray(name) + "/fd";
    const int fdDir = ::openat(procDir, fdPath.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    DIR *fds = fdDir < 0 ? nullptr : ::fdopendir(fdDir);
    if (!fds) {
        if (fdDir >= 0)
            ::close(fdDir);
        return false;
    }
    bool holds = false;
    std::array<char, 64> target {};
    while (const dirent *entry = ::readdir(fds)) {
        const ssize_t length = ::readlinkat(::dirfd(fds), entry->d_name, target.data(), target.size());
        if (length > 0 && QByteArrayView(target.data(), length) == pipeLink) {
            holds = true;
            break;
        }
    }
    ::closedir(fds);
    return holds;
}

// Ends the run: the child's process group, then whatever else is left of its session or still
// holds its output pipe. The child leads its own session, so none of this reaches us.
void killRun(pid_t pid, ino_t pipeInode)
{
    ::kill(-pid, SIGKILL);
    ::kill(pid, SIGKILL);
    const QByteArray pipeLink = "pipe:[" + QByteArray::number(quint64(pipeInode)) + ']';
    const pid_t self = ::getpid();
    // A process may fork while the list is read; a second look catches what it started.
    for (int pass = 0; pass < 2; ++pass) {
        DIR *proc = ::opendir("/proc");
        if (!proc)
            return;
        while (const dirent *entry = ::readdir(proc)) {
            bool ok = false;
            const pid_t other = pid_t(QByteArray(entry->d_name).toInt(&ok));
            if (ok && other > 0 && other != self && belongsToRun(::dirfd(proc), entry->d_name, pid, pipeLink))
                ::kill(other, SIGKILL);
        }
        ::closedir(proc);
    }
}

int statusOf(int waitStatus)
{
    if (WIFEXITED(waitStatus))
        return WEXITSTATUS(waitStatus);
    if (WIFSIGNALED(waitStatus))
        return 128 + WTERMSIG(waitStatus);
    return CommandRunner::failedToStartStatus;
}

// Reaps the child, ending the run once the deadline has passed.
int reap(pid_t pid, ino_t pipeInode, const QDeadlineTimer &deadline)
{
    int waitStatus = 0;
    int pauseMs = 1;
    for (;;) {
        const pid_t done = ::waitpid(pid, &waitStatus, WNOHANG);
        if (done == pid)
            return statusOf(waitStatus);
        if (done < 0 && errno != EINTR)
            return CommandRunner::failedToStartStatus;
        if (deadline.hasExpired()) {
            killRun(pid, pipeInode);
            while (::waitpid(pid, &waitStatus, 0) < 0 && errno == EINTR) { }
            return statusOf(waitStatus);
        }
        QThread::msleep(std::min<qint64>(pauseMs, std::max<qint64>(1, deadline.remainingTime())));
        pauseMs = std::min(pauseMs * 2, 50);
    }
}

void runChild(const QByteArray &program, CStrings argv, CStrings envp, CommandRunChannel *channel,
    std::chrono::milliseconds timeout)
{
    const QDeadlineTimer deadline(timeout);
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0) {
        emit channel->finished(CommandRunner::failedToStartStatus);
        return;
    }

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);

    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    // Its own session and process group, so a time-out can kill whatever it started as well.
    // Signal dispositions and the mask are reset: our threads may block signals the child needs.
    sigset_t none;
    sigemptyset(&none);
    sigset_t all;
    sigfillset(&all);
    posix_spawnattr_setsigmask(&attributes, &none);
    posix_spawnattr_setsigdefault(&attributes, &all);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);

    struct stat pipeStatus
    {
    };
    ::fstat(fds[0], &pipeStatus);
    pid_t pid = 0;
    const int spawned = ::posix_spawn(&pid, program.constData(), &actions, &attributes, argv.finish(), envp.finish());
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    ::close(fds[1]);
    if (spawned != 0) {
        ::close(fds[0]);
        emit channel->finished(CommandRunner::failedToStartStatus);
        return;
    }

    // Lines are cut here, off the receiver's thread, and only whole lines travel: the receiver
    // never rescans what it already has. What is kept is bounded; the rest is read and dropped.
    Utf8ChunkDecoder decoder;
    QString partial;
    qsizetype delivered = 0;
    auto keep = [&](const QString &text) {
        const qsizetype lastBreak = text.lastIndexOf(u'\n');
        QString lines;
        if (lastBreak >= 0) {
            lines = std::exchange(partial, QString());
            lines += QStringView(text).left(lastBreak + 1);
        }
        const QStringView rest = QStringView(text).mid(lastBreak + 1);
        partial += rest.left(std::max<qsizetype>(0, CommandRunner::maxLineLength - partial.size()));
        if (lines.isEmpty() || delivered + lines.size() > CommandRunner::maxOutputLength)
            return;
        delivered += lines.size();
        emit channel->output(lines);
    };
    QByteArray buffer(64 * 1024, Qt::Uninitialized);
    for (;;) {
        const qint64 remaining = deadline.remainingTime();
        if (remaining == 0) {
            killRun(pid, pipeStatus.st_ino);
            break;
        }
        pollfd readable { fds[0], POLLIN, 0 };
        const int ready = ::poll(&readable, 1, int(std::min<qint64>(remaining, 1000)));
        if (ready < 0 && errno != EINTR)
            break;
        if (ready <= 0)
            continue;
        const ssize_t got = ::read(fds[0], buffer.data(), size_t(buffer.size()));
        if (got < 0) {
            if (errno == EINTR || errno == EAGAIN)
                continue;
            break;
        }
        if (got == 0)
            break;
        keep(decoder.decode(QByteArrayView(buffer.constData(), got)));
    }
    ::close(fds[0]);
    keep(decoder.finish());
    if (!partial.isEmpty() && delivered + partial.size() <= CommandRunner::maxOutputLength)
        emit channel->output(partial);
    emit channel->finished(reap(pid, pipeStatus.st_ino, deadline));
}

} // namespace

void CommandRunner::runCommand(const QString &launchPath, const std::optional<QStringList> &arguments,
    OutputHandler outputHandler, TerminationHandler terminationHandler, QObject *context,
    std::chrono::milliseconds timeout)
{
    if (!context)
        context = QCoreApplication::instance();

    auto *channel = new CommandRunChannel;
    if (context) {
        if (outputHandler) {
            QObject::connect(
                channel, &CommandRunChannel::output, context,
                [handler = std::move(outputHandler)](const QString &text) { handler(text); }, Qt::QueuedConnection);
        }
        if (terminationHandler) {
            QObject::connect(
                channel, &CommandRunChannel::finished, context,
                [handler = std::move(terminationHandler)](int status) { handler(status); }, Qt::QueuedConnection);
        }
        channel->moveToThread(context->thread());
    }

    const QByteArray program = QFile::encodeName(launchPath);
    CStrings argv;
    argv.add(program);
    for (const QString &argument : arguments.value_or(QStringList()))
        argv.add(argument.toUtf8());

    // Read here, not on the worker: the environment may be changed by this thread meanwhile.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("PATH"), QString::fromLatin1(fixedPath));
    CStrings envp;
    for (const QString &entry : environment.toStringList())
        envp.add(QFile::encodeName(entry));

    runPool().start([program, argv = std::move(argv), envp = std::move(envp), channel, timeout]() mutable {
        runChild(program, std::move(argv), std::move(envp), channel, timeout);
        // Posted after the results, so queued deliveries still find their sender alive.
        channel->deleteLater();
    });
}

bool CommandRunner::waitForRuns(std::chrono::milliseconds limit)
{
    return runPool().waitForDone(int(limit.count()));
}
