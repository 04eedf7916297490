// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ColorSchemeWatcher.h"
#include "preferences/PreferenceManager.h"
#include "views/AppearanceController.h"
#include "views/SystemColors.h"

#include <QApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QLabel>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

// The scheme rule, and "SystemMode" following the desktop portal on a private session bus.
class TestAppearanceController : public QObject
{
    Q_OBJECT

private:
    QProcess m_bus;
    QProcess m_portal;
    QString m_address;

    void stopPortal()
    {
        if (m_portal.state() != QProcess::NotRunning) {
            m_portal.kill();
            m_portal.waitForFinished(5000);
        }
    }

    bool startPortal(uint scheme)
    {
        stopPortal();
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), m_address);
        m_portal.setProcessEnvironment(environment);
        m_portal.start(
            QStringLiteral("/usr/bin/python3"), { qEnvironmentVariable("TAVLO_MOCK_PORTAL"), QString::number(scheme) });
        return m_portal.waitForStarted(5000) && m_portal.waitForReadyRead(10000);
    }

    QDBusConnection bus() const { return QDBusConnection(QStringLiteral("private")); }

    void setPortalScheme(uint scheme)
    {
        QDBusMessage call = QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.portal.Desktop"),
            QStringLiteral("/org/freedesktop/portal/desktop"), QStringLiteral("org.tavlo.Test"),
            QStringLiteral("SetScheme"));
        call << scheme;
        const QDBusMessage reply = bus().call(call, QDBus::Block, 5000);
        QVERIFY2(reply.type() == QDBusMessage::ReplyMessage, qPrintable(reply.errorMessage()));
    }

private slots:
    void initTestCase()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("dbus-daemon")).isEmpty()) {
            QSKIP("dbus-daemon is not installed");
        }
        m_bus.start(QStringLiteral("dbus-daemon"), { "--session", "--nofork", "--print-address=1" });
        QVERIFY(m_bus.waitForStarted(5000));
        QVERIFY(m_bus.waitForReadyRead(10000));
        m_address = QString::fromUtf8(m_bus.readLine()).trimmed();
        QVERIFY(!m_address.isEmpty());
        QVERIFY(QDBusConnection::connectToBus(m_address, QStringLiteral("private")).isConnected());
    }

    void cleanupTestCase()
    {
        stopPortal();
        QDBusConnection::disconnectFromBus(QStringLiteral("private"));
        if (m_bus.state() != QProcess::NotRunning) {
            m_bus.terminate();
            if (!m_bus.waitForFinished(5000)) {
                m_bus.kill();
                m_bus.waitForFinished(5000);
            }
        }
    }

    void testImposedScheme_data()
    {
        QTest::addColumn<QString>("theme");
        QTest::addColumn<int>("imposed"); // -1 none, 0 light, 1 dark
        QTest::newRow("SystemMode") << "SystemMode" << -1;
        QTest::newRow("LightMode") << "LightMode" << 0;
        QTest::newRow("DarkMode") << "DarkMode" << 1;
        QTest::newRow("unknown") << "HighContrast" << 1;
        QTest::newRow("lower case") << "lightmode" << 1;
        QTest::newRow("empty") << "" << 1;
    }

    void testImposedScheme()
    {
        QFETCH(QString, theme);
        QFETCH(int, imposed);
        const std::optional<bool> dark = AppearanceController::imposedDark(theme);
        QCOMPARE(dark.has_value(), imposed >= 0);
        if (dark) {
            QCOMPARE(*dark, imposed == 1);
        }
    }

    void testSystemModeFollowsPortal()
    {
        QVERIFY(startPortal(1));
        QTemporaryDir config;
        PreferenceManager preferences(config.path(), QLocale(QLocale::English));
        ColorSchemeWatcher watcher(bus());
        QSignalSpy changes(&watcher, &ColorSchemeWatcher::schemeChanged);
        AppearanceController controller(&preferences, &watcher);
        QLabel open(QStringLiteral("an open window"));
        open.show();

        QTRY_COMPARE(watcher.scheme(), std::optional(ColorSchemeWatcher::Scheme::PreferDark));
        QVERIFY(controller.isDark());
        QVERIFY(SystemColors::isDark(QApplication::palette()));
        QTRY_VERIFY(SystemColors::isDark(open.palette()));

        // The desktop switches to light while we run.
        setPortalScheme(2);
        QTRY_COMPARE(watcher.scheme(), std::optional(ColorSchemeWatcher::Scheme::PreferLight));
        QVERIFY(!controller.isDark());
        QTRY_VERIFY(!SystemColors::isDark(open.palette()));

        // An imposed scheme wins over the desktop's.
        preferences.setSetAppThemeMode(QStringLiteral("DarkMode"));
        QTRY_VERIFY(controller.isDark());
        setPortalScheme(2);
        QTest::qWait(50);
        QVERIFY(controller.isDark());
        preferences.setSetAppThemeMode(QStringLiteral("SystemMode"));
        QTRY_VERIFY(!controller.isDark());

        // "No preference" falls back to the platform palette (light on the offscreen platform).
        setPortalScheme(1);
        QTRY_VERIFY(controller.isDark());
        setPortalScheme(0);
        QTRY_COMPARE(watcher.scheme(), std::optional(ColorSchemeWatcher::Scheme::NoPreference));
        QVERIFY(!controller.isDark());
        QVERIFY(changes.count() >= 4);
        stopPortal();
    }

    void testNoPortal()
    {
        stopPortal();
        QTemporaryDir config;
        PreferenceManager preferences(config.path(), QLocale(QLocale::English));
        ColorSchemeWatcher watcher(bus());
        AppearanceController controller(&preferences, &watcher);
        QTest::qWait(200);
        QCOMPARE(watcher.scheme(), std::nullopt);
        QVERIFY(!controller.isDark());
    }

    void testLanguageSwitchRetranslates()
    {
        QTemporaryDir config;
        PreferenceManager preferences(config.path(), QLocale(QLocale::English));
        AppearanceController controller(&preferences, nullptr);
        QCOMPARE(controller.currentTable(), QStringLiteral("en"));
        QCOMPARE(qtTrId("Quit_Btn_Title"), QStringLiteral("Quit"));
        preferences.setSetApplanguage(QStringLiteral("zh-Hant_CN"));
        QTRY_COMPARE(controller.currentTable(), QStringLiteral("zh_TW"));
        QCOMPARE(qtTrId("Quit_Btn_Title"), QStringLiteral("結束"));
        QCOMPARE(QLocale().script(), QLocale::TraditionalHanScript);
        preferences.setSetApplanguage(QStringLiteral("xx"));
        QTRY_COMPARE(controller.currentTable(), QStringLiteral("en"));
        QCOMPARE(qtTrId("Quit_Btn_Title"), QStringLiteral("Quit"));
    }
};

QTEST_MAIN(TestAppearanceController)
#include "tst_AppearanceController.moc"
