// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "CpuTopologyReader.h"

#include "SysInfoFile.h"

#include <QRegularExpression>
#include <QSet>

CpuTopologyReader::CpuTopologyReader(const QString &sysRoot)
    : m_dir(sysRoot + QStringLiteral("/devices/system/cpu"))
{ }

std::optional<quint64> CpuTopologyReader::parseCacheSize(const QString &text)
{
    static const QRegularExpression pattern(QStringLiteral("^(\\d+)([KMG]?)$"));
    const auto match = pattern.match(text.trimmed());
    if (!match.hasMatch())
        return std::nullopt;
    bool ok = false;
    const quint64 value = match.captured(1).toULongLong(&ok);
    const QString unit = match.captured(2);
    const int shift = unit == QLatin1String("K") ? 10
        : unit == QLatin1String("M")             ? 20
        : unit == QLatin1String("G")             ? 30
                                                 : 0;
    // No cache comes near a terabyte; the bound also keeps the sum over 8192 CPUs in range.
    constexpr quint64 largest = quint64(1) << 40;
    if (!ok || value > (largest >> shift))
        return std::nullopt;
    return value << shift;
}

CpuTopology CpuTopologyReader::read() const
{
    CpuTopology topology;
    if (const auto online = SysInfoFile::readTrimmed(m_dir + QStringLiteral("/online"))) {
        if (auto ids = SysInfoFile::parseCpuList(*online))
            topology.onlineCpus = *ids;
    }
    if (topology.onlineCpus.isEmpty()) {
        static const QRegularExpression cpuDir(QStringLiteral("^cpu(\\d+)$"));
        for (const QString &entry : SysInfoFile::entries(m_dir)) {
            const auto match = cpuDir.match(entry);
            if (match.hasMatch())
                topology.onlineCpus.append(match.captured(1).toInt());
        }
        std::sort(topology.onlineCpus.begin(), topology.onlineCpus.end());
    }

    QSet<int> packages;
    QSet<QString> cores;
    bool packagesKnown = true;
    bool coresKnown = true;
    QHash<QString, quint64> l2;
    QHash<QString, quint64> l3;
    for (int id : std::as_const(topology.onlineCpus)) {
        const QString cpu = m_dir + QStringLiteral("/cpu") + QString::number(id);
        const QString topo = cpu + QStringLiteral("/topology/");

        bool ok = false;
        const int package
            = SysInfoFile::readTrimmed(topo + QStringLiteral("physical_package_id")).value_or(QString()).toInt(&ok);
        // arm64 kernels before 5.x say -1 when the firmware names no package.
        if (ok && package >= 0)
            packages.insert(package);
        else
            packagesKnown = false;

        // Each physical core has its own set of hardware threads, whatever the numbering of
        // core_id (which repeats across clusters and packages).
        auto siblings = SysInfoFile::readTrimmed(topo + QStringLiteral("core_cpus_list"));
        if (!siblings)
            siblings = SysInfoFile::readTrimmed(topo + QStringLiteral("thread_siblings_list"));
        if (siblings)
            cores.insert(*siblings);
        else
            coresKnown = false;

        const auto khz = SysInfoFile::readTrimmed(cpu + QStringLiteral("/cpufreq/cpuinfo_max_freq"));
        const quint64 frequency = khz ? khz->toULongLong(&ok) : 0;
        if (khz && ok && frequency > 0 && (!topology.maxFrequencyKHz || frequency > *topology.maxFrequencyKHz))
            topology.maxFrequencyKHz = frequency;

        const QString cacheDir = cpu + QStringLiteral("/cache");
        for (const QString &index : SysInfoFile::entries(cacheDir)) {
            if (!index.startsWith(QLatin1String("index")))
                continue;
            const QString base = cacheDir + u'/' + index + u'/';
            const auto level = SysInfoFile::readTrimmed(base + QStringLiteral("level"));
            const auto type = SysInfoFile::readTrimmed(base + QStringLiteral("type"));
            const auto size
                = parseCacheSize(SysInfoFile::readTrimmed(base + QStringLiteral("size")).value_or(QString()));
            const auto shared = SysInfoFile::readTrimmed(base + QStringLiteral("shared_cpu_list"));
            if (!level || !size || !shared || type == QStringLiteral("Instruction"))
                continue;
            if (*level == QLatin1String("2"))
                l2.insert(*shared, *size);
            else if (*level == QLatin1String("3"))
                l3.insert(*shared, *size);
        }
    }
    if (!topology.onlineCpus.isEmpty() && packagesKnown && !packages.isEmpty())
        topology.packages = int(packages.size());
    if (!topology.onlineCpus.isEmpty() && coresKnown && !cores.isEmpty())
        topology.cores = int(cores.size());
    auto sum = [](const QHash<QString, quint64> &caches) -> std::optional<quint64> {
        if (caches.isEmpty())
            return std::nullopt;
        quint64 total = 0;
        for (quint64 size : caches)
            total += size;
        return total;
    };
    topology.l2CacheBytes = sum(l2);
    topology.l3CacheBytes = sum(l3);
    return topology;
}
