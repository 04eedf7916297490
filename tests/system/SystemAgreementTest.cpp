// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Our figures next to those of the tools Linux users trust, on this machine.
#include "platform/CpuTopologyReader.h"
#include "platform/FileSystemStatReader.h"
#include "platform/MemInfoReader.h"
#include "system/DiskUsage.h"
#include "system/HardwareReport.h"
#include "system/HostStatistics.h"

#include <QDebug>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QStandardPaths>
#include <QTest>
#include <cmath>

namespace {
QString runTool(const QString &program, const QStringList &arguments, int timeoutMs = 30000)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(timeoutMs) || process.exitCode() != 0)
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The shares of each "%Cpu(s):" line, by top's short names (us, sy, ni, id, wa, hi, si, st).
QList<QHash<QString, double>> topFrames(const QString &output)
{
    QList<QHash<QString, double>> frames;
    static const QRegularExpression field(QStringLiteral("([0-9.]+)\\s*(us|sy|ni|id|wa|hi|si|st)"));
    for (const QString &line : output.split(u'\n')) {
        if (!line.startsWith(QLatin1String("%Cpu(s):")))
            continue;
        QHash<QString, double> shares;
        for (const auto &match : field.globalMatch(line))
            shares.insert(match.captured(2), match.captured(1).toDouble());
        frames.append(shares);
    }
    return frames;
}
} // namespace

class SystemAgreementTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        for (const char *tool : { "top", "free", "df", "nproc", "lscpu" }) {
            if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty())
                QSKIP("procps, coreutils or util-linux missing");
        }
    }

    void testCpuSharesAgreeWithTop()
    {
        // top's second frame covers its one-second delay; our interval brackets top's whole run,
        // which adds its start-up. On a machine others share that is the sampling difference.
        CpuLoadTicks previous;
        QVERIFY(cpuUsage(previous));
        const QString output = runTool(QStringLiteral("top"), { "-b", "-n", "2", "-d", "1" });
        const auto interval = cpuUsage(previous);
        QVERIFY(interval);
        const auto frames = topFrames(output);
        QCOMPARE(frames.size(), 2);
        const QHash<QString, double> &top = frames.at(1);
        // iowait counts as idle, irq, softirq and steal as system.
        const QList<double> theirs { top["us"], top["sy"] + top["hi"] + top["si"] + top["st"], top["ni"],
            top["id"] + top["wa"] };
        const QList<double> ours { interval->user, interval->system, interval->nice, interval->idle };
        QString figures;
        QDebug(&figures) << "ours (us sy ni id)" << ours << "top" << theirs;
        qInfo().noquote() << figures;
        for (int i = 0; i < 4; ++i)
            QVERIFY2(std::abs(ours[i] - theirs[i]) < 20.0, qPrintable(figures));
        QCOMPARE(std::round(interval->user + interval->system + interval->idle + interval->nice), 100.0);
    }

    void testMemoryAgreesWithFree()
    {
        const QString output = runTool(QStringLiteral("free"), { "-b" });
        const auto info = hostBasicInfo();
        const auto vm = hostVmStatistics();
        QVERIFY(info && vm);
        const QStringList memLine = output.split(u'\n')
                                        .filter(QRegularExpression(QStringLiteral("^Mem:")))
                                        .value(0)
                                        .split(u' ', Qt::SkipEmptyParts);
        QCOMPARE(memLine.size(), 7); // Mem: total used free shared buff/cache available
        const double total = memLine.at(1).toDouble();
        const double used = memLine.at(2).toDouble();
        const double available = memLine.at(6).toDouble();
        QCOMPARE(double(info->maxMem), total);
        // Memory moves between the two reads; 64 MiB is plenty for an idle moment.
        constexpr double slack = 64.0 * 1024 * 1024;
        QVERIFY2(std::abs(double(vm->freeBytes) - available) < slack, qPrintable(output));
        QVERIFY2(std::abs(double(info->maxMem - vm->freeBytes) - used) < slack, qPrintable(output));
        const double share = *memoryUsedShare();
        QVERIFY(std::abs(share - used / total) < slack / total + 1e-9);
    }

    void testDiskAgreesWithDf()
    {
        const QString output = runTool(QStringLiteral("df"), { "-B1", "/" });
        const QStringList fields = output.split(u'\n', Qt::SkipEmptyParts).value(1).split(u' ', Qt::SkipEmptyParts);
        QVERIFY(fields.size() >= 6); // Filesystem 1B-blocks Used Available Use% Mounted
        const auto stat = FileSystemStatReader::stat(QStringLiteral("/"));
        QVERIFY(stat);
        QCOMPARE(double(stat->totalBytes), fields.at(1).toDouble());
        constexpr double slack = 64.0 * 1024 * 1024;
        QVERIFY(std::abs(double(stat->usedBytes) - fields.at(2).toDouble()) < slack);
        QVERIFY(std::abs(double(stat->availableBytes) - fields.at(3).toDouble()) < slack);
        // df rounds its percentage up.
        const double dfPercent = fields.at(4).chopped(1).toDouble();
        const DiskUsage usage = diskUsage();
        QVERIFY2(usage.usedRatio * 100 <= dfPercent + 0.01 && usage.usedRatio * 100 > dfPercent - 1.01,
            qPrintable(usage.percentText + u' ' + fields.at(4)));
    }

    void testProcessorsAgreeWithNprocAndLscpu()
    {
        const CpuTopology topology = CpuTopologyReader().read();
        QCOMPARE(int(topology.onlineCpus.size()), runTool(QStringLiteral("nproc"), { "--all" }).trimmed().toInt());

        QSet<QString> cores;
        QSet<QString> sockets;
        for (const QString &line : runTool(QStringLiteral("lscpu"), { "-p=CPU,CORE,SOCKET,ONLINE" }).split(u'\n')) {
            const QStringList fields = line.split(u',');
            if (line.startsWith(u'#') || fields.size() < 4 || fields.at(3) != QLatin1String("Y"))
                continue;
            cores.insert(fields.at(2) + u'/' + fields.at(1));
            sockets.insert(fields.at(2));
        }
        const HardwareOverview overview = HardwareReport().overview();
        QCOMPARE(overview.cores, std::optional<int>(int(cores.size())));
        QCOMPARE(overview.processors, std::optional<int>(int(sockets.size())));
    }
};

QTEST_GUILESS_MAIN(SystemAgreementTest)
#include "SystemAgreementTest.moc"
