// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "PrivateBus.h"
#include "platform/ColorSchemeWatcher.h"
#include "preferences/PreferenceManager.h"
#include "views/AppearanceController.h"
#include "views/SystemColors.h"

#include <QApplication>
#include <QDBusMessage>
#include <QLabel>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

// "SystemMode" following the desktop portal on a private session bus.
class TestAppearanceController : public QObject
{
    Q_OBJECT

private:
    PrivateBus m_bus;

    bool startPortal(uint scheme)
    {
        return m_bus.startService(
            { qEnvironmentVariable("TAVLO_MOCK_PORTAL"), QString::number(scheme) }, "org.freedesktop.portal.Desktop");
    }

    void setPortalScheme(uint scheme)
    {
        QDBusMessage call = QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.portal.Desktop"),
            QStringLiteral("/org/freedesktop/portal/desktop"), QStringLiteral("org.tavlo.Test"),
            QStringLiteral("SetScheme"));
        call << scheme;
        const QDBusMessage reply = m_bus.connection().call(call, QDBus::Block, 5000);
        QVERIFY2(reply.type() == QDBusMessage::ReplyMessage, qPrintable(reply.errorMessage()));
    }

private slots:
    void initTestCase()
    {
        const QString reason = m_bus.start(false);
        if (!reason.isEmpty())
            QSKIP(qPrintable(reason));
    }

    void testSystemModeFollowsPortal()
    {
        QVERIFY(startPortal(1));
        QTemporaryDir config;
        PreferenceManager preferences(config.path(), QLocale(QLocale::English));
        ColorSchemeWatcher watcher(m_bus.connection());
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
        preferences.setSetAppThemeMode(QStringLiteral("LightMode"));
        setPortalScheme(1);
        QTRY_COMPARE(watcher.scheme(), std::optional(ColorSchemeWatcher::Scheme::PreferDark));
        QVERIFY(!controller.isDark());
        preferences.setSetAppThemeMode(QStringLiteral("SystemMode"));
        QTRY_VERIFY(controller.isDark());

        // "No preference" falls back to the platform palette (light on the offscreen platform).
        setPortalScheme(0);
        QTRY_COMPARE(watcher.scheme(), std::optional(ColorSchemeWatcher::Scheme::NoPreference));
        QVERIFY(!controller.isDark());
        QVERIFY(changes.count() >= 4);
    }
};

QTEST_MAIN(TestAppearanceController)
#include "tst_AppearanceController.moc"
