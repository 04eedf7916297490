// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <QtGlobal>
#include <optional>

// What /sys/devices/system/cpu says about the online CPUs: sockets, physical cores, the top
// clock and the cache sizes. Each figure is absent when the kernel does not export it (VMs
// often lack cpufreq; some lack topology directories altogether).
struct CpuTopology
{
    QList<int> onlineCpus;
    std::optional<int> packages;
    std::optional<int> cores;
    std::optional<quint64> maxFrequencyKHz;
    std::optional<quint64> l2CacheBytes; // all distinct L2 instances together
    std::optional<quint64> l3CacheBytes;
};

class CpuTopologyReader
{
public:
    explicit CpuTopologyReader(const QString &sysRoot = QStringLiteral("/sys"));

    CpuTopology read() const;

    // A sysfs cache size such as "48K", "2048K" or "32M".
    static std::optional<quint64> parseCacheSize(const QString &text);

private:
    QString m_dir;
};
