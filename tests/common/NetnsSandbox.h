// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <fcntl.h>
#include <sched.h>
#include <unistd.h>

// Puts the calling thread into a fresh, nameless network namespace. Threads and processes it
// starts afterwards inherit it; nothing is mounted under /run/netns, so the namespace and its
// veths vanish with the last socket and thread in it, also when a test crashes.
class NetnsSandbox
{
public:
    NetnsSandbox()
        : m_home(::open("/proc/thread-self/ns/net", O_RDONLY | O_CLOEXEC))
        , m_ip(QStandardPaths::findExecutable(QStringLiteral("ip"),
              { QStringLiteral("/usr/sbin"), QStringLiteral("/sbin"), QStringLiteral("/usr/bin"),
                  QStringLiteral("/bin") }))
    { }

    ~NetnsSandbox()
    {
        if (m_home >= 0) {
            ::setns(m_home, CLONE_NEWNET);
            ::close(m_home);
        }
    }

    NetnsSandbox(const NetnsSandbox &) = delete;
    NetnsSandbox &operator=(const NetnsSandbox &) = delete;

    // Why these tests cannot run here; empty when they can.
    QString unavailableReason() const
    {
        if (::geteuid() != 0)
            return QStringLiteral("needs root for network namespaces");
        if (m_ip.isEmpty())
            return QStringLiteral("needs ip from iproute2");
        return m_home < 0 ? QStringLiteral("cannot open the current network namespace") : QString();
    }

    bool enterFresh()
    {
        if (::unshare(CLONE_NEWNET) == 0)
            return true;
        m_error = QStringLiteral("unshare(CLONE_NEWNET) failed");
        return false;
    }

    // One ip command, its words separated by spaces ("-6 route add default dev enp3s0").
    bool ip(const QString &commandLine) { return run(commandLine.split(QLatin1Char(' '), Qt::SkipEmptyParts), {}); }

    // Many commands in one ip process, as "ip -batch" reads them.
    bool batch(const QStringList &lines)
    {
        return run({ QStringLiteral("-batch"), QStringLiteral("-") }, lines.join(QLatin1Char('\n')).toUtf8() + '\n');
    }

    // A veth pair, both ends up, the first with 10.<n>.0.1/24 and fd0<n>::1/64.
    bool addVeth(const QString &name, const QString &peer, int n)
    {
        return batch({
            QStringLiteral("link add %1 type veth peer name %2").arg(name, peer),
            QStringLiteral("link set %1 up").arg(name),
            QStringLiteral("link set %1 up").arg(peer),
            QStringLiteral("addr add 10.%1.0.1/24 dev %2").arg(n).arg(name),
            QStringLiteral("addr add fd0%1::1/64 dev %2 nodad").arg(n).arg(name),
        });
    }

    const QString &error() const { return m_error; }

private:
    bool run(const QStringList &arguments, const QByteArray &input)
    {
        QProcess process;
        process.start(m_ip, arguments);
        process.write(input);
        process.closeWriteChannel();
        const bool finished = process.waitForFinished(30000);
        if (!finished || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
            m_error = QStringLiteral("ip %1: %2")
                          .arg(arguments.join(QLatin1Char(' ')),
                              QString::fromUtf8(process.readAllStandardError()).trimmed());
            return false;
        }
        return true;
    }

    int m_home;
    QString m_ip;
    QString m_error;
};
