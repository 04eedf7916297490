// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArrayView>
#include <QString>
#include <QtGlobal>
#include <optional>

// Cumulative time of all CPUs together, in clock ticks (USER_HZ), as the aggregate "cpu" line
// of /proc/stat gives it. The counters are 64-bit in the kernel and may be missing at the end
// on old kernels (steal, guest), which then count as 0.
struct ProcCpuTimes
{
    quint64 user = 0;
    quint64 nice = 0;
    quint64 system = 0;
    quint64 idle = 0;
    quint64 iowait = 0;
    quint64 irq = 0;
    quint64 softirq = 0;
    quint64 steal = 0;
};

class ProcStatReader
{
public:
    explicit ProcStatReader(QString procRoot = QStringLiteral("/proc"));

    std::optional<ProcCpuTimes> cpuTimes() const;

    // The aggregate line of a /proc/stat text; nothing when it is missing or malformed.
    static std::optional<ProcCpuTimes> parse(QByteArrayView stat);

private:
    QString m_procRoot;
};
