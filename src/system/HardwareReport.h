// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

// Where the hardware report looks; a test points the roots at a fixture tree and turns the
// system bus off.
struct HardwareReportSources
{
    QString procRoot = QStringLiteral("/proc");
    QString sysRoot = QStringLiteral("/sys");
    QString etcRoot = QStringLiteral("/etc");
    bool useHostnamed = true;
    int hostnamedTimeoutMs = 500;
};

// The facts of the hardware overview; absent where no source has them.
struct HardwareOverview
{
    std::optional<QString> modelName;
    std::optional<QString> modelIdentifier;
    std::optional<QString> processorName;
    std::optional<QString> processorSpeed;
    std::optional<int> processors;
    std::optional<int> cores;
    std::optional<QString> l2Cache;
    std::optional<QString> l3Cache;
    std::optional<QString> memory;
    std::optional<QString> firmwareVersion;
    std::optional<QString> serialNumber;
    std::optional<QString> hardwareUuid;
};

struct DisplayEntry
{
    QString name;
    std::optional<QString> resolution;
    bool internal = false;
};

struct GraphicsEntry
{
    QString name;
    std::optional<QString> vendor;
    std::optional<QString> deviceId;
    QList<DisplayEntry> displays;
};

// The text of the hardware report program: label-colon-value lines, indented, in sections
// named by data type. The hardware section's non-empty lines keep a fixed order (model name
// third, processor name fifth, processor speed sixth) because the resource panel reads them by
// position; a fact no source has reads "unkown" instead of leaving its line out.
class HardwareReport
{
public:
    explicit HardwareReport(HardwareReportSources sources = {});

    static QStringList knownDataTypes();

    // The sections for the given data types in the order given; unknown types are skipped,
    // no type at all means every section.
    QString render(const QStringList &dataTypes) const;

    HardwareOverview overview() const;
    QList<GraphicsEntry> graphics() const;

    static QString renderHardware(const HardwareOverview &overview);
    static QString renderDisplays(const QList<GraphicsEntry> &graphics);

    // "4.7 GHz", "800 MHz".
    static QString formatFrequency(double megahertz);
    // "16 GB", "7.6 GB", "512 MB" (binary units, as the memory is counted).
    static QString formatMemory(quint64 bytes);
    // /etc/machine-id as an upper-case 8-4-4-4-12 UUID.
    static std::optional<QString> machineIdAsUuid(const QString &machineId);

private:
    HardwareReportSources m_sources;
};
