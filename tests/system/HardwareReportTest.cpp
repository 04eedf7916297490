// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "system/HardwareReport.h"

#include "FixtureFiles.h"
#include "platform/CpuInfoReader.h"
#include "platform/CpuTopologyReader.h"
#include "platform/DmiReader.h"
#include "platform/DrmConnectorReader.h"
#include "platform/HostNameSource.h"
#include "platform/SysInfoFile.h"
#include "system/AppInfoManager.h"

#include <QTemporaryDir>
#include <QTest>
#include <sys/stat.h>

namespace {
HardwareReportSources fixture(const QString &name)
{
    const QString root = QStringLiteral(TAVLO_TEST_DATA "/system/") + name;
    return HardwareReportSources { root + QStringLiteral("/proc"), root + QStringLiteral("/sys"),
        root + QStringLiteral("/etc"), false, 0 };
}

QString text(const std::optional<QString> &value)
{
    return value.value_or(QStringLiteral("(absent)"));
}

QString number(const std::optional<int> &value)
{
    return value ? QString::number(*value) : QStringLiteral("(absent)");
}

QByteArray edidWithDescriptor(quint8 tag, const QByteArray &payload)
{
    QByteArray edid(128, '\0');
    edid.replace(0, 8, QByteArray::fromHex("00ffffffffffff00"));
    QByteArray descriptor(18, '\0');
    descriptor[3] = char(tag);
    descriptor.replace(5, payload.size(), payload);
    edid.replace(72, 18, descriptor.left(18));
    return edid;
}
} // namespace

class HardwareReportTest : public QObject
{
    Q_OBJECT

private slots:
    void testOverview_data()
    {
        QTest::addColumn<QString>("machine");
        // model, identifier, processor, speed, sockets, cores, memory, firmware, serial, uuid; then
        // system name, version, image and host name. Ubuntu's /etc/debian_version names the
        // Debian release it is based on, not its own.
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<QStringList>("displays"); // "card/name/resolution"
        QTest::newRow("laptop") << "laptop"
                                << QStringList { "ThinkPad X1 Carbon Gen 9", "LENOVO 20XW0055GE",
                                       "11th Gen Intel(R) Core(TM) i7-1165G7 @ 2.80GHz", "4.7 GHz", "1", "4", "16 GB",
                                       "N32ET75W (1.51 )", "PF2XK7QM", "4C4C4544-0051-3510-8039-B4C04F4B4D32", "Ubuntu",
                                       "24.04", "MacBookPro", "Ana's ThinkPad" }
                                << QStringList { "i915/Built-in Display/1920 x 1200", "i915/DELL U2720Q/3840 x 2160" };
        // Placeholder strings in the system fields; the board names the machine, the serial is filler.
        QTest::newRow("self-built hybrid desktop")
            << "desktop-hybrid"
            << QStringList { "ASUSTeK COMPUTER INC. PRIME Z690-P D4", "PRIME Z690-P D4",
                   "12th Gen Intel(R) Core(TM) i5-12600K", "4.9 GHz", "1", "10", "31.1 GB", "2803", "(absent)",
                   "A3F1E62C-8A4D-11ED-9C55-047C16D2E8B1", "Fedora Linux", "40", "macpro", "forge" }
            << QStringList { "amdgpu/DELL U2720Q/3840 x 2160", "amdgpu/LG ULTRAGEAR/2560 x 1440" };
        // No DMI, no topology directories, no cpufreq, no DRM: cpuinfo and machine-id fill in.
        QTest::newRow("virtual machine") << "vm-nodmi"
                                         << QStringList { "Virtual Machine", "(absent)", "Intel(R) Xeon(R) Processor",
                                                "2.3 GHz", "1", "2", "23.5 GB", "(absent)", "(absent)",
                                                "3D1219C7-C4C5-404A-AA1F-6D2A48ADFDA4", "Debian GNU/Linux", "12.11",
                                                "MacBookPro", "vm" }
                                         << QStringList();
        QTest::newRow("arm board") << "arm-board"
                                   << QStringList { "Raspberry Pi 4 Model B Rev 1.4", "raspberrypi,4-model-b",
                                          "ARM Cortex-A72", "1.8 GHz", "1", "4", "3.7 GB", "(absent)",
                                          "10000000a3b4c5d6", "C0FFEE00-D15E-A5E0-B0A7-F00DFEEDFACE",
                                          "Debian GNU/Linux", "12.5", "MacBookPro", "raspberrypi" }
                                   << QStringList { "vc4-drm/DELL P2419H/1920 x 1080" };
    }
    void testOverview()
    {
        QFETCH(QString, machine);
        QFETCH(QStringList, expected);
        const HardwareReport report(fixture(machine));
        const HardwareOverview overview = report.overview();
        const QString root = QStringLiteral(TAVLO_TEST_DATA "/system/") + machine;
        const AppInfoManager::Sources sources { root + QStringLiteral("/proc"), root + QStringLiteral("/sys"),
            root + QStringLiteral("/etc"), root + QStringLiteral("/usr/lib"), false, 0 };
        const AppInfoManager info(sources);
        const QStringList actual { text(overview.modelName), text(overview.modelIdentifier),
            text(overview.processorName), text(overview.processorSpeed), number(overview.processors),
            number(overview.cores), text(overview.memory), text(overview.firmwareVersion), text(overview.serialNumber),
            text(overview.hardwareUuid), info.systemName(), info.systemVersion(), info.deviceImageName(),
            HostNameSource(nullptr, sources.etcRoot, sources.procRoot).localizedName().value_or(QString()) };
        QCOMPARE(actual, expected);
        // The laptop's panel first, then its monitor; an idle second card shows nothing.
        QStringList displays;
        for (const GraphicsEntry &card : report.graphics()) {
            for (const DisplayEntry &display : card.displays)
                displays.append(card.name + u'/' + display.name + u'/' + text(display.resolution));
        }
        QTEST(displays, "displays");
    }

    // The small readers of kernel values: the text they are given, and what they read from it.
    // Their ranges (at most maxCpuCount ascending ids, a terabyte of cache) are the fuzz targets'.
    void testReaders_data()
    {
        QTest::addColumn<QString>("reader");
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QString>("output");
        const auto row = [](const char *reader, const char *name, const QByteArray &input, const QString &output) {
            QTest::addRow("%s: %s", reader, name) << reader << input << output;
        };
        row("edid", "name with line feed and padding", edidWithDescriptor(0xfc, "DELL U2720Q\n "), "DELL U2720Q");
        row("edid", "only a text descriptor", edidWithDescriptor(0xfe, "LP140WU1\n"), "(absent)");
        QByteArray badHeader = edidWithDescriptor(0xfc, "NAME\n");
        badHeader[1] = 0;
        row("edid", "wrong header", badHeader, "(absent)");
        row("cpuinfo", "big.LITTLE, big cores numbered last",
            "processor\t: 0\nCPU implementer\t: 0x41\nCPU part\t: 0xd05\n\n"
            "processor\t: 1\nCPU implementer\t: 0x41\nCPU part\t: 0xd05\n\n"
            "processor\t: 2\nCPU implementer\t: 0x41\nCPU part\t: 0xd0b\n\n",
            "ARM Cortex-A76 + Cortex-A55");
        row("cpuinfo", "old 32-bit layout",
            "Processor\t: ARMv7 Processor rev 10 (v7l)\nprocessor\t: 0\nBogoMIPS\t: 790.52\n\nprocessor\t: 1\n\n",
            "ARMv7 Processor rev 10 (v7l)");
        row("cpuinfo", "RISC-V", "processor\t: 0\nhart\t\t: 1\nisa\t\t: rv64imafdc\nuarch\t\t: sifive,u74-mc\n",
            "sifive,u74-mc");
        for (const char *placeholder : { "To Be Filled By O.E.M.", "00000000-0000-0000-0000-000000000000",
                 "03000200-0400-0500-0006-000700080009", "FFFFFFFF-FFFF-FFFF-FFFF-FFFFFFFFFFFF", "XXXXXXXX" })
            row("dmi", placeholder, placeholder, "placeholder");
        row("dmi", "real serial", "PF2XK7QM", "PF2XK7QM");
        row("cpu list", "ranges and singles", "0-3,8,10-11\n", "7");
        row("cpu list", "the largest kernel", "0-8191", "8192");
        row("cpu list", "repeated huge range", QByteArray("0-65535,").repeated(32), "(absent)");
        row("cache size", "kilobytes", "48K", "49152");
        row("cache size", "wraps when shifted", "2555555555575G", "(absent)");
    }
    void testReaders()
    {
        QFETCH(QString, reader);
        QFETCH(QByteArray, input);
        const QString textInput = QString::fromUtf8(input);
        QString output;
        if (reader == QLatin1String("edid")) {
            output = text(DrmConnectorReader::edidMonitorName(input));
        } else if (reader == QLatin1String("cpuinfo")) {
            output = text(CpuInfoReader::processorName(CpuInfoReader::parse(input)));
        } else if (reader == QLatin1String("dmi")) {
            output = DmiReader::isPlaceholder(textInput) ? QStringLiteral("placeholder") : textInput;
        } else if (reader == QLatin1String("cpu list")) {
            const auto ids = SysInfoFile::parseCpuList(textInput);
            output = ids ? QString::number(ids->size()) : QStringLiteral("(absent)");
        } else {
            const auto bytes = CpuTopologyReader::parseCacheSize(textInput);
            output = bytes ? QString::number(*bytes) : QStringLiteral("(absent)");
        }
        QTEST(output, "output");
    }

    // Nothing planted in a kernel tree may block a reader or be read as a value.
    void testNonRegularFileIsUnreadable()
    {
        QTemporaryDir dir;
        const QString fifo = dir.filePath("fifo");
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        QVERIFY(!SysInfoFile::read(fifo));
        QVERIFY(!SysInfoFile::read(dir.path()));
    }

    void testImageByName_data()
    {
        QTest::addColumn<QStringList>("nameChassisImage"); // an empty chassis is unknown
        QTest::newRow("MacBook Pro without the space") << QStringList { "Ana's MacBook Pro", "", "MacBookPro" };
        QTest::newRow("iMac before Mac mini") << QStringList { "iMac and Mac mini", "", "iMac" };
        QTest::newRow("name is case-sensitive") << QStringList { "my imac", "", "MacBookPro" };
        QTest::newRow("SMBIOS all in one") << QStringList { "kitchen", "13", "iMac" };
        QTest::newRow("SMBIOS mini PC") << QStringList { "nuc", "35", "macmini" };
    }
    void testImageByName()
    {
        QFETCH(QStringList, nameChassisImage);
        const QString chassis = nameChassisImage[1];
        QCOMPARE(AppInfoManager::deviceImageNameFor(
                     nameChassisImage[0], chassis.isEmpty() ? std::nullopt : std::optional(chassis)),
            nameChassisImage[2]);
    }

    // The Debian point release from /etc/debian_version is the overview's virtual machine.
    void testOsRelease_data()
    {
        QTest::addColumn<QByteArray>("osRelease");
        QTest::addColumn<bool>("vendorOnly"); // only the copy in usr/lib, nothing in /etc
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("vendor copy") << QByteArray("NAME=openSUSE Tumbleweed\nVERSION_ID=\"20240601\"\n") << true
                                     << QStringList { "openSUSE Tumbleweed", "20240601" };
        QTest::newRow("quoted with escapes") << QByteArray("NAME=\"My \\\"Quoted\\\" OS\"\nVERSION_ID='1.2'\n") << false
                                             << QStringList { "My \"Quoted\" OS", "1.2" };
        QTest::newRow("empty file") << QByteArray("") << false << QStringList { "unkown", "unkown" };
    }
    void testOsRelease()
    {
        QFETCH(QByteArray, osRelease);
        QFETCH(bool, vendorOnly);
        QTemporaryDir dir;
        QVERIFY(FixtureFiles::write(dir.filePath(vendorOnly ? "usr/lib/os-release" : "etc/os-release"), osRelease));
        const AppInfoManager info({ dir.path(), dir.path(), dir.filePath(QStringLiteral("etc")),
            dir.filePath(QStringLiteral("usr/lib")), false, 0 });
        QTEST((QStringList { info.systemName(), info.systemVersion() }), "expected");
    }
};

QTEST_GUILESS_MAIN(HardwareReportTest)
#include "HardwareReportTest.moc"
