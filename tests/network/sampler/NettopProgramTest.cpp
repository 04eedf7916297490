// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "network/NettopSample.h"

#include <QProcess>
#include <QTest>

namespace {

const QString laptop = QStringLiteral(TAVLO_TEST_DATA "/network/sampler/laptop");

QString program()
{
    return qEnvironmentVariable("TAVLO_LIBEXEC_DIR") + QStringLiteral("/nettop");
}

QStringList fixtureArguments(const QStringList &arguments)
{
    return QStringList { "--proc-root", laptop + "/proc", "--sys-root", laptop + "/sys" } + arguments;
}

// The report without its time stamps, which differ from run to run.
QString withoutTime(const QString &text)
{
    QStringList result;
    for (const QString &line : text.split(QLatin1Char('\n'), Qt::SkipEmptyParts))
        result.append(line.mid(NettopLayout::timeWidth));
    return result.join(QLatin1Char('\n'));
}

} // namespace

class NettopProgramTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void testOneSample();
    void testClosedReader();
    void testBadArguments_data();
    void testBadArguments();
};

void NettopProgramTest::testOneSample()
{
    const QStringList arguments { "-x", "-t", "wifi", "-t", "wired", "-J", "time,bytes_in,bytes_out", "-P", "-l", "1" };
    QProcess process;
    process.start(program(), fixtureArguments(arguments));
    QVERIFY(process.waitForFinished(5000));
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), 0);
    const QString output = QString::fromLatin1(process.readAllStandardOutput());
    QCOMPARE(output.count(QLatin1Char('\n')), 3);
    const NettopRoots roots { laptop + "/proc", laptop + "/sys" };
    QCOMPARE(withoutTime(output), withoutTime(nettopSample(arguments, roots)));
}

void NettopProgramTest::testClosedReader()
{
    // The reader goes away after one line; the report ends quietly at its next write.
    QProcess shell;
    shell.start(QStringLiteral("/bin/bash"),
        { "-c", "set -o pipefail; \"$0\" \"$@\" | head -n 1 >/dev/null; echo status=$?", program(), "--proc-root",
            laptop + "/proc", "--sys-root", laptop + "/sys", "-x", "-l", "0" });
    QVERIFY(shell.waitForFinished(10000));
    QCOMPARE(shell.readAllStandardOutput().trimmed(), QByteArray("status=0"));
}

void NettopProgramTest::testBadArguments_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("unknown option") << QStringList { "-q" };
    QTest::newRow("root without a value") << QStringList { "--proc-root" };
}

void NettopProgramTest::testBadArguments()
{
    QFETCH(QStringList, arguments);
    QProcess process;
    process.start(program(), arguments);
    QVERIFY(process.waitForFinished(5000));
    QCOMPARE(process.exitCode(), 2);
    QVERIFY(process.readAllStandardOutput().isEmpty());
    QVERIFY(process.readAllStandardError().contains("usage: nettop"));
}

QTEST_GUILESS_MAIN(NettopProgramTest)
#include "NettopProgramTest.moc"
