// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "HardwareReport.h"

#include "platform/CpuInfoReader.h"
#include "platform/CpuTopologyReader.h"
#include "platform/DeviceTreeReader.h"
#include "platform/DmiReader.h"
#include "platform/DrmConnectorReader.h"
#include "platform/HostnamedClient.h"
#include "platform/MemInfoReader.h"
#include "platform/MemoryBlockReader.h"
#include "platform/SysInfoFile.h"

#include <QRegularExpression>
#include <cmath>

namespace {
const QString unknown = QStringLiteral("unkown");
const QString displaysType = QStringLiteral("SPDisplaysDataType");
const QString hardwareType = QStringLiteral("SPHardwareDataType");

QString orUnknown(const std::optional<QString> &value)
{
    return value ? *value : unknown;
}

// A heading is followed by a colon in the report, so a colon inside a name would end it early.
QString headingText(const QString &name)
{
    QString text = name;
    text.replace(u':', u' ');
    return text.simplified();
}

QString formatCache(quint64 bytes)
{
    if (bytes >= 1024 * 1024)
        return QString::number(std::round(double(bytes) / (1024 * 1024) * 100) / 100) + QStringLiteral(" MB");
    return QString::number(bytes / 1024) + QStringLiteral(" KB");
}

QString pciVendorName(const QString &vendorId)
{
    static const QHash<QString, QString> vendors = {
        { QStringLiteral("8086"), QStringLiteral("Intel") },
        { QStringLiteral("1002"), QStringLiteral("AMD") },
        { QStringLiteral("10DE"), QStringLiteral("NVIDIA") },
        { QStringLiteral("1AF4"), QStringLiteral("Red Hat") },
        { QStringLiteral("15AD"), QStringLiteral("VMware") },
        { QStringLiteral("1234"), QStringLiteral("QEMU") },
        { QStringLiteral("80EE"), QStringLiteral("VirtualBox") },
        { QStringLiteral("1414"), QStringLiteral("Microsoft") },
    };
    return vendors.value(vendorId);
}

std::optional<QString> modelFromDmi(const DmiReader &dmi)
{
    const auto vendor = dmi.field(QStringLiteral("sys_vendor"));
    auto product = dmi.field(QStringLiteral("product_name"));
    auto version = dmi.field(QStringLiteral("product_version"));
    // Lenovo keeps the machine type in product_name ("20XW0055GE") and the name people know
    // in product_version ("ThinkPad X1 Carbon Gen 9").
    if (vendor && vendor->compare(QLatin1String("LENOVO"), Qt::CaseInsensitive) == 0 && version)
        return version;
    if (product)
        return product;
    // Self-built desktops leave the system fields blank; the board names the machine.
    const auto boardVendor = dmi.field(QStringLiteral("board_vendor"));
    const auto boardName = dmi.field(QStringLiteral("board_name"));
    if (boardName)
        return boardVendor ? *boardVendor + u' ' + *boardName : *boardName;
    return std::nullopt;
}
} // namespace

HardwareReport::HardwareReport(HardwareReportSources sources)
    : m_sources(std::move(sources))
{ }

QStringList HardwareReport::knownDataTypes()
{
    return { displaysType, hardwareType };
}

QString HardwareReport::formatFrequency(double megahertz)
{
    if (megahertz >= 1000)
        return QString::number(std::round(megahertz / 10) / 100) + QStringLiteral(" GHz");
    return QString::number(std::lround(megahertz)) + QStringLiteral(" MHz");
}

QString HardwareReport::formatMemory(quint64 bytes)
{
    const double gib = double(bytes) / (1024.0 * 1024 * 1024);
    if (gib < 1)
        return QString::number(bytes / (1024 * 1024)) + QStringLiteral(" MB");
    const double tenths = std::round(gib * 10) / 10;
    return QString::number(tenths) + QStringLiteral(" GB");
}

std::optional<QString> HardwareReport::machineIdAsUuid(const QString &machineId)
{
    static const QRegularExpression hex32(QStringLiteral("^[0-9a-fA-F]{32}$"));
    const QString id = machineId.trimmed();
    // "uninitialized" and all-zero ids mark a machine that has not booted with one yet.
    if (!hex32.match(id).hasMatch() || DmiReader::isPlaceholder(id))
        return std::nullopt;
    return HostnamedClient::formatUuid(QByteArray::fromHex(id.toLatin1()));
}

HardwareOverview HardwareReport::overview() const
{
    HardwareOverview overview;
    const DmiReader dmi(m_sources.sysRoot);
    const DeviceTreeReader deviceTree(m_sources.procRoot);
    const auto cpuInfo = CpuInfoReader(m_sources.procRoot).read();
    const CpuTopology topology = CpuTopologyReader(m_sources.sysRoot).read();
    std::optional<HostnamedClient> hostnamed;
    auto bus = [&]() -> const HostnamedClient * {
        if (!m_sources.useHostnamed)
            return nullptr;
        if (!hostnamed)
            hostnamed.emplace(QDBusConnection::systemBus(), m_sources.hostnamedTimeoutMs);
        return &*hostnamed;
    };

    overview.modelName = modelFromDmi(dmi);
    if (!overview.modelName)
        overview.modelName = deviceTree.model();
    if (!overview.modelName && cpuInfo)
        overview.modelName = cpuInfo->machine.value(QStringLiteral("Model"));
    if (overview.modelName && overview.modelName->isEmpty())
        overview.modelName.reset();
    const bool hypervisor = cpuInfo && !cpuInfo->processors.isEmpty()
        && cpuInfo->processors.constFirst()
               .value(QStringLiteral("flags"))
               .split(u' ')
               .contains(QStringLiteral("hypervisor"));
    // A guest without firmware tables still knows it is one: the CPU's hypervisor bit says so.
    if (!overview.modelName && hypervisor)
        overview.modelName = QStringLiteral("Virtual Machine");

    const auto vendor = dmi.field(QStringLiteral("sys_vendor"));
    const auto product = dmi.field(QStringLiteral("product_name"));
    if (vendor && product)
        overview.modelIdentifier = *vendor + u' ' + *product;
    else if (product)
        overview.modelIdentifier = product;
    else if (const QStringList compatible = deviceTree.compatible(); !compatible.isEmpty())
        overview.modelIdentifier = compatible.constFirst();
    else if (const auto board = dmi.field(QStringLiteral("board_name")))
        overview.modelIdentifier = board;

    if (cpuInfo)
        overview.processorName = CpuInfoReader::processorName(*cpuInfo);
    if (topology.maxFrequencyKHz)
        overview.processorSpeed = formatFrequency(double(*topology.maxFrequencyKHz) / 1000);
    else if (const auto mhz = cpuInfo ? CpuInfoReader::highestMhz(*cpuInfo) : std::nullopt)
        overview.processorSpeed = formatFrequency(*mhz);

    overview.processors = topology.packages;
    if (!overview.processors && cpuInfo)
        overview.processors = CpuInfoReader::packageCount(*cpuInfo);
    // CPUs that name no package still sit in one.
    if (!overview.processors && !topology.onlineCpus.isEmpty())
        overview.processors = 1;
    overview.cores = topology.cores;
    if (!overview.cores && cpuInfo)
        overview.cores = CpuInfoReader::coreCount(*cpuInfo);
    // Without topology a guest's virtual CPUs are all the cores it has.
    if (!overview.cores && !topology.onlineCpus.isEmpty())
        overview.cores = int(topology.onlineCpus.size());
    if (topology.l2CacheBytes)
        overview.l2Cache = formatCache(*topology.l2CacheBytes);
    if (topology.l3CacheBytes)
        overview.l3Cache = formatCache(*topology.l3CacheBytes);

    if (const auto installed = MemoryBlockReader(m_sources.sysRoot).onlineBytes())
        overview.memory = formatMemory(*installed);
    else if (const auto info = MemInfoReader(m_sources.procRoot).read(); info && info->memTotal)
        overview.memory = formatMemory(*info->memTotal);

    overview.firmwareVersion = dmi.field(QStringLiteral("bios_version"));

    overview.serialNumber = dmi.field(QStringLiteral("product_serial"));
    if (!overview.serialNumber)
        overview.serialNumber = deviceTree.serialNumber();
    if (!overview.serialNumber && cpuInfo) {
        // Raspberry Pi kernels print the SoC serial here; zero on boards that have none.
        const QString serial = cpuInfo->machine.value(QStringLiteral("Serial"));
        if (!serial.isEmpty() && !DmiReader::isPlaceholder(serial))
            overview.serialNumber = serial;
    }
    if (!overview.serialNumber && bus())
        overview.serialNumber = bus()->hardwareSerial();

    if (const auto uuid = dmi.field(QStringLiteral("product_uuid")))
        overview.hardwareUuid = uuid->toUpper();
    if (!overview.hardwareUuid && bus())
        overview.hardwareUuid = bus()->productUuid();
    if (!overview.hardwareUuid) {
        if (const auto id = SysInfoFile::readTrimmed(m_sources.etcRoot + QStringLiteral("/machine-id")))
            overview.hardwareUuid = machineIdAsUuid(*id);
    }
    return overview;
}

QList<GraphicsEntry> HardwareReport::graphics() const
{
    QList<GraphicsEntry> entries;
    for (const DrmCard &card : DrmConnectorReader(m_sources.sysRoot).cards()) {
        GraphicsEntry entry;
        entry.name = headingText(card.driver.value_or(card.name));
        if (card.pciId) {
            const QStringList ids = card.pciId->split(u':');
            if (ids.size() == 2) {
                const QString name = pciVendorName(ids.at(0));
                entry.vendor
                    = (name.isEmpty() ? QString() : name + u' ') + QStringLiteral("(0x") + ids.at(0).toLower() + u')';
                entry.deviceId = QStringLiteral("0x") + ids.at(1).toLower();
            }
        }
        for (const DrmDisplay &display : card.displays) {
            const QString name = display.monitorName
                ? headingText(*display.monitorName)
                : (display.internal ? QStringLiteral("Built-in Display") : headingText(display.connector));
            entry.displays.append(DisplayEntry { name, display.resolution, display.internal });
        }
        entries.append(entry);
    }
    return entries;
}

QString HardwareReport::renderDisplays(const QList<GraphicsEntry> &graphics)
{
    QString text = QStringLiteral("Graphics/Displays:\n\n");
    bool mainDisplay = true;
    for (const GraphicsEntry &card : graphics) {
        text += QStringLiteral("    ") + card.name + QStringLiteral(":\n\n");
        text += QStringLiteral("      Chipset Model: ") + card.name + u'\n';
        if (card.vendor)
            text += QStringLiteral("      Vendor: ") + *card.vendor + u'\n';
        if (card.deviceId)
            text += QStringLiteral("      Device ID: ") + *card.deviceId + u'\n';
        if (!card.displays.isEmpty()) {
            text += QStringLiteral("      Displays:\n");
            for (const DisplayEntry &display : card.displays) {
                text += QStringLiteral("        ") + display.name + QStringLiteral(":\n");
                text += QStringLiteral("          Resolution: ") + orUnknown(display.resolution) + u'\n';
                if (mainDisplay)
                    text += QStringLiteral("          Main Display: Yes\n");
                mainDisplay = false;
                if (display.internal)
                    text += QStringLiteral("          Connection Type: Internal\n");
            }
        }
        text += u'\n';
    }
    if (graphics.isEmpty())
        text += u'\n';
    return text;
}

QString HardwareReport::renderHardware(const HardwareOverview &overview)
{
    const auto number = [](const std::optional<int> &value) { return value ? QString::number(*value) : unknown; };
    QString text = QStringLiteral("Hardware:\n\n    Hardware Overview:\n\n");
    const auto line = [&text](const char *label, const QString &value) {
        text += QStringLiteral("      ") + QLatin1String(label) + QStringLiteral(": ") + value + u'\n';
    };
    line("Model Name", orUnknown(overview.modelName));
    line("Model Identifier", orUnknown(overview.modelIdentifier));
    line("Processor Name", orUnknown(overview.processorName));
    line("Processor Speed", orUnknown(overview.processorSpeed));
    line("Number of Processors", number(overview.processors));
    line("Total Number of Cores", number(overview.cores));
    if (overview.l2Cache)
        line("L2 Cache", *overview.l2Cache);
    if (overview.l3Cache)
        line("L3 Cache", *overview.l3Cache);
    line("Memory", orUnknown(overview.memory));
    line("System Firmware Version", orUnknown(overview.firmwareVersion));
    line("Serial Number (system)", orUnknown(overview.serialNumber));
    line("Hardware UUID", orUnknown(overview.hardwareUuid));
    text += u'\n';
    return text;
}

QString HardwareReport::render(const QStringList &dataTypes) const
{
    QStringList types;
    for (const QString &type : dataTypes) {
        if (knownDataTypes().contains(type) && !types.contains(type))
            types.append(type);
    }
    if (dataTypes.isEmpty())
        types = knownDataTypes();
    QString text;
    for (const QString &type : std::as_const(types))
        text += type == displaysType ? renderDisplays(graphics()) : renderHardware(overview());
    return text;
}
