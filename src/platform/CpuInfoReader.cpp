// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "CpuInfoReader.h"

#include "SysInfoFile.h"

#include <QSet>

CpuInfoReader::CpuInfoReader(QString procRoot)
    : m_procRoot(std::move(procRoot))
{ }

std::optional<CpuInfo> CpuInfoReader::read() const
{
    // Machines with hundreds of CPUs print about 1.5 KiB each.
    const auto data = SysInfoFile::read(m_procRoot + QStringLiteral("/cpuinfo"), 4 * 1024 * 1024);
    if (!data)
        return std::nullopt;
    return parse(*data);
}

CpuInfo CpuInfoReader::parse(QByteArrayView text)
{
    CpuInfo info;
    QHash<QString, QString> block;
    auto flush = [&info, &block] {
        if (block.isEmpty())
            return;
        bool numbered = false;
        block.value(QStringLiteral("processor")).toInt(&numbered);
        if (numbered) {
            info.processors.append(block);
        } else {
            for (auto it = block.cbegin(); it != block.cend(); ++it)
                info.machine.insert(it.key(), it.value());
        }
        block.clear();
    };

    const QString all = QString::fromUtf8(text);
    for (QStringView line : QStringView(all).split(u'\n')) {
        const qsizetype colon = line.indexOf(u':');
        if (line.trimmed().isEmpty()) {
            flush();
            continue;
        }
        if (colon <= 0)
            continue;
        const QString key = line.left(colon).trimmed().toString();
        // Old 32-bit ARM kernels put a machine-wide "Processor" line in the first CPU's block.
        if (key == QLatin1String("processor") && block.contains(key))
            flush();
        block.insert(key, SysInfoFile::printable(line.mid(colon + 1)));
    }
    flush();
    return info;
}

std::optional<QString> CpuInfoReader::armCoreName(int implementer, int part)
{
    struct Core
    {
        int implementer;
        int part;
        const char *name;
    };
    // Published MIDR values of the common designs.
    static constexpr Core cores[] = {
        { 0x41, 0xb76, "ARM1176" },
        { 0x41, 0xc07, "Cortex-A7" },
        { 0x41, 0xc08, "Cortex-A8" },
        { 0x41, 0xc09, "Cortex-A9" },
        { 0x41, 0xc0f, "Cortex-A15" },
        { 0x41, 0xd03, "Cortex-A53" },
        { 0x41, 0xd04, "Cortex-A35" },
        { 0x41, 0xd05, "Cortex-A55" },
        { 0x41, 0xd07, "Cortex-A57" },
        { 0x41, 0xd08, "Cortex-A72" },
        { 0x41, 0xd09, "Cortex-A73" },
        { 0x41, 0xd0a, "Cortex-A75" },
        { 0x41, 0xd0b, "Cortex-A76" },
        { 0x41, 0xd0c, "Neoverse-N1" },
        { 0x41, 0xd0d, "Cortex-A77" },
        { 0x41, 0xd40, "Neoverse-V1" },
        { 0x41, 0xd41, "Cortex-A78" },
        { 0x41, 0xd44, "Cortex-X1" },
        { 0x41, 0xd46, "Cortex-A510" },
        { 0x41, 0xd47, "Cortex-A710" },
        { 0x41, 0xd48, "Cortex-X2" },
        { 0x41, 0xd49, "Neoverse-N2" },
        { 0x41, 0xd4b, "Cortex-A78C" },
        { 0x41, 0xd4d, "Cortex-A715" },
        { 0x41, 0xd4e, "Cortex-X3" },
        { 0x41, 0xd4f, "Neoverse-V2" },
        { 0x41, 0xd80, "Cortex-A520" },
        { 0x41, 0xd81, "Cortex-A720" },
        { 0x41, 0xd82, "Cortex-X4" },
        { 0x51, 0x800, "Kryo 2xx Gold" },
        { 0x51, 0x801, "Kryo 2xx Silver" },
        { 0x51, 0x802, "Kryo 3xx Gold" },
        { 0x51, 0x803, "Kryo 3xx Silver" },
        { 0x51, 0x804, "Kryo 4xx Gold" },
        { 0x51, 0x805, "Kryo 4xx Silver" },
        { 0x51, 0x001, "Oryon" },
        { 0x61, 0x022, "Icestorm" },
        { 0x61, 0x023, "Firestorm" },
        { 0x61, 0x024, "Icestorm Pro" },
        { 0x61, 0x025, "Firestorm Pro" },
        { 0x61, 0x028, "Icestorm Max" },
        { 0x61, 0x029, "Firestorm Max" },
        { 0x61, 0x032, "Blizzard" },
        { 0x61, 0x033, "Avalanche" },
        { 0x48, 0xd01, "TaiShan v110" },
        { 0xc0, 0xac3, "Ampere-1" },
    };
    for (const Core &core : cores) {
        if (core.implementer == implementer && core.part == part)
            return QString::fromLatin1(core.name);
    }
    return std::nullopt;
}

namespace {
QString armVendor(int implementer)
{
    switch (implementer) {
    case 0x41:
        return QStringLiteral("ARM");
    case 0x48:
        return QStringLiteral("HiSilicon");
    case 0x51:
        return QStringLiteral("Qualcomm");
    case 0x61:
        return QStringLiteral("Apple");
    case 0xc0:
        return QStringLiteral("Ampere");
    default:
        return {};
    }
}

std::optional<int> hexValue(const QString &text)
{
    bool ok = false;
    const int value = text.toInt(&ok, 0);
    if (!ok)
        return std::nullopt;
    return value;
}
} // namespace

std::optional<QString> CpuInfoReader::processorName(const CpuInfo &info)
{
    for (const auto &cpu : info.processors) {
        const QString model = cpu.value(QStringLiteral("model name"));
        if (!model.isEmpty())
            return model;
    }

    // arm64: name the distinct core designs, big cores first as the kernel numbers them last.
    QStringList designs;
    QString vendor;
    for (const auto &cpu : info.processors) {
        const auto implementer = hexValue(cpu.value(QStringLiteral("CPU implementer")));
        const auto part = hexValue(cpu.value(QStringLiteral("CPU part")));
        if (!implementer || !part)
            continue;
        const auto name = armCoreName(*implementer, *part);
        if (!name)
            continue;
        if (vendor.isEmpty())
            vendor = armVendor(*implementer);
        if (!designs.contains(*name))
            designs.prepend(*name);
    }
    if (!designs.isEmpty())
        return (vendor.isEmpty() ? QString() : vendor + u' ') + designs.join(QStringLiteral(" + "));

    for (const char *key : { "Processor", "model name", "cpu model", "cpu", "uarch" }) {
        const QString name = QString::fromLatin1(key);
        QString value = info.machine.value(name);
        if (value.isEmpty() && !info.processors.isEmpty())
            value = info.processors.constFirst().value(name);
        if (!value.isEmpty())
            return value;
    }
    return std::nullopt;
}

std::optional<double> CpuInfoReader::highestMhz(const CpuInfo &info)
{
    std::optional<double> highest;
    for (const auto &cpu : info.processors) {
        bool ok = false;
        const double mhz = cpu.value(QStringLiteral("cpu MHz")).toDouble(&ok);
        if (ok && mhz > 0 && (!highest || mhz > *highest))
            highest = mhz;
    }
    return highest;
}

std::optional<int> CpuInfoReader::packageCount(const CpuInfo &info)
{
    QSet<QString> packages;
    for (const auto &cpu : info.processors) {
        const auto it = cpu.constFind(QStringLiteral("physical id"));
        if (it == cpu.cend())
            return std::nullopt;
        packages.insert(*it);
    }
    if (packages.isEmpty())
        return std::nullopt;
    return int(packages.size());
}

std::optional<int> CpuInfoReader::coreCount(const CpuInfo &info)
{
    QSet<QString> cores;
    for (const auto &cpu : info.processors) {
        const auto package = cpu.constFind(QStringLiteral("physical id"));
        const auto core = cpu.constFind(QStringLiteral("core id"));
        if (package == cpu.cend() || core == cpu.cend())
            return std::nullopt;
        cores.insert(*package + u'/' + *core);
    }
    if (cores.isEmpty())
        return std::nullopt;
    return int(cores.size());
}
