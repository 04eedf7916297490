// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Tavlo as a user meets it: Xvfb, a private session bus, our panel host and the real
// program. The item carries the rates after two ticks, and the dashboard it opens is where
// screen readers find it. (How the real panels show the item, and clicks on it, are
// tests/app/real-panels.py's.)
#include "PrivateBus.h"
#include "platform/SniTypes.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusReply>
#include <QProcess>
#include <QRegularExpression>
#include <QtTest>
#include <optional>

namespace {
void stopProcess(QProcess &process)
{
    if (process.state() == QProcess::NotRunning)
        return;
    process.terminate();
    if (!process.waitForFinished(3000)) {
        process.kill();
        process.waitForFinished(3000);
    }
}
} // namespace

class DesktopTest : public QObject
{
    Q_OBJECT

private:
    QProcess m_xvfb;
    PrivateBus m_bus;
    QProcess m_accessibilityBus;
    QProcess m_host;
    QProcess m_app;
    QDBusConnection m_connection { QString() };
    QProcessEnvironment m_environment;
    QTemporaryDir m_session;

    QString itemService() const { return QStringLiteral("org.kde.StatusNotifierItem-%1-1").arg(m_app.processId()); }

    // Runs a short X client (xdotool) on our display and returns what it printed.
    QString runX(const QStringList &arguments)
    {
        QProcess process;
        process.setProcessEnvironment(m_environment);
        process.start(QStringLiteral("xdotool"), arguments);
        process.waitForFinished(5000);
        return QString::fromLocal8Bit(process.readAllStandardOutput()).trimmed();
    }

    // The dashboard window, if one is shown: its geometry from the X server.
    std::optional<QRect> dashboard()
    {
        const QString id = runX({ QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--name"),
            QStringLiteral("^Tavlo$") });
        if (id.isEmpty())
            return std::nullopt;
        static const QRegularExpression shell(QStringLiteral("X=(-?\\d+)\\nY=(-?\\d+)\\nWIDTH=(\\d+)\\nHEIGHT=(\\d+)"));
        const auto match = shell.match(runX(
            { QStringLiteral("getwindowgeometry"), QStringLiteral("--shell"), id.section(QLatin1Char('\n'), 0, 0) }));
        if (!match.hasMatch())
            return std::nullopt;
        return QRect(
            match.captured(1).toInt(), match.captured(2).toInt(), match.captured(3).toInt(), match.captured(4).toInt());
    }

    QVariant get(const QString &name)
    {
        QDBusMessage get = QDBusMessage::createMethodCall(
            itemService(), Sni::itemPath, QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
        get << Sni::itemInterface << name;
        const QDBusReply<QDBusVariant> reply = m_connection.call(get, QDBus::Block, 2000);
        return reply.isValid() ? reply.value().variant() : QVariant();
    }

    QString property(const QString &name) { return get(name).toString(); }

    SniToolTip toolTip()
    {
        SniToolTip tip;
        if (const QVariant value = get(QStringLiteral("ToolTip")); value.canConvert<QDBusArgument>())
            value.value<QDBusArgument>() >> tip;
        return tip;
    }

private Q_SLOTS:
    void initTestCase()
    {
        for (const char *program : { "Xvfb", "xdotool", "dbus-daemon" })
            if (QStandardPaths::findExecutable(QLatin1String(program)).isEmpty())
                QSKIP(qPrintable(QStringLiteral("%1 is not installed").arg(QLatin1String(program))));
        Sni::registerTypes();

        for (QProcess *process : { &m_xvfb, &m_accessibilityBus, &m_host, &m_app })
            PrivateBus::dieWithParent(*process);
        // Xvfb picks a free display itself and tells us its number.
        m_xvfb.start(QStringLiteral("Xvfb"),
            { QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"), QStringLiteral("0"),
                QStringLiteral("1280x800x24"), QStringLiteral("-nolisten"), QStringLiteral("tcp") });
        QVERIFY(m_xvfb.waitForStarted(5000));
        QTRY_VERIFY_WITH_TIMEOUT(m_xvfb.canReadLine() || m_xvfb.state() == QProcess::NotRunning, 10000);
        const QString display = QStringLiteral(":") + QString::fromLocal8Bit(m_xvfb.readLine()).trimmed();
        QVERIFY2(display.size() > 1, "Xvfb did not start");

        const QString busError = m_bus.start(false);
        QVERIFY2(busError.isEmpty(), qPrintable(busError));
        m_connection = m_bus.connection();

        m_environment = QProcessEnvironment::systemEnvironment();
        m_environment.insert(QStringLiteral("DISPLAY"), display);
        m_environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), m_bus.address());
        m_environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        m_environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
        // Its own runtime and settings folders, so a Tavlo running for the user neither takes
        // the single-instance hand-over nor shares its preferences with the test.
        m_environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_session.filePath(QStringLiteral("runtime")));
        m_environment.insert(QStringLiteral("XDG_CONFIG_HOME"), m_session.filePath(QStringLiteral("config")));
        QDir().mkpath(m_session.filePath(QStringLiteral("runtime")));
        QDir().mkpath(m_session.filePath(QStringLiteral("config")));

        // The accessibility bus, as a desktop session starts it; the app joins it as a screen
        // reader would have it do.
        const QString launcher = QStringLiteral("/usr/libexec/at-spi-bus-launcher");
        if (QFile::exists(launcher)) {
            m_accessibilityBus.setProcessEnvironment(m_environment);
            m_accessibilityBus.start(launcher, { QStringLiteral("--launch-immediately") });
            // Without it the accessibility check skips; the rest does not need it.
            (void)QTest::qWaitFor(
                [&] { return m_connection.interface()->isServiceRegistered(QStringLiteral("org.a11y.Bus")).value(); },
                10000);
        }
        m_environment.insert(QStringLiteral("QT_LINUX_ACCESSIBILITY_ALWAYS_ON"), QStringLiteral("1"));

        m_host.setProcessEnvironment(m_environment);
        m_host.start(QStringLiteral(TAVLO_TRAY_HOST), {});
        QTRY_VERIFY_WITH_TIMEOUT(m_host.canReadLine(), 10000);
        QCOMPARE(QString::fromLocal8Bit(m_host.readLine()).trimmed(), QStringLiteral("ready"));

        m_app.setProcessEnvironment(m_environment);
        m_app.setProcessChannelMode(QProcess::ForwardedChannels);
        m_app.start(QStringLiteral(TAVLO_APP), {});
        QVERIFY(m_app.waitForStarted(5000));
    }

    void cleanupTestCase()
    {
        stopProcess(m_app);
        stopProcess(m_host);
        stopProcess(m_accessibilityBus);
        stopProcess(m_xvfb);
    }

    void testRatesAfterTwoTicks()
    {
        QTRY_VERIFY_WITH_TIMEOUT(!toolTip().description.isEmpty(), 10000);
        QTRY_VERIFY_WITH_TIMEOUT(!toolTip().description.contains(QLatin1String("--Byte/s")), 10000);
        const SniToolTip tip = toolTip();
        QCOMPARE(tip.title, QStringLiteral("Tavlo"));
        static const QRegularExpression rate(QStringLiteral("^(\\d+  b/s|\\d+\\.\\d+ [KMG]b/s|max /s) \u2191\n"
                                                            "(\\d+  b/s|\\d+\\.\\d+ [KMG]b/s|max /s) \u2193$"));
        QVERIFY2(rate.match(tip.description).hasMatch(), qPrintable(tip.description));
        // The accessible name and the label carry the same rates.
        const QStringList lines = tip.description.split(QLatin1Char('\n'));
        QCOMPARE(property(QStringLiteral("Title")), QStringLiteral("Tavlo: %1, %2").arg(lines[0], lines[1]));
        QCOMPARE(property(QStringLiteral("XAyatanaLabel")), lines[0] + QLatin1Char(' ') + lines[1]);
    }

    // Activate(x, y) as a host sends it opens the window at that point, where screen readers
    // find it in the application's accessibility tree; a second one closes it.
    void testActivateTogglesAndIsAccessible()
    {
        QTest::qWait(400);
        QDBusMessage activate = QDBusMessage::createMethodCall(
            itemService(), Sni::itemPath, Sni::itemInterface, QStringLiteral("Activate"));
        activate << 600 << 13;
        QVERIFY(m_connection.call(activate, QDBus::Block, 2000).type() == QDBusMessage::ReplyMessage);
        QTRY_VERIFY_WITH_TIMEOUT(dashboard().has_value(), 10000);
        QCOMPARE(dashboard()->topLeft(), QPoint(600 - 175, 26 + 4));

        if (m_accessibilityBus.state() == QProcess::Running
            && m_connection.interface()->isServiceRegistered(QStringLiteral("org.a11y.Bus")).value()) {
            QProcess reader;
            reader.setProcessEnvironment(m_environment);
            reader.start(QStringLiteral("/usr/bin/python3"),
                { QStringLiteral(TAVLO_SOURCE_DIR "/tests/app/atspi-windows.py"), QStringLiteral("tavlo") });
            QVERIFY(reader.waitForFinished(20000));
            const QString windows = QString::fromUtf8(reader.readAllStandardOutput());
            if (reader.exitCode() != 2)
                QVERIFY2(windows.contains(QStringLiteral("Tavlo\t425\t30\t350\t693\t1")), qPrintable(windows));
            else
                qWarning("python3-gi with the Atspi typelib is not installed: accessibility not checked");
        } else {
            qWarning("no accessibility bus (at-spi2-core): accessibility not checked");
        }

        QVERIFY(m_connection.call(activate, QDBus::Block, 2000).type() == QDBusMessage::ReplyMessage);
        QTRY_VERIFY_WITH_TIMEOUT(!dashboard().has_value(), 5000);
    }

    void testStillRunning() { QCOMPARE(m_app.state(), QProcess::Running); }
};

QTEST_GUILESS_MAIN(DesktopTest)
#include "DesktopTest.moc"
