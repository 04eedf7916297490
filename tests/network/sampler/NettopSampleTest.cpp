// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "network/NettopSample.h"

#include "FixtureFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QUdpSocket>
#include <sys/stat.h>

namespace {

const QStringList sampleArguments { "-x", "-t", "wifi", "-t", "wired", "-J", "time,bytes_in,bytes_out", "-P", "-l",
    "1" };

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

} // namespace

class NettopSampleTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
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
        QTest::newRow("laptop, wired") << "laptop" << QStringList { "-x", "-t", "wired" }
                                       << QStringList { "enp0s31f6 2814473210 331866544" };
        QTest::newRow("laptop, cellular")
            << "laptop" << QStringList { "-x", "-t", "cell" } << QStringList { "wwan0 1048576 65536" };
        QTest::newRow("laptop, a kind twice") << "laptop" << QStringList { "-x", "-t", "wifi", "-t", "wifi" }
                                              << QStringList { "wlp0s20f3 9372118055 844125907" };
        QTest::newRow("laptop, everything")
            << "laptop" << QStringList { "-x" }
            << QStringList { "lo 48213377 48213377", "enp0s31f6 2814473210 331866544", "wlp0s20f3 9372118055 844125907",
                   "wwan0 1048576 65536", "docker0 51210 8812331", "veth3f2a1c7 53910 8814119" };
        // The bridge carries the second card's traffic again; the tunnel is not Ethernet.
        QTest::newRow("desktop, wifi and wired")
            << "desktop" << sampleArguments
            << QStringList { "enp3s0 70934118226 3318261993", "enp4s0 5123345521 902334110",
                   "wlx503eaa4c2e11 31337041 2210934" };
        // Without the old wireless extensions only phy80211 tells a Wi-Fi interface.
        QTest::newRow("desktop, wifi") << "desktop" << QStringList { "-x", "-t", "wifi" }
                                       << QStringList { "wlx503eaa4c2e11 31337041 2210934" };
        QTest::newRow("20-digit counters, 15-character names")
            << "huge" << sampleArguments
            << QStringList { "enp129s0f1np1 9223372036854775000 18446744073709551615",
                   "wlx00c0ca987654 12345678901234567890 123" };
    }

    void testFixture()
    {
        QFETCH(QString, machine);
        QFETCH(QStringList, arguments);
        QFETCH(QStringList, rows);

        const QString text = nettopSample(arguments, fixture(machine));
        QVERIFY(text.endsWith(QLatin1Char('\n')));
        const QStringList output = lines(text);
        QCOMPARE(output.size(), rows.size() + 1);
        const QString &head = output.first();
        QVERIFY(head.startsWith(QLatin1String("time")));
        QVERIFY(head.endsWith(QLatin1String("bytes_out")));
        static const QRegularExpression time(QStringLiteral("^\\d\\d:\\d\\d:\\d\\d\\.\\d{6}$"));
        for (qsizetype i = 1; i < output.size(); ++i) {
            const QString &line = output.at(i);
            QCOMPARE(line.size(), head.size());
            QVERIFY2(time.match(field(line, 0)).hasMatch(), qPrintable(line));
            QCOMPARE(line.section(QLatin1Char(' '), 1, -1, QString::SectionSkipEmpty).simplified(), rows.at(i - 1));
        }
    }

    void testBadArguments_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("unknown option") << QStringList { "-q" };
        QTest::newRow("unknown kind") << QStringList { "-t", "bluetooth" };
        QTest::newRow("unknown column") << QStringList { "-J", "time,bytes" };
        QTest::newRow("negative count") << QStringList { "-l", "-1" };
        QTest::newRow("zero delay") << QStringList { "-s", "0" };
        QTest::newRow("root without a value") << QStringList { "--proc-root" };
    }

    void testBadArguments()
    {
        QFETCH(QStringList, arguments);
        if (!arguments.startsWith(QStringLiteral("--proc-root"))) {
            QString error;
            QVERIFY(!parseNettopArguments(arguments, &error));
            QVERIFY(!error.isEmpty());
            QVERIFY(nettopSample(arguments, fixture(QStringLiteral("laptop"))).isEmpty());
        }
        QProcess process;
        process.start(program(), arguments);
        QVERIFY(process.waitForFinished(5000));
        QCOMPARE(process.exitCode(), 2);
        QVERIFY(process.readAllStandardOutput().isEmpty());
        QVERIFY(process.readAllStandardError().contains("usage: nettop"));
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
    }

    void testMissingSources()
    {
        // A container without the counters, or without sysfs: the header alone.
        NettopRoots roots { QStringLiteral("/nonexistent/proc"), QStringLiteral("/nonexistent/sys") };
        QCOMPARE(lines(nettopSample(sampleArguments, roots)).size(), 1);
        roots.proc = fixture(QStringLiteral("laptop")).proc;
        QCOMPARE(lines(nettopSample(sampleArguments, roots)).size(), 1);
        QCOMPARE(lines(nettopSample(QStringList { "-x" }, roots)).size(), 7);
    }

    void testMalformedCounters()
    {
        QTemporaryDir proc;
        QByteArray text = FixtureFiles::read(fixture(QStringLiteral("laptop")).proc + QStringLiteral("/net/dev"));
        text += "wlp0s20f3: 12 13\n"; // cut short
        text += "enp0s31f6: 12 x 0 0 0 0 0 0 1 1 0 0 0 0 0 0\n";
        text += ": 1 1 0 0 0 0 0 0 1 1 0 0 0 0 0 0\n";
        text += "enp0s31f6: 99999999999999999999999 1 0 0 0 0 0 0 1 1 0 0 0 0 0 0\n";
        text += QByteArray(5000, 'x') + '\n';
        text += QByteArray("\0\0\0", 3);
        QVERIFY(FixtureFiles::write(proc.filePath(QStringLiteral("net/dev")), text));
        const NettopRoots roots { proc.path(), fixture(QStringLiteral("laptop")).sys };
        const QStringList output = lines(nettopSample(sampleArguments, roots));
        QCOMPARE(output.size(), 3);
        QCOMPARE(field(output.at(1), 1), QStringLiteral("enp0s31f6"));
        QCOMPARE(field(output.at(2), 1), QStringLiteral("wlp0s20f3"));
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

    void testFifoInPlaceOfAFile_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("lines");
        QTest::newRow("counters") << "proc/net/dev" << sampleArguments << 1;
        QTest::newRow("uevent") << "sys/class/net/wwan0/uevent" << QStringList { "-x", "-t", "cell" } << 1;
    }

    void testFifoInPlaceOfAFile()
    {
        QFETCH(QString, file);
        QTemporaryDir copy;
        const NettopRoots roots = copyOfLaptop(copy);
        // The uevent lives behind a symbolic link into devices/; the FIFO goes where it points.
        const QString path = QFileInfo(copy.filePath(file)).canonicalFilePath();
        QVERIFY(QFile::remove(path));
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        QFETCH(QStringList, arguments);
        QTEST(int(lines(nettopSample(arguments, roots)).size()), "lines");
    }

    // On this machine's own /proc and /sys: every counted interface is a real one, and its
    // counters lie between the kernel's statistics read before and after.
    void testRealMachine()
    {
        const QString net = QStringLiteral("/sys/class/net/");
        auto statistic = [&](const QString &name, const char *which) {
            return FixtureFiles::read(net + name + QLatin1String("/statistics/") + QLatin1String(which))
                .trimmed()
                .toULongLong();
        };
        const QStringList before = lines(nettopSample(sampleArguments));
        if (before.size() < 2)
            QSKIP("no counted interface here");
        const QStringList output = lines(nettopSample(sampleArguments));
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

    void testRepeatedSamplesFollowTheKernel()
    {
        // The producer keeps the counters file open; every sample must still be the kernel's
        // latest word. Loopback traffic of our own makes the counters move.
        NettopProducer producer;
        const QStringList loopback { "-x", "-t", "loopback" };
        const QStringList before = lines(producer.sample(loopback));
        if (before.size() != 2)
            QSKIP("no loopback interface here");
        QUdpSocket receiver;
        QVERIFY(receiver.bind(QHostAddress::LocalHost));
        QUdpSocket sender;
        const QByteArray datagram(1000, 'x');
        for (int i = 0; i < 100; ++i)
            QCOMPARE(sender.writeDatagram(datagram, QHostAddress::LocalHost, receiver.localPort()), datagram.size());
        const QStringList after = lines(producer.sample(loopback));
        QCOMPARE(after.size(), 2);
        QVERIFY(field(after.at(1), 2).toULongLong() >= field(before.at(1), 2).toULongLong() + 100 * 1000);
        QVERIFY(field(after.at(1), 3).toULongLong() >= field(before.at(1), 3).toULongLong() + 100 * 1000);
    }
};

QTEST_GUILESS_MAIN(NettopSampleTest)
#include "NettopSampleTest.moc"
