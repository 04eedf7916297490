// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArrayView>
#include <QHash>
#include <QList>
#include <QString>
#include <optional>

// /proc/cpuinfo as key-value blocks. Its layout differs per architecture: x86 names the model
// in every block; arm64 gives only implementer and part numbers; 32-bit ARM and Raspberry Pi
// kernels add machine-wide lines (Hardware, Revision, Serial, Model) in a block of their own.
struct CpuInfo
{
    QList<QHash<QString, QString>> processors;
    QHash<QString, QString> machine;
};

class CpuInfoReader
{
public:
    explicit CpuInfoReader(QString procRoot = QStringLiteral("/proc"));

    std::optional<CpuInfo> read() const;

    static CpuInfo parse(QByteArrayView text);

    // The processor's marketing name, or for ARM the core designs it is built from
    // ("ARM Cortex-A76 + Cortex-A55"). Nothing when the kernel does not say.
    static std::optional<QString> processorName(const CpuInfo &info);

    // Highest "cpu MHz" over the processors (x86, where cpufreq is missing in most VMs).
    static std::optional<double> highestMhz(const CpuInfo &info);

    // Sockets and cores from x86's "physical id" and "core id" lines.
    static std::optional<int> packageCount(const CpuInfo &info);
    static std::optional<int> coreCount(const CpuInfo &info);

    // The core design an arm64 implementer/part pair names, e.g. 0x41/0xd08 → "Cortex-A72".
    static std::optional<QString> armCoreName(int implementer, int part);

private:
    QString m_procRoot;
};
