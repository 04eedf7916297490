// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "FixtureFiles.h"
#include "preferences/PreferenceManager.h"

#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <cstdio>

namespace {
// Writes preferences into the folder as fast as it can until it is killed; says "ready" once the
// first write is on disk.
int writeUntilKilled(const QString &folder)
{
    PreferenceManager preferences(folder, QLocale(QLocale::English));
    for (qint64 round = 0;; ++round) {
        // Values of changing length, so a torn write could not pass for a whole file.
        preferences.setSetAppThemeMode(QString(int(round % 40) + 1, QLatin1Char('x')));
        preferences.setSetShowIPAddress(round % 2 == 0);
        preferences.setWindowFrame(QStringLiteral("AboutView"), QRect(int(round % 1000), 0, 400, 320));
        if (round == 0) {
            std::printf("ready\n");
            std::fflush(stdout);
        }
        // Drop the queued change signals now and then so memory stays flat.
        if (round % 64 == 0)
            QCoreApplication::processEvents();
    }
}
} // namespace

// SIGKILL in the middle of a stream of writes must leave a whole, readable file every time.
class TestPreferenceKill : public QObject
{
    Q_OBJECT

private slots:
    void testKillDuringWritesLeavesReadableFile()
    {
        QTemporaryDir dir;
        QRandomGenerator random(20260101);
        constexpr int kRuns = 150;
        for (int run = 0; run < kRuns; ++run) {
            QProcess process;
            process.start(QCoreApplication::applicationFilePath(), { QStringLiteral("--write"), dir.path() });
            QVERIFY(process.waitForStarted());
            QVERIFY(process.waitForReadyRead(10000));
            // Anywhere from at once to a few dozen milliseconds into the stream.
            QThread::usleep(random.bounded(0, 40000));
            ::kill(pid_t(process.processId()), SIGKILL);
            QVERIFY(process.waitForFinished(10000));
            QCOMPARE(process.exitStatus(), QProcess::CrashExit);

            QJsonParseError error {};
            const QJsonObject stored
                = QJsonDocument::fromJson(FixtureFiles::read(dir.path() + "/preferences.json"), &error).object();
            QVERIFY2(error.error == QJsonParseError::NoError, qPrintable(QStringLiteral("run %1").arg(run)));
            QVERIFY(stored.value("set_show_ip").isBool());
            // The killed writer's temporary file goes at the next start.
            (void)PreferenceManager(dir.path(), QLocale(QLocale::English));
            QCOMPARE(
                QDir(dir.path()).entryList({ QStringLiteral("preferences.json.??????") }, QDir::Files), QStringList());
        }
        QCOMPARE(QDir(dir.path()).entryList({ QStringLiteral("preferences.json.bad-*") }, QDir::Files).size(), 0);
    }
};

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    // The test runs this program again as the writer it kills.
    if (argc == 3 && qstrcmp(argv[1], "--write") == 0)
        return writeUntilKilled(QString::fromLocal8Bit(argv[2]));
    TestPreferenceKill test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_PreferenceKill.moc"
