// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "system/HardwareReport.h"

#include "FixtureFiles.h"
#include "TavloConfig.h"
#include "platform/CpuInfoReader.h"
#include "platform/CpuTopologyReader.h"
#include "platform/DmiReader.h"
#include "platform/DrmConnectorReader.h"
#include "platform/FileSystemStatReader.h"
#include "platform/HostNameSource.h"
#include "platform/SysInfoFile.h"
#include "system/AppInfoManager.h"
#include "system/CommandLineManager.h"
#include "system/CommandRunner.h"
#include "system/DiskUsage.h"
#include "system/HelperProgram.h"
#include "system/HostStatistics.h"
#include "system/ResourceFigures.h"
#include "system/ScriptViewModel.h"
#include "system/Utf8ChunkDecoder.h"

#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <cmath>
#include <limits>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace {
HostStatisticsSource statistics(const QString &name)
{
    return HostStatisticsSource { QStringLiteral(TAVLO_TEST_DATA "/system/") + name + QStringLiteral("/proc") };
}

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

struct Run
{
    QStringList chunks;
    std::optional<int> status;
    bool onMainThread = true;
    bool outputAfterStatus = false;
};

// Starts a run and waits on the event loop until its status arrives.
std::shared_ptr<Run> run(const QString &program, const std::optional<QStringList> &arguments,
    std::chrono::milliseconds timeout = CommandRunner::defaultTimeout)
{
    auto result = std::make_shared<Run>();
    QThread *mainThread = QThread::currentThread();
    CommandLineManager::runCommand(
        program, arguments,
        [result, mainThread](const QString &chunk) {
            result->chunks.append(chunk);
            result->onMainThread = result->onMainThread && QThread::currentThread() == mainThread;
            result->outputAfterStatus = result->outputAfterStatus || result->status.has_value();
        },
        [result, mainThread](int status) {
            result->status = status;
            result->onMainThread = result->onMainThread && QThread::currentThread() == mainThread;
        },
        nullptr, timeout);
    (void)QTest::qWaitFor([&result] { return result->status.has_value(); }, 20000);
    return result;
}

int openDescriptors()
{
    return int(QDir(QStringLiteral("/proc/self/fd")).entryList(QDir::Files | QDir::System).size());
}

// Our children, living or zombie, from each process's parent id in /proc.
QStringList childProcesses()
{
    QStringList children;
    const QString self = QString::number(::getpid());
    for (const QString &pid : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        QFile stat(QStringLiteral("/proc/") + pid + QStringLiteral("/stat"));
        if (!stat.open(QIODevice::ReadOnly))
            continue;
        const QByteArray text = stat.readAll();
        // "pid (comm) state ppid ...": comm may hold spaces, so count from the last ')'.
        const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
        if (fields.size() > 1 && fields.at(1) == self.toLatin1())
            children.append(pid + u' ' + QString::fromLatin1(fields.at(0)));
    }
    return children;
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

    void testFormatSize_data()
    {
        QTest::addColumn<double>("gigabytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("just below one") << 0.999 << "999MB";
        QTest::newRow("exactly one") << 1.0 << "1.00GB";
        QTest::newRow("negative") << -0.25 << "-250MB";
        QTest::newRow("not a number") << std::nan("") << "0MB";
        QTest::newRow("beyond 64-bit megabytes") << -1e17 << "-100000000000000000000MB";
    }
    void testFormatSize()
    {
        QFETCH(double, gigabytes);
        QTEST(formatSize(gigabytes), "text");
    }

    void testTexts_data()
    {
        QTest::addColumn<double>("used");
        QTest::addColumn<double>("free");
        QTest::addColumn<double>("total");
        QTest::addColumn<QStringList>("texts"); // free, total, used, percent
        QTest::addColumn<double>("ratio");
        // The root reserve is neither used nor free: 5 of 100 GB reserved, 45 used, 50 free.
        QTest::newRow("root reserve") << 45e9 << 50e9 << 100e9
                                      << QStringList { "50.00GB", "100.00GB", "45.00GB", "47.37%" } << 45.0 / 95.0;
        QTest::newRow("unreadable") << 0.0 << 0.0 << 0.0 << QStringList { "0MB", "0MB", "0MB", "0.00%" } << 0.0;
    }
    void testTexts()
    {
        QFETCH(double, used);
        QFETCH(double, free);
        QFETCH(double, total);
        const DiskUsage usage = diskUsageFromBytes(used, free, total);
        QTEST((QStringList { usage.freeText, usage.totalText, usage.usedText, usage.percentText }), "texts");
        QTEST(usage.usedRatio, "ratio");
    }

    void testBlocks_data()
    {
        QTest::addColumn<QList<quint64>>("blocks"); // f_blocks, f_bfree, f_bavail, f_frsize
        QTest::addColumn<QList<quint64>>("bytes"); // total, used, available
        QTest::newRow("ext4 with reserve")
            << QList<quint64> { 1000, 300, 250, 4096 } << QList<quint64> { 4096000, 700 * 4096, 250 * 4096 };
        QTest::newRow("more free than blocks")
            << QList<quint64> { 10, 12, 12, 512 } << QList<quint64> { 5120, 0, 6144 };
        QTest::newRow("product beyond 64 bits saturates")
            << QList<quint64> { quint64(1) << 62, 0, 0, 8 } << QList<quint64> { ~quint64(0), ~quint64(0), 0 };
    }
    void testBlocks()
    {
        QFETCH(QList<quint64>, blocks);
        const FileSystemStat stat = FileSystemStatReader::fromBlocks(blocks[0], blocks[1], blocks[2], blocks[3]);
        QTEST((QList<quint64> { stat.totalBytes, stat.usedBytes, stat.availableBytes }), "bytes");
    }

    void testUsedShare_data()
    {
        QTest::addColumn<double>("total");
        QTest::addColumn<double>("free");
        QTest::addColumn<double>("share"); // -1: absent
        QTest::newRow("16 GiB with 4 free") << 16.0 << 4.0 << 0.75;
        QTest::newRow("free above total") << 8.0 << 9.0 << 0.0;
        QTest::newRow("no total") << 0.0 << 0.0 << -1.0;
        QTest::newRow("not a number") << std::nan("") << 1.0 << -1.0;
    }
    void testUsedShare()
    {
        QFETCH(double, total);
        QFETCH(double, free);
        QTEST(memoryUsedShare(total, free).value_or(-1.0), "share");
    }

    void testCpuShares_data()
    {
        QTest::addColumn<CpuLoadTicks>("previous");
        QTest::addColumn<CpuLoadTicks>("current");
        QTest::addColumn<CpuUsage>("expected");
        // Past 2^32 ticks (about 1.4 years of one CPU at 100 Hz) 32-bit counters would wrap.
        QTest::newRow("beyond 32 bits") << CpuLoadTicks { 0x1'0000'0000ULL, 0x2'0000'0000ULL, 0x3'0000'0000ULL, 0 }
                                        << CpuLoadTicks { 0x1'0000'0030ULL, 0x2'0000'0010ULL, 0x3'0000'0040ULL, 0 }
                                        << CpuUsage { 12.5, 37.5, 50, 0 };
        QTest::newRow("counter went back")
            << CpuLoadTicks { 100, 100, 100, 100 } << CpuLoadTicks { 50, 110, 130, 100 } << CpuUsage { 25, 0, 75, 0 };
    }
    void testCpuShares()
    {
        QFETCH(CpuLoadTicks, previous);
        QFETCH(CpuLoadTicks, current);
        QFETCH(CpuUsage, expected);
        const CpuUsage usage = cpuUsageBetween(previous, current);
        const QList<double> actual { usage.system, usage.user, usage.idle, usage.nice };
        QCOMPARE(actual, (QList<double> { expected.system, expected.user, expected.idle, expected.nice }));
    }

    // The first line of /proc/stat folded into the four states: iowait is idle time; irq,
    // softirq and steal are busy, counted with the system share.
    void testProcStat_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QList<quint64>>("states"); // user, system, idle, nice; empty: refused
        QTest::newRow("each state folds")
            << QByteArray("cpu  1 2 30 400 5000 60000 700000 8000000 0 0\n") << QList<quint64> { 1, 8760030, 5400, 2 };
        QTest::newRow("too few fields") << QByteArray("cpu  1 2 3\n") << QList<quint64> {};
        QTest::newRow("overflowing value") << QByteArray("cpu  99999999999999999999 2 3 4\n") << QList<quint64> {};
    }
    void testProcStat()
    {
        QFETCH(QByteArray, text);
        QTemporaryDir proc;
        QVERIFY(FixtureFiles::write(proc.filePath("stat"), text));
        const auto ticks = hostCpuLoadInfo({ proc.path() });
        const QList<quint64> states
            = ticks ? QList<quint64> { ticks->user, ticks->system, ticks->idle, ticks->nice } : QList<quint64> {};
        QTEST(states, "states");
    }

    void testFreeMemory_data()
    {
        QTest::addColumn<QByteArray>("meminfo");
        QTest::addColumn<qint64>("freeBytes"); // -1: absent
        QTest::newRow("MemAvailable") << QByteArray("MemTotal: 1000 kB\nMemFree: 100 kB\nMemAvailable: 600 kB\n"
                                                    "Buffers: 10 kB\nCached: 300 kB\n")
                                      << qint64(600 * 1024);
        QTest::newRow("before 3.14") << QByteArray(
            "MemTotal: 1000 kB\nMemFree: 100 kB\nBuffers: 10 kB\nCached: 300 kB\n")
                                     << qint64(410 * 1024);
        QTest::newRow("value without unit ignored")
            << QByteArray("MemTotal: 1000 kB\nMemAvailable: 600\nMemFree: 5 kB\n") << qint64(5 * 1024);
    }
    void testFreeMemory()
    {
        QFETCH(QByteArray, meminfo);
        QTemporaryDir dir;
        QVERIFY(FixtureFiles::write(dir.filePath(QStringLiteral("proc/meminfo")), meminfo));
        const auto vm = hostVmStatistics(HostStatisticsSource { dir.filePath(QStringLiteral("proc")) });
        QTEST(vm ? qint64(vm->freeBytes) : qint64(-1), "freeBytes");
    }

    // The laptop's figures are the panel's below; the board's kernel has no Zswapped line.
    void testZswap()
    {
        QVERIFY(memoryUsage(statistics(QStringLiteral("laptop"))).value().compressed);
        const HostStatisticsSource board = statistics(QStringLiteral("arm-board"));
        const auto usage = memoryUsage(board);
        QVERIFY(usage && !usage->compressed);
        QCOMPARE(
            (QStringList { memoryPercentText(board), formatSize(usage->free) }), (QStringList { "19.90%", "2.97GB" }));
    }

    void testPanelRefresh()
    {
        CpuLoadTicks previous;
        const ResourceFigures figures
            = readResourceFigures(previous, statistics(QStringLiteral("laptop")), QStringLiteral(TAVLO_TEST_DATA));
        const QStringList memory { figures.memoryPercent, figures.memoryFree, figures.memoryUsed, figures.memoryTotal };
        QCOMPARE(memory, (QStringList { "34.64%", "10.01GB", "5.31GB", "15.32GB" }));
        // Since boot on the fixture's counters: user 1462348 of 13652680 ticks (iowait is idle, softirq system).
        QCOMPARE(figures.cpuUser, QStringLiteral("10.71%"));
        // The fixture's counters stand still: the next interval has no ticks and zero shares, not NaN.
        const auto interval = cpuUsage(previous, statistics(QStringLiteral("laptop")));
        QVERIFY(interval);
        QCOMPARE(interval->user + interval->system + interval->idle + interval->nice, 0.0);

        const quint64 idleBefore = previous.idle;
        const ResourceFigures unreadable
            = readResourceFigures(previous, HostStatisticsSource { QStringLiteral("/none") }, QStringLiteral("/none"));
        QCOMPARE(unreadable.memoryPercent, QString());
        QCOMPARE(unreadable.cpuUser, QString());
        QCOMPARE(unreadable.disk.percentText, QStringLiteral("0.00%"));
        QCOMPARE(previous.idle, idleBefore); // an unreadable /proc leaves the last ticks alone
    }

    void initTestCase()
    {
        qputenv("PATH", "/somewhere/else");
        qputenv("TAVLO_RUNNER_MARK", "kept");
    }
    void cleanup() { QVERIFY(CommandRunner::waitForRuns(std::chrono::seconds(20))); }

    void testRuns_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("output");
        QTest::addColumn<int>("status");
        QTest::newRow("exit status") << "/bin/sh" << QStringList { "-c", "echo out; exit 3" } << "out\n" << 3;
        QTest::newRow("ended by a signal") << "/bin/sh" << QStringList { "-c", "kill -TERM $$" } << "" << 128 + 15;
        QTest::newRow("arguments are not a shell line")
            << "/bin/echo" << QStringList { "$HOME;", "`id`", "a b" } << "$HOME; `id` a b\n"
            << 0;
        QTest::newRow("standard input is empty") << "/bin/cat" << QStringList() << "" << 0;
        // The child gets a PATH of its own and the rest of our environment (initTestCase).
        QTest::newRow("environment") << "/usr/bin/printenv" << QStringList { "PATH", "TAVLO_RUNNER_MARK" }
                                     << QLatin1String(CommandRunner::fixedPath) + "\nkept\n"
                                     << 0;
        // A program that cannot start says nothing and fails with a status of its own.
        const QString script = m_dir.filePath(QStringLiteral("not-executable"));
        QVERIFY(FixtureFiles::write(script, "#!/bin/sh\necho should not run\n"));
        for (const QString &program : { QStringLiteral("/nonexistent/program"), QStringLiteral("/tmp"), script })
            QTest::addRow("cannot start %s", qPrintable(program))
                << program << QStringList { "x" } << "" << CommandRunner::failedToStartStatus;
    }
    void testRuns()
    {
        QFETCH(QString, program);
        QFETCH(QStringList, arguments);
        QFETCH(QString, output);
        QFETCH(int, status);
        const auto result = run(program, arguments);
        QCOMPARE(result->status, std::optional<int>(status));
        QCOMPARE(result->chunks.join(QString()), output);
        if (output.isEmpty())
            QVERIFY(result->chunks.isEmpty());
        QVERIFY(result->onMainThread);
        QVERIFY(!result->outputAfterStatus);
    }

    // The grandchild prints its id; the time-out must end it too, wherever it went.
    void testTimeoutEndsTheWholeRun_data()
    {
        QTest::addColumn<QString>("script");
        QTest::newRow("child sleeps") << "echo $$; exec sleep 30";
        QTest::newRow("grandchild in the child's group") << "sleep 30 & echo $!; exit 0";
        QTest::newRow("grandchild in a session of its own") << "setsid sleep 30 & echo $!; exit 0";
    }
    void testTimeoutEndsTheWholeRun()
    {
        QFETCH(QString, script);
        QElapsedTimer clock;
        clock.start();
        const auto result
            = run(QStringLiteral("/bin/sh"), QStringList { "-c", script }, std::chrono::milliseconds(500));
        QVERIFY2(clock.elapsed() < 5000, qPrintable(QString::number(clock.elapsed())));
        QVERIFY(result->status.has_value());
        const QString pid = result->chunks.join(QString()).trimmed();
        QVERIFY(pid.toInt() > 0);
        // Gone, or a zombie left for init to reap.
        const auto alive = [&pid] {
            const QByteArray stat = FixtureFiles::read(QStringLiteral("/proc/") + pid + QStringLiteral("/stat"));
            return !stat.isEmpty() && !stat.contains(") Z ");
        };
        QTRY_VERIFY_WITH_TIMEOUT(!alive(), 5000);
        QVERIFY(childProcesses().isEmpty());
    }

    // What a run keeps is bounded, however much the program writes.
    void testBoundedOutput_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<qsizetype>("bound");
        QTest::newRow("one endless line") << "head -c 30000000 /dev/zero | tr '\\0' x" << CommandRunner::maxLineLength;
        QTest::newRow("endless lines") << "head -c 30000000 /dev/zero | tr '\\0' '\\n'"
                                       << CommandRunner::maxOutputLength;
    }
    void testBoundedOutput()
    {
        QFETCH(QString, script);
        QFETCH(qsizetype, bound);
        const auto result = run(QStringLiteral("/bin/sh"), QStringList { "-c", script });
        QCOMPARE(result->status, std::optional<int>(0));
        qsizetype total = 0;
        for (const QString &chunk : std::as_const(result->chunks))
            total += chunk.size();
        QVERIFY(total > 0);
        QVERIFY2(total <= bound, qPrintable(QString::number(total)));
    }

    void testNoZombieNoLeakedDescriptor()
    {
        // Warm up the pool's threads and the runner's statics before counting.
        run(QStringLiteral("/bin/true"), std::nullopt);
        QVERIFY(CommandRunner::waitForRuns(std::chrono::seconds(10)));
        const int descriptorsBefore = openDescriptors();
        int finished = 0;
        auto count = [&finished](int) { ++finished; };
        for (int i = 0; i < 3; ++i) {
            CommandRunner::runCommand(QStringLiteral("/bin/echo"), QStringList { "x" }, nullptr, count);
            CommandRunner::runCommand(QStringLiteral("/nonexistent"), std::nullopt, nullptr, count);
            CommandRunner::runCommand(QStringLiteral("/bin/sh"), QStringList { "-c", "exit 1" }, nullptr, count);
        }
        CommandRunner::runCommand(QStringLiteral("/bin/sleep"), QStringList { "30" }, nullptr, count, nullptr,
            std::chrono::milliseconds(200));
        QTRY_COMPARE_WITH_TIMEOUT(finished, 10, 20000);
        QVERIFY(CommandRunner::waitForRuns(std::chrono::seconds(10)));
        QCOMPARE(childProcesses(), QStringList());
        QVERIFY(openDescriptors() <= descriptorsBefore);
    }

    void testContextGoneBeforeDelivery()
    {
        auto *context = new QObject;
        bool called = false;
        CommandRunner::runCommand(
            QStringLiteral("/bin/sh"), QStringList { "-c", "sleep 0.2; echo late" },
            [&called](const QString &) { called = true; }, [&called](int) { called = true; }, context);
        delete context;
        QVERIFY(CommandRunner::waitForRuns(std::chrono::seconds(10)));
        QCoreApplication::processEvents();
        QVERIFY(!called);
    }

    // The hardware report: its program, the model reading it, and the decoding between.
    void testChunks_data()
    {
        QTest::addColumn<QStringList>("chunks");
        QTest::addColumn<QStringList>("expected"); // resolution, deviceID, coreNum, coreTotal, SerialNumber
        const QString unknown = QStringLiteral("unkown");
        QTest::newRow("label without value") << QStringList { "Hardware:\n      Hardware UUID:\n" }
                                             << QStringList { unknown, unknown, unknown, unknown, unknown };
        QTest::newRow("colon inside a value") << QStringList { "Hardware:\n  Serial Number (system): AB:CD:EF\n" }
                                              << QStringList { unknown, unknown, unknown, unknown, "AB:CD:EF" };
        QTest::newRow("line cut between chunks") << QStringList { "Hardware:\n  Total Number of Cores: 4\n  Serial Num",
            "ber (system): PF2X", "K7QM\n  Hardware UUID: 4C4C" }
                                                 << QStringList { unknown, "4C4C", unknown, "4", "PF2XK7QM" };
        // Names that mention a label are values of other lines, never the labelled value.
        QTest::newRow("label inside a value") << QStringList {
            "Graphics/Displays:\n  Resolution: 800 x 600\nHardware:\n"
            "  Processor Name: Intel Resolution 640 x 480 CPU\n  Model Name: Total Number of Cores: 9\n"
        } << QStringList { "800 x 600", unknown, unknown, unknown, unknown };
        QTest::newRow("label in another section") << QStringList { "Hardware:\n  Resolution: 1 x 1\n" }
                                                  << QStringList { unknown, unknown, unknown, unknown, unknown };
    }
    void testChunks()
    {
        QFETCH(QStringList, chunks);
        ScriptViewModel model(QString(), {});
        for (const QString &chunk : std::as_const(chunks))
            model.readChunk(chunk);
        model.reportFinished();
        QTEST((QStringList {
                  model.resolution(), model.deviceID(), model.coreNum(), model.coreTotal(), model.serialNumber() }),
            "expected");
    }

    // Wherever a report is cut into pieces, the decoded text is the same as whole.
    void testDecodingIgnoresSplits_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("mark at the start is dropped") << QByteArray("\xef\xbb\xbf"
                                                                    "a")
                                                      << "a";
        QTest::newRow("mark inside is kept") << QByteArray("a\xef\xbb\xbf") << "a\ufeff";
        QTest::newRow("invalid byte") << QByteArray("a\xff"
                                                    "b\n")
                                      << "a\ufffdb\n";
    }
    void testDecodingIgnoresSplits()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        for (qsizetype cut = 0; cut <= bytes.size(); ++cut) {
            Utf8ChunkDecoder decoder;
            QString decoded = decoder.decode(bytes.left(cut));
            decoded += decoder.decode(bytes.mid(cut));
            QCOMPARE(decoded + decoder.finish(), text);
        }
    }

    // The resource panel reads the hardware report by position: the model name on the third
    // non-empty line, the processor name on the fifth, the speed on the sixth, at least seven
    // lines. "unkown" only where the machine truly has nothing to say.
    void testReportProgram_data()
    {
        QTest::addColumn<QString>("root");
        // What the machines' overviews hold or lack is the hardware report test's.
        QTest::newRow("this machine") << QString();
        QTest::newRow("virtual machine without firmware tables") << QStringLiteral(TAVLO_TEST_DATA "/system/vm-nodmi");
    }
    void testReportProgram()
    {
        QFETCH(QString, root);
        QStringList arguments { QStringLiteral("SPHardwareDataType"), QStringLiteral("SPDisplaysDataType") };
        if (!root.isEmpty())
            arguments = QStringList { QStringLiteral("--root"), root } + arguments;
        const auto result = run(ScriptViewModel::reportProgram(), arguments);
        QCOMPARE(result->status, std::optional<int>(0));
        const QStringList lines = result->chunks.join(QString()).split(u'\n', Qt::SkipEmptyParts);
        QVERIFY(lines.size() >= 7);
        QCOMPARE(lines.at(0).trimmed(), QStringLiteral("Hardware:"));
        QCOMPARE(lines.at(1).trimmed(), QStringLiteral("Hardware Overview:"));
        QVERIFY(lines.at(2).trimmed().startsWith(QLatin1String("Model Name: ")));
        QVERIFY(lines.at(4).trimmed().startsWith(QLatin1String("Processor Name: ")));
        QVERIFY(lines.at(5).trimmed().startsWith(QLatin1String("Processor Speed: ")));
    }

    // An installed tavlo finds its helpers in ../libexec/tavlo beside itself, wherever the prefix is.
    void testInstalledHelper()
    {
        QTemporaryDir prefix;
        const QString bin = prefix.filePath(QStringLiteral("bin"));
        const QString helpers = QDir::cleanPath(bin + u'/' + QStringLiteral(TAVLO_LIBEXEC_FROM_BINDIR));
        QVERIFY(QDir().mkpath(bin) && QDir().mkpath(helpers));
        QFile helper(helpers + QStringLiteral("/system_profiler"));
        QVERIFY(helper.open(QIODevice::WriteOnly));
        helper.close();
        const QString configured = QStringLiteral(TAVLO_LIBEXEC_INSTALL_DIR "/system_profiler");
        // A file that cannot run is not taken for the helper.
        QCOMPARE(installedHelperProgramPath(QStringLiteral("system_profiler"), bin), configured);
        QVERIFY(helper.setPermissions(helper.permissions() | QFileDevice::ExeOwner));
        QCOMPARE(installedHelperProgramPath(QStringLiteral("system_profiler"), bin), helper.fileName());
        QCOMPARE(installedHelperProgramPath(QStringLiteral("system_profiler"), QString()), configured);
    }

private:
    QTemporaryDir m_dir;
};

QTEST_GUILESS_MAIN(HardwareReportTest)
#include "HardwareReportTest.moc"
