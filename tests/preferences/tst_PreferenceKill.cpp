// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "FixtureFiles.h"
#include "preferences/PreferenceManager.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>

// SIGKILL in the middle of a stream of writes must leave a whole, readable file every time.
class TestPreferenceKill : public QObject
{
    Q_OBJECT

private slots:
    void testKillDuringWritesLeavesReadableFile()
    {
        const QString writer = qEnvironmentVariable("PREFERENCE_WRITER");
        QVERIFY2(QFileInfo::exists(writer), "PREFERENCE_WRITER must name the helper program");
        QTemporaryDir dir;
        QRandomGenerator random(20260101);
        constexpr int kRuns = 150;
        for (int run = 0; run < kRuns; ++run) {
            QProcess process;
            process.start(writer, { dir.path() });
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
            QVERIFY(stored.value("set_show_ip").isBool() && stored.value("set_bg_style").isString());

            // And the program reads it back, with nothing moved aside.
            PreferenceManager preferences(dir.path(), QLocale(QLocale::English));
            QCOMPARE(preferences.setAppThemeMode(), stored.value("set_theme_mode").toString());
            QCOMPARE(
                QDir(dir.path()).entryList({ QStringLiteral("preferences.json.??????") }, QDir::Files), QStringList());
        }
        QCOMPARE(QDir(dir.path()).entryList({ QStringLiteral("preferences.json.bad-*") }, QDir::Files).size(), 0);
    }
};

QTEST_GUILESS_MAIN(TestPreferenceKill)
#include "tst_PreferenceKill.moc"
