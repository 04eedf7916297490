// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "FixtureFiles.h"
#include "preferences/PreferenceManager.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <sys/stat.h>
#include <unistd.h>

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
};

QTEST_GUILESS_MAIN(TestPreferenceManager)
#include "tst_PreferenceManager.moc"
