// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "FixtureFiles.h"
#include "platform/AutostartEntry.h"
#include "platform/SingleInstance.h"
#include "preferences/LaunchAtLogin.h"
#include "preferences/PreferenceManager.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocalSocket>
#include <QLockFile>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <sys/stat.h>
#include <unistd.h>

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

class TestPreferenceManager : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_home;

    static void writeFile(const QString &dir, const QByteArray &bytes)
    {
        QVERIFY(FixtureFiles::write(dir + QStringLiteral("/preferences.json"), bytes));
    }

    static QJsonObject readFile(const QString &dir)
    {
        return QJsonDocument::fromJson(FixtureFiles::read(dir + QStringLiteral("/preferences.json"))).object();
    }

private slots:
    void initTestCase()
    {
        // The shared instance reads the user's folder: point it at an empty one.
        QVERIFY(m_home.isValid());
        qputenv("XDG_CONFIG_HOME", m_home.path().toLocal8Bit());
    }

    void testDefaultsWithEmptyStore_data()
    {
        QTest::addColumn<QString>("systemLocale");
        QTest::addColumn<QString>("language");
        QTest::newRow("Chinese") << "zh_CN" << QStringLiteral("zh-Hans");
        QTest::newRow("Chinese Taiwan") << "zh_TW" << QStringLiteral("zh-Hans");
        QTest::newRow("Japanese") << "ja_JP" << QStringLiteral("ja");
        QTest::newRow("Malay") << "ms_MY" << QStringLiteral("ms");
        QTest::newRow("German gets English") << "de_DE" << QStringLiteral("en");
        QTest::newRow("no language (C)") << "C" << QStringLiteral("en");
    }

    void testDefaultsWithEmptyStore()
    {
        QFETCH(QString, systemLocale);
        QFETCH(QString, language);
        QTemporaryDir dir;
        PreferenceManager preferences(dir.path(), QLocale(systemLocale));
        const QVariantList values { preferences.setAutoLaunchWhenStart(), preferences.setAppThemeMode(),
            preferences.setApplanguage(), preferences.setShowIPAddress(), preferences.setShowUUID(),
            preferences.setSerialNumber(), preferences.setAppBgStyle() };
        QCOMPARE(values, (QVariantList { true, "SystemMode", language, false, false, false, "DefaultStyle" }));
        // Loading never writes the defaults back.
        QVERIFY(!QFile::exists(preferences.filePath()));
    }

    void testStoredValuesAndWrongTypes_data()
    {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<QVariantList>("values"); // show IP, theme, launch at login
        QTest::newRow("string under a boolean key")
            << QByteArray("{\"set_show_ip\": \"true\"}") << QVariantList { false, "SystemMode", true };
        QTest::newRow("null and objects") << QByteArray("{\"set_theme_mode\": null, \"set_show_ip\": {\"a\": 1}}")
                                          << QVariantList { false, "SystemMode", true };
    }

    void testStoredValuesAndWrongTypes()
    {
        QFETCH(QByteArray, json);
        QTemporaryDir dir;
        writeFile(dir.path(), json);
        PreferenceManager preferences(dir.path(), QLocale(QLocale::English));
        QTEST((QVariantList { preferences.setShowIPAddress(), preferences.setAppThemeMode(),
                  preferences.setAutoLaunchWhenStart() }),
            "values");
    }

    // Writing one setting leaves every other key as it was, unknown ones included.
    void testOtherKeysSurviveAWrite()
    {
        QTemporaryDir dir;
        const QByteArray json = "{\"set_show_ip\": \"yes\", \"set_show_uuid\": 7, \"future_key\": [1, 2], "
                                "\"nested\": {\"\\ufeffkey\": \"\\ufeffvalue\"}}";
        writeFile(dir.path(), json);
        const QJsonObject before = QJsonDocument::fromJson(json).object();
        PreferenceManager preferences(dir.path(), QLocale(QLocale::English));
        preferences.setSetAppBgStyle(QStringLiteral("BigSurStyle"));
        QJsonObject stored = readFile(dir.path());
        QCOMPARE(stored.take("set_bg_style"), QJsonValue("BigSurStyle"));
        QCOMPARE(stored, before);
        preferences.setSetShowIPAddress(true);
        QCOMPARE(readFile(dir.path()).value("set_show_ip"), QJsonValue(true));
    }

    void testWriteThenSignal()
    {
        QTemporaryDir dir;
        PreferenceManager preferences(dir.path(), QLocale(QLocale::English));
        QSignalSpy spy(&preferences, &PreferenceManager::objectWillChange);
        QJsonObject onDiskAtSignal;
        QString inMemoryAtSignal;
        connect(&preferences, &PreferenceManager::objectWillChange, this, [&] {
            onDiskAtSignal = readFile(dir.path());
            inMemoryAtSignal = preferences.setAppThemeMode();
        });
        preferences.setSetAppThemeMode(QStringLiteral("DarkMode"));
        // Stored at once, announced later on the event loop.
        QCOMPARE(readFile(dir.path()).value("set_theme_mode"), QJsonValue("DarkMode"));
        QCOMPARE(spy.count(), 0);
        QTRY_COMPARE(spy.count(), 1);
        QCOMPARE(onDiskAtSignal.value("set_theme_mode"), QJsonValue("DarkMode"));
        QCOMPARE(inMemoryAtSignal, QStringLiteral("DarkMode"));
    }

    void testValuesSurviveRestartAndFileIsPrivate()
    {
        QTemporaryDir dir;
        const QString config = dir.path() + QStringLiteral("/tavlo");
        {
            PreferenceManager preferences(config, QLocale(QLocale::Chinese));
            preferences.setSetApplanguage(QStringLiteral("de"));
            preferences.setSetShowIPAddress(true);
            preferences.setSetAutoLaunchWhenStart(false);
        }
        PreferenceManager again(config, QLocale(QLocale::Chinese));
        QCOMPARE(again.setApplanguage(), QStringLiteral("de"));
        QCOMPARE(again.setShowIPAddress(), true);
        QCOMPARE(again.setAutoLaunchWhenStart(), false);
        // Neither the file nor its folder is open to anyone else.
        struct stat file = {};
        struct stat folder = {};
        QVERIFY(::stat(QFile::encodeName(again.filePath()).constData(), &file) == 0 && (file.st_mode & 0677) == 0600);
        QVERIFY(::stat(QFile::encodeName(config).constData(), &folder) == 0 && (folder.st_mode & 0077) == 0);
    }

    void testUnparsableFileIsKeptAside_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("truncated") << QByteArray("{\"set_show_ip\": tr");
        QTest::newRow("binary garbage") << QByteArray("\x00\xff\xfe{{", 5);
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("top level not an object") << QByteArray("[{\"set_show_ip\": true}]");
    }

    void testUnparsableFileIsKeptAside()
    {
        QFETCH(QByteArray, bytes);
        QTemporaryDir dir;
        writeFile(dir.path(), bytes);
        PreferenceManager preferences(dir.path(), QLocale(QLocale::English));
        QCOMPARE(preferences.setShowIPAddress(), false);
        // Nothing is moved or written until a setting changes.
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), 1);
        preferences.setSetShowUUID(true);
        const QStringList aside = QDir(dir.path()).entryList({ QStringLiteral("preferences.json.bad-*") }, QDir::Files);
        QCOMPARE(aside.size(), 1);
        QCOMPARE(FixtureFiles::read(dir.path() + QLatin1Char('/') + aside.first()), bytes);
        QCOMPARE(readFile(dir.path()).value("set_show_uuid"), QJsonValue(true));
        // Later writes do not move the new, good file away.
        preferences.setSetShowUUID(false);
        QCOMPARE(QDir(dir.path()).entryList({ QStringLiteral("preferences.json.bad-*") }, QDir::Files).size(), 1);
    }

    // A writer killed before its rename leaves the old file and its temporary one, which is
    // cleared at start; a file kept aside is not.
    void testCrashBeforeRenameLeavesOldFile()
    {
        QTemporaryDir dir;
        {
            PreferenceManager preferences(dir.path(), QLocale(QLocale::English));
            preferences.setSetAppThemeMode(QStringLiteral("LightMode"));
        }
        const QString leftover = dir.path() + QStringLiteral("/preferences.json.Ab12Cd");
        const QString aside = dir.path() + QStringLiteral("/preferences.json.bad-20260101T000000Z");
        QVERIFY(FixtureFiles::write(leftover, "{\"set_theme_mode\": \"Dar") && FixtureFiles::write(aside, "{"));
        PreferenceManager preferences(dir.path(), QLocale(QLocale::English));
        QCOMPARE(preferences.setAppThemeMode(), QStringLiteral("LightMode"));
        QVERIFY(!QFile::exists(leftover));
        QVERIFY(QFile::exists(aside));
    }

    // A FIFO in the file's place must neither block the start nor be written through.
    void testFifoInPlaceOfTheFile()
    {
        QTemporaryDir dir;
        const QString path = dir.path() + QStringLiteral("/preferences.json");
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        PreferenceManager preferences(dir.path(), QLocale(QLocale::English));
        QCOMPARE(preferences.setShowIPAddress(), false);
        preferences.setSetShowIPAddress(true);
        QCOMPARE(readFile(dir.path()).value("set_show_ip"), QJsonValue(true));
        QCOMPARE(QDir(dir.path()).entryList({ QStringLiteral("preferences.json.bad-*") }, QDir::System).size(), 1);
    }

    // Frames are kept quietly (no change signal); a frame with a wrong-typed field is absent.
    void testWindowFrames()
    {
        QTemporaryDir dir;
        {
            PreferenceManager preferences(dir.path(), QLocale(QLocale::English));
            QSignalSpy spy(&preferences, &PreferenceManager::objectWillChange);
            preferences.setWindowFrame(QStringLiteral("AboutView"), QRect(-5, 20, 400, 320));
            QCoreApplication::processEvents();
            QCOMPARE(spy.count(), 0);
        }
        QJsonObject stored = readFile(dir.path());
        QJsonObject frames = stored.value("window_frames").toObject();
        frames.insert("feedbackWindow", QJsonObject { { "x", "1" }, { "y", 2 }, { "width", 3 }, { "height", 4 } });
        stored.insert("window_frames", frames);
        writeFile(dir.path(), QJsonDocument(stored).toJson());
        PreferenceManager preferences(dir.path(), QLocale(QLocale::English));
        QCOMPARE(preferences.windowFrame(QStringLiteral("AboutView")), QRect(-5, 20, 400, 320));
        QCOMPARE(preferences.windowFrame(QStringLiteral("feedbackWindow")), std::nullopt);
    }

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

    // A second launch hands over to the first and ends; a request that is not a launch's is
    // ignored; once the first has gone the next launch is the first again.
    void testSecondLaunchHandsOver()
    {
        QTemporaryDir dir;
        {
            SingleInstance first(dir.path());
            QVERIFY(first.claim());
            QSignalSpy activations(&first, &SingleInstance::activationRequested);
            QLocalSocket stranger;
            stranger.connectToServer(dir.path() + QStringLiteral("/org.tavlo.Tavlo.socket"));
            QVERIFY(stranger.waitForConnected(2000));
            stranger.write(QByteArray(200, 'x') + "\n");
            QVERIFY(stranger.waitForBytesWritten(2000));
            SingleInstance second(dir.path());
            QVERIFY(!second.claim(2000));
            QVERIFY(!second.isPrimary());
            QTRY_COMPARE(activations.count(), 1);
        }
        QVERIFY(SingleInstance(dir.path()).claim());
    }

    void testStaleLockOfDeadProcessIsTaken()
    {
        QTemporaryDir dir;
        // A lock and a socket file left by a process that was killed: its pid no longer runs.
        QProcess shortLived;
        shortLived.start(QStringLiteral("/bin/true"), {});
        QVERIFY(shortLived.waitForStarted());
        const qint64 deadPid = shortLived.processId();
        QVERIFY(shortLived.waitForFinished());
        const QString lockPath = dir.path() + QStringLiteral("/org.tavlo.Tavlo.lock");
        QByteArray content;
        {
            // Our own lock's content, with the pid of the process that has gone.
            QLockFile real(lockPath);
            QVERIFY(real.tryLock(0));
            content = FixtureFiles::read(lockPath);
            real.unlock();
        }
        QVERIFY(FixtureFiles::write(lockPath, QByteArray::number(deadPid) + content.mid(content.indexOf('\n'))));
        QVERIFY(FixtureFiles::write(dir.path() + QStringLiteral("/org.tavlo.Tavlo.socket"), {}));
        SingleInstance instance(dir.path());
        QVERIFY(instance.claim());
        // It listens in the stale socket's place.
        QSignalSpy activations(&instance, &SingleInstance::activationRequested);
        QVERIFY(!SingleInstance(dir.path()).claim());
        QTRY_COMPARE(activations.count(), 1);
    }
};

QTEST_GUILESS_MAIN(TestPreferenceManager)
#include "tst_PreferenceManager.moc"
