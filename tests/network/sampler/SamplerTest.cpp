// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "FixtureFiles.h"
#include "network/NettopSample.h"
#include "network/NetworkSpeedManager.h"
#include "network/SpeedFormat.h"
#include "network/TitleSink.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMutex>
#include <QProcess>
#include <QSaveFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <atomic>
#include <limits>
#include <memory>
#include <sys/stat.h>
namespace {
const QStringList &sampleArguments = NetworkSpeedManager::sampleArguments();

QString program()
{
    return qEnvironmentVariable("TAVLO_LIBEXEC_DIR") + QStringLiteral("/nettop");
}

NettopRoots fixture(const QString &name)
{
    const QString base = QStringLiteral(TAVLO_TEST_DATA "/network/sampler/") + name;
    return { base + QStringLiteral("/proc"), base + QStringLiteral("/sys") };
}

QStringList lines(const QString &text)
{
    return text.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

QString field(const QString &line, int index)
{
    return line.split(QLatin1Char(' '), Qt::SkipEmptyParts).value(index);
}

// A writable copy of the laptop's trees; cp keeps sysfs's symbolic links, which loop back into
// the tree.
NettopRoots copyOfLaptop(const QTemporaryDir &copy)
{
    const NettopRoots laptop = fixture(QStringLiteral("laptop"));
    if (QProcess::execute(QStringLiteral("cp"), { "-a", laptop.proc, laptop.sys, copy.path() }) != 0)
        return {};
    return { copy.filePath(QStringLiteral("proc")), copy.filePath(QStringLiteral("sys")) };
}

// A title sink that keeps every call, as the panel item would receive them.
class RecordingSink : public TitleSink
{
public:
    struct Title
    {
        QString upload, download;
        QThread *thread = nullptr;
    };

    void updateTitle(const QString &upload, const QString &download) override
    {
        m_inside = true;
        QMutexLocker locker(&m_mutex);
        m_titles.append({ upload, download, QThread::currentThread() });
        locker.unlock();
        QThread::msleep(static_cast<unsigned long>(m_delayNextMs.exchange(0)));
        m_inside = false;
    }

    QList<Title> titles() const
    {
        const QMutexLocker locker(&m_mutex);
        return m_titles;
    }

    // The next call stays inside the sink this long, like a slow receiver.
    void delayNext(int ms) { m_delayNextMs = ms; }
    bool isInside() const { return m_inside; }

private:
    mutable QMutex m_mutex;
    QList<Title> m_titles;
    std::atomic<int> m_delayNextMs { 0 };
    std::atomic<bool> m_inside { false };
};

constexpr int width = 40;

QString header(int lineWidth = width)
{
    const QString tail = QStringLiteral(" bytes_in bytes_out");
    return QStringLiteral("time") + QString(lineWidth - 4 - tail.size(), QLatin1Char(' ')) + tail + QLatin1Char('\n');
}

// A data line of the given width whose last two fields are the two counters.
QString row(const QString &in, const QString &out, int lineWidth = width, const QString &name = QStringLiteral("eth0"))
{
    const QString head = QStringLiteral("11:00:00.000000 ") + name;
    const QString tail = QLatin1Char(' ') + in + QLatin1Char(' ') + out;
    return head + QString(lineWidth - head.size() - tail.size(), QLatin1Char(' ')) + tail + QLatin1Char('\n');
}

QString row(qint64 in, qint64 out, int lineWidth = width)
{
    return row(QString::number(in), QString::number(out), lineWidth);
}

QStringList texts(const QList<RecordingSink::Title> &titles)
{
    QStringList result;
    for (const auto &title : titles)
        result.append(title.upload + QLatin1Char('|') + title.download);
    return result;
}

// <proc>/net/dev as the kernel prints it: "%6s: " and sixteen counters.
QString devLine(const char *name, qint64 in, qint64 out)
{
    return QString::asprintf("%6s: %7lld %7lld %4d %4d %4d %5d %10d %9d %8lld %7lld %4d %4d %4d %5d %7d %10d\n", name,
        in, in / 1000, 0, 0, 0, 0, 0, 0, out, out / 1000, 0, 0, 0, 0, 0, 0);
}

// Every reading comes exactly one interval after the last.
void stepClock(NetworkSpeedManager &manager, std::chrono::milliseconds step = std::chrono::milliseconds(1000))
{
    manager.setClock([now = std::chrono::steady_clock::time_point(), step]() mutable { return now += step; });
}

} // namespace

class SamplerTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        QVERIFY(m_proc.isValid());
        QVERIFY(QDir(m_proc.path()).mkpath(QStringLiteral("net")));
        m_roots.proc = m_proc.path();
        m_roots.sys = QStringLiteral(TAVLO_TEST_DATA "/network/sampler/laptop/sys");
    }

    void testLadder_data()
    {
        QTest::addColumn<qint64>("last");
        QTest::addColumn<qint64>("current");
        QTest::addColumn<QString>("text");
        // Zero below ten bytes, negative differences included, is the fuzz target's.
        constexpr qint64 kilo = 1024;
        constexpr qint64 mega = kilo * 1024;
        constexpr qint64 giga = mega * 1024;
        constexpr auto lowest = std::numeric_limits<qint64>::min();
        constexpr auto highest = std::numeric_limits<qint64>::max();
        QTest::newRow("10 bytes") << qint64(0) << qint64(10) << "10  b/s";
        QTest::newRow("kilo tier starts at 1000") << qint64(0) << qint64(1000) << "0.98 Kb/s";
        QTest::newRow("two decimals only when needed") << qint64(0) << qint64(1126) << "1.1 Kb/s";
        QTest::newRow("half rounds away from zero") << qint64(0) << qint64(1152) << "1.13 Kb/s";
        QTest::newRow("rounds up into 100") << qint64(0) << qint64(102396) << "100.0 Kb/s";
        QTest::newRow("one decimal from 100, half away") << qint64(0) << qint64(102656) << "100.3 Kb/s";
        QTest::newRow("mega tier starts at 1000 kilo") << qint64(0) << qint64(1000 * kilo) << "0.98 Mb/s";
        QTest::newRow("giga tier starts at 1000 mega") << qint64(0) << qint64(1000 * mega) << "0.98 Gb/s";
        QTest::newRow("max tier starts at 1000 giga") << qint64(0) << qint64(1000 * giga) << "max /s";
        // Totals so far apart that their difference does not fit 64 bits either way.
        QTest::newRow("difference overflows") << lowest << highest << "max /s";
    }

    void testLadder()
    {
        QFETCH(qint64, last);
        QFETCH(qint64, current);
        QFETCH(QString, text);
        QCOMPARE(formatSpeed(last, current), text);
    }

    void testParse_data()
    {
        QTest::addColumn<int>("intervalMs"); // between two readings
        QTest::addColumn<QStringList>("outputs");
        QTest::addColumn<QStringList>("titles");
        const auto add
            = [](const char *name, int intervalMs = 1000) -> QTestData & { return QTest::newRow(name) << intervalMs; };
        const QString h = header();
        add("sums every data line") << QStringList { h + row(3000, 50) + row(2000, 50),
            h + row(4000, 80) + row(3048, 70) }
                                    << QStringList { "50  b/s|2.0 Kb/s" };
        add("line one longer than the header is ignored")
            << QStringList { h + row(5000, 100), h + row(7048, 100) + row(999999, 999, width + 1) }
            << QStringList { "0  b/s|2.0 Kb/s" };
        // The cut header is carried and glued to the next header, which then measures every
        // data line of that output as too short: that run counts nothing, the next one
        // compares with the last run that did, two seconds before.
        add("cut header at the end is carried") << QStringList { h + row(5000, 100) + "time   by", h + row(7048, 100),
            h + row(8072, 200) } << QStringList { "50  b/s|1.5 Kb/s" };
        add("cut header in the middle is dropped")
            << QStringList { h + row(5000, 100), "time   by\n" + row(6024, 100) } << QStringList { "0  b/s|1.0 Kb/s" };
        add("header length changes between outputs") << QStringList { h + row(5000, 100),
            header(60) + row(6024, 300, 60) } << QStringList { "200  b/s|1.0 Kb/s" };
        const QString split = row(1000, 1);
        add("carried data line completed by the next output") << QStringList { h + row(5000, 100) + split.left(10),
            split.mid(10) + h + row(6024, 200) } << QStringList { "101  b/s|1.98 Kb/s" };
        add("zero totals suppress publishing") << QStringList { h + row(5000, 0), h + row(6000, 100),
            h + row(7024, 200) } << QStringList { "100  b/s|1.0 Kb/s" };
        // Empty, header-only and blank runs measure nothing: the title stays, the totals too,
        // and the next difference spans the four seconds since.
        add("a run that measures nothing leaves the title") << QStringList { h + row(5000, 100), h + row(6024, 100),
            QString(), h, "\n\n", h + row(8072, 100) } << QStringList { "0  b/s|1.0 Kb/s", "0  b/s|512  b/s" };
        // e + U+0301 is one character on screen and two UTF-16 units.
        const QString accented
            = row(QStringLiteral("7048"), QStringLiteral("100"), width + 1, QStringLiteral("we\u0301th"));
        add("width counts user-perceived characters")
            << QStringList { h + row(5000, 100), h + accented } << QStringList { "0  b/s|2.0 Kb/s" };
        // The difference is shown per second of the time that really passed: 11469 bytes in 1.12 s.
        add("a late reading is scaled", 1120)
            << QStringList { h + row(5000, 100), h + row(16469, 100) } << QStringList { "0  b/s|10.0 Kb/s" };
    }

    void testParse()
    {
        QFETCH(int, intervalMs);
        QFETCH(QStringList, outputs);
        QFETCH(QStringList, titles);
        RecordingSink sink;
        NetworkSpeedManager manager(&sink);
        stepClock(manager, std::chrono::milliseconds(intervalMs));
        for (const QString &output : outputs)
            manager.parseOutput(output);
        QCOMPARE(texts(sink.titles()), titles);
    }

    // Starts and stops, repeated or in quick turns: one worker thread, only the counted
    // interfaces, a stop that waits for the tick in progress, and no difference taken across a
    // stop. Destroyed while running, the manager ends its thread before the sink goes.
    void testSamplingLifecycle()
    {
        using namespace std::chrono_literals;
        writeCounters(2814473210, 331866544, 9372118055, 844125907, 0);
        RecordingSink sink;
        NetworkSpeedManager manager(&sink, nullptr, m_roots, 20ms);
        stepClock(manager, 20ms);
        QSignalSpy samplingChanged(&manager, &NetworkSpeedManager::samplingChanged);
        manager.startSampling();
        manager.startSampling();
        QCOMPARE(samplingChanged.size(), 1);
        // Unchanged counters: every tick after the seeding one shows the zero rate.
        QTRY_VERIFY_WITH_TIMEOUT(sink.titles().size() >= 2, 5000);
        for (const auto &title : sink.titles())
            QVERIFY(title.thread != QThread::currentThread());
        // 1024 more bytes out and 2048 more in over both counted interfaces; the others move
        // gigabytes that must not show.
        qsizetype seen = sink.titles().size();
        writeCounters(2814473210 + 1024, 331866544 + 512, 9372118055 + 1024, 844125907 + 512, 5000000000);
        QTRY_VERIFY_WITH_TIMEOUT(texts(sink.titles().mid(seen)).contains("1.0 Kb/s|2.0 Kb/s"), 5000);
        QVERIFY(!texts(sink.titles()).join(' ').contains("Mb/s"));

        // A slow sink: the stop returns only once the call in progress has.
        sink.delayNext(300);
        QTRY_VERIFY_WITH_TIMEOUT(sink.isInside(), 5000);
        manager.stopSampling();
        QVERIFY(!sink.isInside());
        manager.stopSampling();
        QCOMPARE(samplingChanged.size(), 2);

        // The counters only move while the sampler is stopped, so any rate but zero would be a
        // difference taken across a stop.
        seen = sink.titles().size();
        for (int i = 0; i < 40; ++i) {
            writeCounters(1000000 + i * 50000000LL, 1000000 + i * 1000000LL, 1000000, 1000000, 0);
            manager.startSampling();
            if (i % 4 == 0)
                QTRY_VERIFY_WITH_TIMEOUT(sink.titles().size() > seen, 5000);
            seen = sink.titles().size();
            manager.stopSampling();
        }
        manager.startSampling();
        QTRY_VERIFY_WITH_TIMEOUT(sink.titles().size() >= seen + 2, 5000);
        const QStringList all = texts(sink.titles());
        QCOMPARE(all.count(QStringLiteral("0  b/s|0  b/s")), all.size() - 1);
    }

    // The nettop sample the manager reads, and the program that prints it.
    void testFixture_data()
    {
        QTest::addColumn<QString>("machine");
        QTest::addColumn<QStringList>("arguments");
        // Interface name, bytes in, bytes out, in the order of <proc>/net/dev.
        QTest::addColumn<QStringList>("rows");

        QTest::newRow("laptop, wifi and wired")
            << "laptop" << sampleArguments
            << QStringList { "enp0s31f6 2814473210 331866544", "wlp0s20f3 9372118055 844125907" };
        // The Ethernet-typed modem, Docker's bridge and its veth are not wired.
        QTest::newRow("laptop, cellular")
            << "laptop" << QStringList { "-x", "-t", "cell" } << QStringList { "wwan0 1048576 65536" };
        // The bridge carries the second card's traffic again; the tunnel is not Ethernet.
        QTest::newRow("desktop, wifi and wired")
            << "desktop" << sampleArguments
            << QStringList { "enp3s0 70934118226 3318261993", "enp4s0 5123345521 902334110",
                   "wlx503eaa4c2e11 31337041 2210934" };
    }

    void testFixture()
    {
        QFETCH(QString, machine);
        QFETCH(QStringList, arguments);
        QFETCH(QStringList, rows);

        // The layout of the lines, whatever the counters, is the net/dev fuzz target's.
        const QStringList output = lines(nettopSample(arguments, fixture(machine)));
        QCOMPARE(output.size(), rows.size() + 1);
        for (qsizetype i = 1; i < output.size(); ++i)
            QCOMPARE(
                output.at(i).section(QLatin1Char(' '), 1, -1, QString::SectionSkipEmpty).simplified(), rows.at(i - 1));

        // A tick takes the totals without the report: they are what a reader adds up from its lines.
        QList<qint64> expected { 0, 0, rows.size() };
        for (const QString &row : rows)
            expected
                = { expected[0] + field(row, 1).toLongLong(), expected[1] + field(row, 2).toLongLong(), expected[2] };
        const NettopTotals totals = NettopProducer(fixture(machine)).totals(*parseNettopArguments(arguments));
        QCOMPARE((QList<qint64> { totals.bytesIn, totals.bytesOut, totals.interfaces }), expected);
    }

    // The program prints what the library samples, and ends quietly when its reader goes away.
    void testProgram()
    {
        const NettopRoots laptop = fixture(QStringLiteral("laptop"));
        const QStringList roots { "--proc-root", laptop.proc, "--sys-root", laptop.sys };
        QProcess process;
        process.start(program(), roots + sampleArguments);
        QVERIFY(process.waitForFinished(5000));
        QCOMPARE(process.exitCode(), 0);
        // Time stamps differ from run to run.
        const auto withoutTime = [](const QString &text) {
            QStringList result;
            for (const QString &line : lines(text))
                result.append(line.mid(NettopLayout::timeWidth));
            return result;
        };
        QCOMPARE(withoutTime(QString::fromLatin1(process.readAllStandardOutput())),
            withoutTime(nettopSample(sampleArguments, laptop)));

        QProcess shell;
        shell.start(QStringLiteral("/bin/bash"),
            QStringList { "-c", "set -o pipefail; \"$0\" \"$@\" | head -n 1 >/dev/null; echo status=$?", program() }
                + roots + QStringList { "-x", "-l", "0" });
        QVERIFY(shell.waitForFinished(10000));
        QCOMPARE(shell.readAllStandardOutput().trimmed(), QByteArray("status=0"));

        // A bad option: the usage on standard error, nothing sampled, status 2.
        process.start(program(), { "-q" });
        QVERIFY(process.waitForFinished(5000));
        QCOMPARE(process.exitCode(), 2);
        QVERIFY(process.readAllStandardOutput().isEmpty());
        QVERIFY(process.readAllStandardError().contains("usage: nettop"));
    }

    void testKindsRememberedWhileNamesStay()
    {
        QTemporaryDir copy;
        const NettopRoots roots = copyOfLaptop(copy);
        NettopProducer producer(roots);
        QCOMPARE(lines(producer.sample(sampleArguments)).size(), 3);

        // Same names: what sysfs said is remembered, so the interfaces still count without it.
        QVERIFY(QDir(roots.sys).removeRecursively());
        QCOMPARE(lines(producer.sample(sampleArguments)).size(), 3);

        // A renamed interface changes the list of names, and every fact is read again.
        const QString devPath = roots.proc + QStringLiteral("/net/dev");
        QByteArray dev = FixtureFiles::read(devPath);
        QVERIFY(FixtureFiles::write(devPath, dev.replace("wwan0:", "wwan1:")));
        QCOMPARE(lines(producer.sample(sampleArguments)).size(), 1);
    }

    // An interface replaced by another kind under the same name between two ticks keeps its
    // old kind for a while, but not past half a minute.
    void testSameNameOtherKind()
    {
        using namespace std::chrono_literals;
        QTemporaryDir copy;
        const NettopRoots roots = copyOfLaptop(copy);
        NettopProducer producer(roots);
        const NettopOptions options = *parseNettopArguments(sampleArguments);
        const auto start = std::chrono::steady_clock::now();
        QCOMPARE(producer.totals(options, start).interfaces, 2);
        const QString wifi = roots.sys + QStringLiteral("/class/net/wlp0s20f3");
        QVERIFY(QFile::remove(wifi) && QFile::link(QStringLiteral("../../devices/virtual/net/docker0"), wifi));
        QCOMPARE(producer.totals(options, start + 1s).interfaces, 2);
        QCOMPARE(producer.totals(options, start + 31s).interfaces, 1);
    }

    // A container without the counters or without sysfs, and a FIFO where a file should be:
    // the header alone, at once.
    void testDamagedTree_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("fifo"); // or else missing
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("lines");
        QTest::newRow("counters a FIFO") << "proc/net/dev" << true << sampleArguments << 1;
        QTest::newRow("uevent a FIFO") << "sys/class/net/wwan0/uevent" << true << QStringList { "-x", "-t", "cell" }
                                       << 1;
        QTest::newRow("no sysfs, every interface") << "sys" << false << QStringList { "-x" } << 7;
    }

    void testDamagedTree()
    {
        QFETCH(QString, file);
        QFETCH(bool, fifo);
        QTemporaryDir copy;
        const NettopRoots roots = copyOfLaptop(copy);
        // The uevent lives behind a symbolic link into devices/; the FIFO goes where it points.
        const QString path = QFileInfo(copy.filePath(file)).canonicalFilePath();
        QVERIFY(QFile::remove(path) || QDir(path).removeRecursively());
        if (fifo)
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        QFETCH(QStringList, arguments);
        QTEST(int(lines(nettopSample(arguments, roots)).size()), "lines");
    }

    // On this machine's own /proc and /sys: every counted interface is a real one, and its
    // counters lie between the kernel's statistics read before and after. The producer keeps
    // the counters file open, yet every sample must be the kernel's latest word.
    void testRealMachine()
    {
        const QString net = QStringLiteral("/sys/class/net/");
        auto statistic = [&](const QString &name, const char *which) {
            return FixtureFiles::read(net + name + QLatin1String("/statistics/") + QLatin1String(which))
                .trimmed()
                .toULongLong();
        };
        NettopProducer producer;
        const QStringList before = lines(producer.sample(sampleArguments));
        if (before.size() < 2)
            QSKIP("no counted interface here");
        const QStringList output = lines(producer.sample(sampleArguments));
        for (qsizetype i = 1; i < output.size(); ++i) {
            const QString name = field(output.at(i), 1);
            QVERIFY2(QFileInfo::exists(net + name + QStringLiteral("/device"))
                    || QFileInfo::exists(net + name + QStringLiteral("/phy80211")),
                qPrintable(name));
            QVERIFY(field(output.at(i), 2).toULongLong() <= statistic(name, "rx_bytes"));
            QVERIFY(field(output.at(i), 3).toULongLong() <= statistic(name, "tx_bytes"));
            QCOMPARE(field(before.value(i), 1), name);
            QVERIFY(field(output.at(i), 2).toULongLong() >= field(before.at(i), 2).toULongLong());
        }
    }

private:
    // Rewrites the fixture's counters atomically, as the kernel's view changes in one go.
    void writeCounters(qint64 wiredIn, qint64 wiredOut, qint64 wifiIn, qint64 wifiOut, qint64 noise)
    {
        QString text = QStringLiteral("Inter-|   Receive |  Transmit\n face |bytes |bytes\n");
        // Loopback, the modem, the Docker bridge and its veth move bytes too, but none of them
        // is a Wi-Fi or wired interface: the rates must not see them.
        text += devLine("lo", 48213377 + noise, 48213377 + noise);
        text += devLine("enp0s31f6", wiredIn, wiredOut);
        text += devLine("wlp0s20f3", wifiIn, wifiOut);
        text += devLine("wwan0", 1048576 + noise, 65536 + noise);
        text += devLine("docker0", 51210 + noise, 8812331 + noise);
        text += devLine("veth3f2a1c7", 53910 + noise, 8814119 + noise);
        QSaveFile file(m_proc.filePath(QStringLiteral("net/dev")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(text.toLatin1());
        QVERIFY(file.commit());
    }

    QTemporaryDir m_proc;
    NettopRoots m_roots;
};

QTEST_GUILESS_MAIN(SamplerTest)
#include "SamplerTest.moc"
