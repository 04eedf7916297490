// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "FixtureFiles.h"
#include "platform/AutostartEntry.h"
#include "preferences/LaunchAtLogin.h"

#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <sys/stat.h>

namespace {

const QString kId = QStringLiteral("org.tavlo.Tavlo-LaunchAtLoginHelper");
const QString kProgram = QStringLiteral("/bin/sh");

QString fixture(const QString &name)
{
    return QStringLiteral(TAVLO_TEST_DATA "/preferences/autostart/") + name;
}

QString readAll(const QString &path)
{
    return QString::fromUtf8(FixtureFiles::read(path));
}

} // namespace

class TestLaunchAtLogin : public QObject
{
    Q_OBJECT

private:
    // Runs desktop-file-validate on the file; empty when it passes, its complaints otherwise.
    static QString validate(const QString &path)
    {
        QProcess validator;
        validator.start(QStringLiteral("desktop-file-validate"), { path });
        if (!validator.waitForFinished(10000)) {
            return QStringLiteral("desktop-file-validate did not run");
        }
        const QString output = QString::fromUtf8(validator.readAllStandardOutput() + validator.readAllStandardError());
        return validator.exitCode() == 0 && !output.contains(QLatin1String("error")) ? QString() : output;
    }

    static QString makeProgram(const QString &path)
    {
        if (!FixtureFiles::write(path, "#!/bin/sh\n"))
            return {};
        QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        return path;
    }

private slots:
    void testReadEntries_data()
    {
        QTest::addColumn<QString>("caseName");
        QTest::addColumn<bool>("registered");
        QTest::newRow("no autostart folder") << "missing" << false;
        QTest::newRow("no entry of ours, another program's only") << "other-program" << false;
        QTest::newRow("enabled entry") << "enabled" << true;
        QTest::newRow("Hidden=true") << "hidden" << false;
        QTest::newRow("X-GNOME-Autostart-enabled=false") << "gnome-disabled" << false;
        QTest::newRow("Hidden in another group does not count") << "hidden-in-other-group" << true;
        QTest::newRow("system-wide entry only") << "system-only" << true;
        QTest::newRow("two entries: the user's hides the system one") << "user-hides-system" << false;
        QTest::newRow("two entries: the user's wins over a hidden system one") << "user-over-hidden-system" << true;
    }

    void testReadEntries()
    {
        QFETCH(QString, caseName);
        QFETCH(bool, registered);
        const AutostartEntry entry(
            kId, fixture(caseName) + QStringLiteral("/home"), { fixture(caseName) + QStringLiteral("/system") });
        QCOMPARE(entry.isRegistered(), registered);
        LaunchAtLogin launchAtLogin(entry, kProgram);
        QCOMPARE(launchAtLogin.isEnabled(), registered);
    }

    // The Exec value of the entry: quoted, with the desktop-entry escapes doubled for the
    // string-level unescaping and "%" written as "%%".
    void testQuoteExecArgument()
    {
        const QList<QPair<QString, QString>> cases { { "/usr/bin/tavlo", "\"/usr/bin/tavlo\"" },
            { "/home/a$b/tavlo", "\"/home/a\\\\$b/tavlo\"" }, { "/home/\"x\"/tavlo", "\"/home/\\\\\"x\\\\\"/tavlo\"" },
            { "/home/a\\b/tavlo", "\"/home/a\\\\\\\\b/tavlo\"" }, { "/home/100%/tavlo", "\"/home/100%%/tavlo\"" } };
        for (const auto &[path, value] : cases)
            QCOMPARE(AutostartEntry::quoteExecArgument(path), value);
    }

    void testWrittenEntryValidates_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("plain") << "tavlo";
        QTest::newRow("awkward path") << "a b/$HOME/\"q\"/100%/x\\y/tavlo";
    }

    void testWrittenEntryValidates()
    {
        QFETCH(QString, name);
        if (QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate")).isEmpty()) {
            QSKIP("desktop-file-validate is not installed");
        }
        QTemporaryDir dir;
        const QString executable = makeProgram(dir.filePath(name));
        LaunchAtLogin launchAtLogin(AutostartEntry(kId, dir.path(), {}), executable);
        launchAtLogin.setEnabled(true);
        const QString path = dir.path() + QStringLiteral("/autostart/") + kId + QStringLiteral(".desktop");
        QVERIFY(QFile::exists(path));
        const QString problems = validate(path);
        QVERIFY2(problems.isEmpty(), qPrintable(problems));
    }

    // Off removes the user's entry, or masks a system-wide one. Nothing is cached: a hand edit
    // in the desktop's settings is seen at the next read.
    void testTurnOnAndOff()
    {
        QTemporaryDir dir;
        const QString entry = dir.filePath(QStringLiteral("home/autostart/") + kId + QStringLiteral(".desktop"));
        LaunchAtLogin launchAtLogin(AutostartEntry(kId, dir.filePath("home"), { dir.filePath("system") }), kProgram);
        launchAtLogin.setEnabled(true);
        QVERIFY(launchAtLogin.isEnabled());
        launchAtLogin.setEnabled(false);
        QVERIFY(!launchAtLogin.isEnabled() && !QFile::exists(entry));
        launchAtLogin.setEnabled(true);
        QVERIFY(FixtureFiles::write(entry, FixtureFiles::read(entry) + "Hidden=true\n"));
        QVERIFY(!launchAtLogin.isEnabled());

        QVERIFY(QFile::remove(entry));
        QVERIFY(FixtureFiles::copyTree(fixture(QStringLiteral("system-only/system")), dir.filePath("system")));
        QVERIFY(launchAtLogin.isEnabled());
        launchAtLogin.setEnabled(false);
        QVERIFY(!launchAtLogin.isEnabled());
        QVERIFY(readAll(entry).contains(QStringLiteral("Hidden=true")));
        launchAtLogin.setEnabled(true);
        QVERIFY(launchAtLogin.isEnabled());
    }

    // Turning on without a program to start writes nothing and stays off, visibly.
    void testProgramPath_data()
    {
        QTest::addColumn<QByteArray>("path"); // under a fresh folder holding the program "bin/tavlo"
        QTest::addColumn<QByteArray>("written"); // the path the entry starts; empty: refused
        QTest::newRow("the program") << QByteArray("bin/tavlo") << QByteArray("bin/tavlo");
        QTest::newRow("replaced after start") << QByteArray("bin/tavlo (deleted)") << QByteArray("bin/tavlo");
        QTest::newRow("missing") << QByteArray("bin/gone") << QByteArray();
        QTest::newRow("a folder") << QByteArray("bin") << QByteArray();
        QTest::newRow("folder name not UTF-8") << QByteArray("b\xffn/tavlo") << QByteArray();
    }

    void testProgramPath()
    {
        QFETCH(QByteArray, path);
        QFETCH(QByteArray, written);
        QTemporaryDir dir;
        QVERIFY(!makeProgram(dir.filePath("bin/tavlo")).isEmpty());
        QCOMPARE(::mkdir((QFile::encodeName(dir.path()) + "/b\xffn").constData(), 0700), 0);
        LaunchAtLogin launchAtLogin(AutostartEntry(kId, dir.path(), {}), dir.filePath(QString::fromUtf8(path)));
        QSignalSpy changed(&launchAtLogin, &LaunchAtLogin::isEnabledChanged);
        launchAtLogin.setEnabled(true);
        QCOMPARE(changed.value(0).value(0).toBool(), !written.isEmpty());
        QCOMPARE(launchAtLogin.isEnabled(), !written.isEmpty());
        if (!written.isEmpty()) {
            const QString entry
                = readAll(dir.path() + QStringLiteral("/autostart/") + kId + QStringLiteral(".desktop"));
            QVERIFY(entry.contains(QStringLiteral("\nExec=\"") + dir.filePath(QString::fromUtf8(written)) + u'"'));
        }
    }
};

QTEST_GUILESS_MAIN(TestLaunchAtLogin)
#include "tst_LaunchAtLogin.moc"
