// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Tavlo as a user meets it: Xvfb, a private session bus, our panel host and the real
// program. The item carries the rates after two ticks, and the dashboard it opens is where
// screen readers find it. (How the real panels show the item, and clicks on it, are
// tests/app/real-panels.py's.)
#include "PrivateBus.h"
#include "TavloConfig.h"
#include "platform/SniTypes.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusReply>
#include <QElapsedTimer>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QtTest>
#include <optional>
#include <xcb/xcb.h>

// The footer's buttons are found the way a screen reader finds them.
#define SKIP_WITHOUT_ACCESSIBILITY()                                                                                   \
    if (!accessibilityAvailable())                                                                                     \
    QSKIP("no accessibility bus: the footer's buttons cannot be found")

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

    // ---- The footer and its Settings, About and Feedback windows ----

    struct Control
    {
        QString role;
        QString name;
        QRect rect;
    };

    // Links go to a recording xdg-open on PATH; applications come from a data folder of ours.
    void prepareWindowsSession()
    {
        const QString bin = m_session.filePath(QStringLiteral("bin"));
        QDir().mkpath(bin);
        QFile opener(bin + QStringLiteral("/xdg-open"));
        QVERIFY(opener.open(QIODevice::WriteOnly));
        opener.write(QStringLiteral("#!/bin/sh\nprintf '%s\\n' \"$1\" >> '%1'\n").arg(openedLog()).toUtf8());
        opener.close();
        opener.setPermissions(opener.permissions() | QFileDevice::ExeOwner);
        m_environment.insert(
            QStringLiteral("PATH"), bin + QLatin1Char(':') + m_environment.value(QStringLiteral("PATH")));
        m_environment.insert(QStringLiteral("XDG_DATA_HOME"), m_session.filePath(QStringLiteral("data")));
        for (const char *name : { "BROWSER", "DEFAULT_BROWSER", "XDG_CURRENT_DESKTOP", "DESKTOP_SESSION" })
            m_environment.remove(QLatin1String(name));
    }

    QString openedLog() const { return m_session.filePath(QStringLiteral("opened.txt")); }
    QStringList opened() const
    {
        QFile log(openedLog());
        return log.open(QIODevice::ReadOnly) ? QString::fromUtf8(log.readAll()).split('\n', Qt::SkipEmptyParts)
                                             : QStringList();
    }

    QJsonObject storedPreferences() const
    {
        QFile file(m_session.filePath(QStringLiteral("config/tavlo/preferences.json")));
        return file.open(QIODevice::ReadOnly) ? QJsonDocument::fromJson(file.readAll()).object() : QJsonObject();
    }

    bool accessibilityAvailable()
    {
        return m_accessibilityBus.state() == QProcess::Running
            && m_connection.interface()->isServiceRegistered(QStringLiteral("org.a11y.Bus")).value();
    }

    // What a screen reader finds in the shown window of that name.
    QList<Control> controls(const QString &window)
    {
        QProcess reader;
        reader.setProcessEnvironment(m_environment);
        reader.start(QStringLiteral("/usr/bin/python3"),
            { QStringLiteral(TAVLO_SOURCE_DIR "/tests/app/atspi-controls.py"), QStringLiteral("tavlo"), window });
        reader.waitForFinished(20000);
        QList<Control> found;
        for (const QString &line : QString::fromUtf8(reader.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts)) {
            const QStringList fields = line.split(QLatin1Char('\t'));
            if (fields.size() == 6)
                found.append({ fields[0], fields[1],
                    QRect(fields[2].toInt(), fields[3].toInt(), fields[4].toInt(), fields[5].toInt()) });
        }
        return found;
    }

    std::optional<QRect> control(const QString &window, const QString &role, const QString &name)
    {
        for (const Control &found : controls(window))
            if (found.role == role && found.name == name && found.rect.isValid())
                return found.rect;
        return std::nullopt;
    }

    void click(const QPoint &at)
    {
        runX({ QStringLiteral("mousemove"), QString::number(at.x()), QString::number(at.y()), QStringLiteral("click"),
            QStringLiteral("1") });
    }

    // Presses a control as a user would, once a screen reader can see it.
    bool press(const QString &window, const QString &role, const QString &name)
    {
        std::optional<QRect> rect;
        if (!QTest::qWaitFor([&] { return (rect = control(window, role, name)).has_value(); }, 10000))
            return false;
        click(rect->center());
        return true;
    }

    QStringList windowIds(const QString &title)
    {
        return runX({ QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--name"),
                        QLatin1Char('^') + QRegularExpression::escape(title) + QLatin1Char('$') })
            .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }

    QRect windowGeometry(const QString &id)
    {
        static const QRegularExpression shell(QStringLiteral("X=(-?\\d+)\\nY=(-?\\d+)\\nWIDTH=(\\d+)\\nHEIGHT=(\\d+)"));
        const auto match = shell.match(runX({ QStringLiteral("getwindowgeometry"), QStringLiteral("--shell"), id }));
        return match.hasMatch() ? QRect(match.captured(1).toInt(), match.captured(2).toInt(), match.captured(3).toInt(),
                   match.captured(4).toInt())
                                : QRect();
    }

    // Opens the dashboard the way a second launch does, which works whichever panel (or tray)
    // shows the item by now.
    bool openDashboard()
    {
        for (int attempt = 0; attempt < 5 && !dashboard(); ++attempt) {
            QProcess second;
            second.setProcessEnvironment(m_environment);
            second.start(QStringLiteral(TAVLO_APP), {});
            second.waitForFinished(5000);
            if (QTest::qWaitFor([&] { return dashboard().has_value(); }, 3000))
                return true;
        }
        return dashboard().has_value();
    }

    // The footer button of that name, pressed in the dashboard.
    bool pressFooter(const QString &name)
    {
        return openDashboard() && press(QStringLiteral("Tavlo"), QStringLiteral("push button"), name);
    }

    // What a window manager's close button does: WM_DELETE_WINDOW, from another client.
    void closeAsWindowManager(const QString &id)
    {
        xcb_connection_t *connection
            = xcb_connect(m_environment.value(QStringLiteral("DISPLAY")).toLocal8Bit().constData(), nullptr);
        const auto atom = [connection](const char *name) {
            xcb_intern_atom_reply_t *reply = xcb_intern_atom_reply(
                connection, xcb_intern_atom(connection, 0, uint16_t(qstrlen(name)), name), nullptr);
            const xcb_atom_t atom = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
            free(reply);
            return atom;
        };
        xcb_client_message_event_t event {};
        event.response_type = XCB_CLIENT_MESSAGE;
        event.format = 32;
        event.window = id.toUInt();
        event.type = atom("WM_PROTOCOLS");
        event.data.data32[0] = atom("WM_DELETE_WINDOW");
        event.data.data32[1] = XCB_CURRENT_TIME;
        // Checked, so that the server has taken the message before the connection closes.
        free(xcb_request_check(connection,
            xcb_send_event_checked(
                connection, 0, event.window, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char *>(&event))));
        xcb_disconnect(connection);
    }

    // The dashboard as a screen reader reads it: (exit status, output) of atspi-dashboard.py.
    std::pair<int, QString> readDashboard(const QStringList &arguments)
    {
        QProcess reader;
        reader.setProcessEnvironment(m_environment);
        reader.start(QStringLiteral("/usr/bin/python3"),
            QStringList { QStringLiteral(TAVLO_SOURCE_DIR "/tests/app/atspi-dashboard.py") } + arguments);
        if (!reader.waitForFinished(30000))
            return { -1, QString() };
        return { reader.exitCode(), QString::fromUtf8(reader.readAllStandardOutput()) };
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

        prepareWindowsSession();
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

    // Activate(x, y) as a host sends it opens the window against that point; a second one
    // closes it. (Screen readers find it there: the dashboard tests below read it that way.)
    void testActivateToggles()
    {
        QTest::qWait(400);
        QDBusMessage activate = QDBusMessage::createMethodCall(
            itemService(), Sni::itemPath, Sni::itemInterface, QStringLiteral("Activate"));
        activate << 600 << 13;
        QVERIFY(m_connection.call(activate, QDBus::Block, 2000).type() == QDBusMessage::ReplyMessage);
        QTRY_VERIFY_WITH_TIMEOUT(dashboard().has_value(), 10000);
        QCOMPARE(dashboard()->topLeft(), QPoint(600 - 175, 26 + 4));

        QVERIFY(m_connection.call(activate, QDBus::Block, 2000).type() == QDBusMessage::ReplyMessage);
        QTRY_VERIFY_WITH_TIMEOUT(!dashboard().has_value(), 5000);
    }

    // The lower half of the open dashboard: live figures that agree with free, /proc/stat and
    // df taken in the same second, a card that turns over on a click, and the battery dot.
    void testDashboardFiguresAndPages()
    {
        if (m_accessibilityBus.state() != QProcess::Running
            || !m_connection.interface()->isServiceRegistered(QStringLiteral("org.a11y.Bus")).value())
            QSKIP("no accessibility bus (at-spi2-core)");
        QTRY_VERIFY_WITH_TIMEOUT(!toolTip().description.isEmpty(), 10000);
        QDBusMessage activate = QDBusMessage::createMethodCall(
            itemService(), Sni::itemPath, Sni::itemInterface, QStringLiteral("Activate"));
        activate << 600 << 13;
        QVERIFY(m_connection.call(activate, QDBus::Block, 2000).type() == QDBusMessage::ReplyMessage);
        QTRY_VERIFY_WITH_TIMEOUT(dashboard().has_value(), 10000);
        const QRect window = *dashboard();

        const auto [status, output] = readDashboard({ QStringLiteral("figures") });
        if (status == 2)
            QSKIP("python3-gi with the Atspi typelib is not installed");
        QVERIFY2(status == 0, qPrintable(output));
        qInfo().noquote() << output.trimmed().replace(QLatin1Char('\n'), QLatin1String(", "));
        QMap<QString, double> figures;
        for (const QString &line : output.split(QLatin1Char('\n'), Qt::SkipEmptyParts))
            figures.insert(line.section(QLatin1Char('\t'), 0, 0), line.section(QLatin1Char('\t'), 1).toDouble());
        const auto near = [&](const char *ours, const char *theirs, double points) {
            const double a = figures.value(QLatin1String(ours), -100);
            const double b = figures.value(QLatin1String(theirs), 100);
            return qAbs(a - b) <= points;
        };
        QVERIFY2(near("app_memory", "free_memory", 1), qPrintable(output));
        QVERIFY2(near("app_disk", "df_disk", 1), qPrintable(output));
        // The two one-second windows start a few milliseconds apart on a shared machine.
        for (const char *state : { "user", "system", "idle" })
            QVERIFY2(near(qPrintable(QStringLiteral("app_%1").arg(QLatin1String(state))),
                         qPrintable(QStringLiteral("stat_%1").arg(QLatin1String(state))), 10),
                qPrintable(output));

        // A click on the memory card turns it to its pie face, whose legend reads used and free.
        const auto memoryCard = [&]() -> QStringList {
            const QString dump = readDashboard({ QStringLiteral("dump") }).second;
            for (const QString &line : dump.split(QLatin1Char('\n')))
                if (line.section(QLatin1Char('\t'), 1, 1).startsWith(QLatin1String("Memory Used")))
                    return line.split(QLatin1Char('\t'));
            return {};
        };
        QStringList card = memoryCard();
        QCOMPARE(card.size(), 7);
        QVERIFY2(card[2].contains(QLatin1String("Available:")), qPrintable(card[2]));
        const QPoint centre(card[3].toInt() + card[5].toInt() / 2, card[4].toInt() + card[6].toInt() / 2);
        runX({ QStringLiteral("mousemove"), QString::number(centre.x()), QString::number(centre.y()),
            QStringLiteral("click"), QStringLiteral("1") });
        QTRY_VERIFY_WITH_TIMEOUT(memoryCard().value(2).contains(QLatin1String("Free")), 5000);

        // The battery dot brings the battery page into the dashboard's view.
        QCOMPARE(readDashboard({ QStringLiteral("press"), QStringLiteral("Battery") }).first, 0);
        const auto batteryPageLeft = [&] {
            const QString dump = readDashboard({ QStringLiteral("dump") }).second;
            for (const QString &line : dump.split(QLatin1Char('\n')))
                if (line.section(QLatin1Char('\t'), 1, 1) == QLatin1String("Battery")
                    && line.section(QLatin1Char('\t'), 0, 0) != QLatin1String("push button"))
                    return line.section(QLatin1Char('\t'), 3, 3).toInt();
            return -1;
        };
        QTRY_VERIFY_WITH_TIMEOUT(qAbs(batteryPageLeft() - (window.left() + 9)) <= 4, 5000);

        runX({ QStringLiteral("mousemove"), QStringLiteral("900"), QStringLiteral("500"), QStringLiteral("click"),
            QStringLiteral("1") });
        QTRY_VERIFY_WITH_TIMEOUT(!dashboard().has_value(), 5000);
    }

    // The hardware UUID, copied by a click on its field, pastes in another X client exactly as
    // our report prints it, without a line break; while it is masked the click leaves the
    // clipboard alone.
    void testCopyUuidToClipboard()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("xclip")).isEmpty())
            QSKIP("xclip is not installed");
        if (m_accessibilityBus.state() != QProcess::Running)
            QSKIP("no accessibility bus (at-spi2-core) to find the field with");
        const auto clipboard = [this] {
            QProcess xclip;
            xclip.setProcessEnvironment(m_environment);
            xclip.start(QStringLiteral("xclip"),
                { QStringLiteral("-o"), QStringLiteral("-selection"), QStringLiteral("clipboard") });
            xclip.waitForFinished(3000);
            return QString::fromUtf8(xclip.readAllStandardOutput());
        };
        QProcess report;
        report.start(m_environment.value(QStringLiteral("TAVLO_LIBEXEC_DIR")) + QStringLiteral("/system_profiler"),
            { QStringLiteral("SPHardwareDataType") });
        QVERIFY(report.waitForFinished(20000));
        static const QRegularExpression uuidLine(QStringLiteral("Hardware UUID: *(\\S+)"));
        const QString uuid = uuidLine.match(QString::fromUtf8(report.readAllStandardOutput())).captured(1);
        QVERIFY(!uuid.isEmpty());

        // A client of ours holds a marker on the clipboard until someone else takes it.
        QProcess holder;
        PrivateBus::dieWithParent(holder);
        holder.setProcessEnvironment(m_environment);
        holder.start(QStringLiteral("xclip"),
            { QStringLiteral("-quiet"), QStringLiteral("-i"), QStringLiteral("-selection"),
                QStringLiteral("clipboard") });
        QVERIFY(holder.waitForStarted(5000));
        holder.write("before");
        holder.closeWriteChannel();
        QTRY_COMPARE_WITH_TIMEOUT(clipboard(), QStringLiteral("before"), 5000);

        const auto toggleDashboard = [this](bool open) {
            QDBusMessage activate = QDBusMessage::createMethodCall(
                itemService(), Sni::itemPath, Sni::itemInterface, QStringLiteral("Activate"));
            activate << 600 << 13;
            return m_connection.call(activate, QDBus::Block, 2000).type() == QDBusMessage::ReplyMessage
                && QTest::qWaitFor([&] { return dashboard().has_value() == open; }, 10000);
        };
        // Where a screen reader finds the field, and a click in its middle.
        const auto clickUuid = [this] {
            QProcess finder;
            finder.setProcessEnvironment(m_environment);
            finder.start(QStringLiteral("/usr/bin/python3"),
                { QStringLiteral(TAVLO_SOURCE_DIR "/tests/app/atspi-find.py"), QStringLiteral("tavlo"),
                    QStringLiteral("Hardware UUID: ") });
            finder.waitForFinished(20000);
            const QStringList place = QString::fromUtf8(finder.readAllStandardOutput()).split(QLatin1Char(' '));
            if (finder.exitCode() != 0 || place.size() != 4)
                return false;
            runX({ QStringLiteral("mousemove"), QString::number(place[0].toInt() + place[2].toInt() / 2),
                QString::number(place[1].toInt() + place[3].toInt() / 2), QStringLiteral("click"),
                QStringLiteral("1") });
            return true;
        };

        // Masked (the default): for longer than the copy's delay nothing reaches the clipboard.
        QTest::qWait(400);
        QVERIFY(toggleDashboard(true));
        QVERIFY2(clickUuid(), "the UUID field is not in the accessibility tree");
        QElapsedTimer watched;
        watched.start();
        while (watched.elapsed() < 1600)
            QCOMPARE(clipboard(), QStringLiteral("before"));
        QVERIFY(toggleDashboard(false));

        // Shown: Tavlo reads the preference at start, so start it again with the UUID allowed.
        stopProcess(m_app);
        const QString preferences = m_session.filePath(QStringLiteral("config/tavlo/preferences.json"));
        QDir().mkpath(QFileInfo(preferences).path());
        QFile file(preferences);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(R"({"set_show_uuid": true})");
        file.close();
        m_app.start(QStringLiteral(TAVLO_APP), {});
        QVERIFY(m_app.waitForStarted(5000));
        QTRY_VERIFY_WITH_TIMEOUT(!toolTip().description.isEmpty(), 15000);
        QTest::qWait(400);
        QVERIFY(toggleDashboard(true));
        QVERIFY2(clickUuid(), "the UUID field is not in the accessibility tree");
        QTRY_COMPARE_WITH_TIMEOUT(clipboard(), uuid, 5000);
        QVERIFY(toggleDashboard(false));
        stopProcess(holder);
    }

    void testStillRunning() { QCOMPARE(m_app.state(), QProcess::Running); }

    // ---- The footer and its Settings, About and Feedback windows ----

    void testFooterOpensCentredWindows_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QSize>("size");
        QTest::newRow("About") << "About" << QSize(400, 320);
        QTest::newRow("Feedback") << "Feedback" << QSize(400, 320);
        QTest::newRow("Settings") << "Settings" << QSize(438, 380);
    }

    void testFooterOpensCentredWindows()
    {
        SKIP_WITHOUT_ACCESSIBILITY();
        QFETCH(QString, title);
        QFETCH(QSize, size);
        QVERIFY(windowIds(title).isEmpty());
        QVERIFY(pressFooter(title));
        QTRY_COMPARE_WITH_TIMEOUT(windowIds(title).size(), 1, 10000);
        const QRect window = windowGeometry(windowIds(title).first());
        // The width as given; taller only where a language's notes need it.
        QCOMPARE(window.width(), size.width());
        QVERIFY2(window.height() >= size.height(), qPrintable(QString::number(window.height())));
        QVERIFY2(qAbs(window.center().x() - 640) <= 1 && qAbs(window.center().y() - 400) <= 14,
            qPrintable(QStringLiteral("%1,%2").arg(window.center().x()).arg(window.center().y())));
        closeAsWindowManager(windowIds(title).first());
        QTRY_VERIFY_WITH_TIMEOUT(windowIds(title).isEmpty(), 5000);
    }

    // Every press opens another window; closing one closes the dashboard; the privacy link
    // reaches the desktop's URL handler; a drag moves one and Escape closes it.
    void testAboutWindows()
    {
        SKIP_WITHOUT_ACCESSIBILITY();
        const QString about = QStringLiteral("About");
        QVERIFY(pressFooter(about));
        QTRY_COMPARE_WITH_TIMEOUT(windowIds(about).size(), 1, 10000);
        QVERIFY(pressFooter(about));
        QTRY_COMPARE_WITH_TIMEOUT(windowIds(about).size(), 2, 10000);

        QVERIFY(openDashboard());
        closeAsWindowManager(windowIds(about).first());
        QTRY_VERIFY_WITH_TIMEOUT(!dashboard().has_value(), 5000);
        QTRY_COMPARE_WITH_TIMEOUT(windowIds(about).size(), 1, 5000);

        QVERIFY(press(about, QStringLiteral("push button"), QStringLiteral("Privacy Policy")));
        QTRY_VERIFY_WITH_TIMEOUT(opened().contains(QStringLiteral(TAVLO_PRIVACY_POLICY_URL)), 10000);

        // A drag on the background moves the window, and its new frame is kept.
        const QRect before = windowGeometry(windowIds(about).first());
        const QPoint grip = before.topLeft() + QPoint(12, before.height() / 2);
        runX({ QStringLiteral("mousemove"), QString::number(grip.x()), QString::number(grip.y()),
            QStringLiteral("mousedown"), QStringLiteral("1"), QStringLiteral("mousemove"),
            QString::number(grip.x() + 30), QString::number(grip.y() + 20), QStringLiteral("mousemove"),
            QString::number(grip.x() + 60), QString::number(grip.y() + 40), QStringLiteral("mouseup"),
            QStringLiteral("1") });
        QTRY_COMPARE_WITH_TIMEOUT(
            windowGeometry(windowIds(about).first()).topLeft(), before.topLeft() + QPoint(60, 40), 5000);
        QTRY_COMPARE_WITH_TIMEOUT(storedPreferences()
                                      .value(QStringLiteral("window_frames"))
                                      .toObject()
                                      .value(QStringLiteral("AboutView"))
                                      .toObject()
                                      .value(QStringLiteral("x"))
                                      .toInt(),
            before.x() + 60, 5000);

        runX({ QStringLiteral("windowfocus"), QStringLiteral("--sync"), windowIds(about).first() });
        runX({ QStringLiteral("key"), QStringLiteral("Escape") });
        QTRY_VERIFY_WITH_TIMEOUT(windowIds(about).isEmpty(), 5000);
    }

    // The copy button leaves exactly the address on the clipboard, for any other client; the
    // store link opens the project's page until an application says it handles the store's
    // links, and the store link itself then.
    void testFeedbackWindow()
    {
        SKIP_WITHOUT_ACCESSIBILITY();
        if (QStandardPaths::findExecutable(QStringLiteral("xclip")).isEmpty())
            QSKIP("xclip is not installed");
        const QString feedback = QStringLiteral("Feedback");
        QVERIFY(pressFooter(feedback));
        QVERIFY(press(feedback, QStringLiteral("push button"), QStringLiteral("Copy address")));
        const auto clipboard = [&] {
            QProcess xclip;
            xclip.setProcessEnvironment(m_environment);
            xclip.start(QStringLiteral("xclip"),
                { QStringLiteral("-o"), QStringLiteral("-selection"), QStringLiteral("clipboard") });
            xclip.waitForFinished(5000);
            return QString::fromUtf8(xclip.readAllStandardOutput());
        };
        QTRY_COMPARE_WITH_TIMEOUT(clipboard(), QStringLiteral(TAVLO_FEEDBACK_EMAIL), 5000);

        const QString link = QStringLiteral("Open in the software centre");
        bool systemHandler = false;
        for (const QString &dir : QStandardPaths::locateAll(
                 QStandardPaths::GenericDataLocation, QStringLiteral("applications"), QStandardPaths::LocateDirectory))
            for (const QFileInfo &entry : QDir(dir).entryInfoList({ QStringLiteral("*.desktop") }, QDir::Files)) {
                QFile file(entry.filePath());
                systemHandler = systemHandler
                    || (file.open(QIODevice::ReadOnly) && file.readAll().contains("x-scheme-handler/appstream"));
            }
        if (!systemHandler) {
            QVERIFY(press(feedback, QStringLiteral("push button"), link));
            QTRY_VERIFY_WITH_TIMEOUT(opened().contains(QStringLiteral(TAVLO_PROJECT_URL)), 10000);
        }
        const QString applications = m_session.filePath(QStringLiteral("data/applications"));
        QDir().mkpath(applications);
        QFile store(applications + QStringLiteral("/store.desktop"));
        QVERIFY(store.open(QIODevice::WriteOnly));
        store.write("[Desktop Entry]\nType=Application\nName=Store\nExec=store %u\n"
                    "MimeType=x-scheme-handler/appstream;\n");
        store.close();
        QVERIFY(press(feedback, QStringLiteral("push button"), link));
        QTRY_VERIFY_WITH_TIMEOUT(opened().contains(QStringLiteral(TAVLO_STORE_URL)), 10000);
        closeAsWindowManager(windowIds(feedback).first());
    }

    // German picked through the real combo box relabels the Settings window and the dashboard;
    // the toggles write through to the preferences and to the autostart entry.
    void testSettingsWindow()
    {
        SKIP_WITHOUT_ACCESSIBILITY();
        QVERIFY(pressFooter(QStringLiteral("Settings")));
        // A combo box reads out its choice; its label, before it on the same line, names it.
        std::optional<QRect> picker;
        QVERIFY(QTest::qWaitFor(
            [&] {
                const QList<Control> found = controls(QStringLiteral("Settings"));
                for (const Control &label : found)
                    for (const Control &combo : found)
                        if (label.role == QLatin1String("label") && label.name == QLatin1String("Language")
                            && combo.role == QLatin1String("combo box") && combo.rect.top() == label.rect.top())
                            picker = combo.rect;
                return picker.has_value();
            },
            10000));
        click(picker->center());
        QTest::qWait(300);
        runX({ QStringLiteral("key"), QStringLiteral("End"), QStringLiteral("Return") });
        QTRY_COMPARE_WITH_TIMEOUT(
            storedPreferences().value(QStringLiteral("set_app_language")).toString(), QStringLiteral("de"), 5000);

        const QString settings = QStringLiteral("Einstellungen");
        QTRY_COMPARE_WITH_TIMEOUT(windowIds(settings).size(), 1, 5000);
        QStringList names;
        for (const Control &found : controls(settings))
            names << found.name;
        for (const char *german : { "Sprache", "Hintergrund", "Beim Anmelden starten", "Hardware-UUID anzeigen" })
            QVERIFY2(names.contains(QString::fromUtf8(german)), qPrintable(names.join(QLatin1Char('|'))));
        QVERIFY(openDashboard());
        QVERIFY(control(QStringLiteral("Tavlo"), QStringLiteral("push button"), QStringLiteral("Einstellungen")));
        runX({ QStringLiteral("key"), QStringLiteral("Escape") });
        QTRY_VERIFY_WITH_TIMEOUT(!dashboard().has_value(), 5000);

        // The clipboard case before this one may have left the UUID shown: the switch turns it over.
        const bool uuidShown = storedPreferences().value(QStringLiteral("set_show_uuid")).toBool();
        QVERIFY(press(settings, QStringLiteral("check box"), QStringLiteral("Hardware-UUID anzeigen")));
        QTRY_VERIFY_WITH_TIMEOUT(
            storedPreferences().value(QStringLiteral("set_show_uuid")).toBool() != uuidShown, 5000);

        const QString entry
            = m_session.filePath(QStringLiteral("config/autostart/" TAVLO_APP_ID "-LaunchAtLoginHelper.desktop"));
        QVERIFY(press(settings, QStringLiteral("check box"), QStringLiteral("Beim Anmelden starten")));
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(entry), 5000);
        if (!QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate")).isEmpty())
            QCOMPARE(QProcess::execute(QStringLiteral("desktop-file-validate"), { entry }), 0);
        QVERIFY(press(settings, QStringLiteral("check box"), QStringLiteral("Beim Anmelden starten")));
        QTRY_VERIFY_WITH_TIMEOUT(!QFile::exists(entry), 5000);
    }

    // Last: Quit ends the program at once, with status 0, while the Settings window is open.
    void testQuitWithSettingsOpen()
    {
        SKIP_WITHOUT_ACCESSIBILITY();
        QVERIFY(!windowIds(QStringLiteral("Einstellungen")).isEmpty());
        QVERIFY(pressFooter(QStringLiteral("Beenden")));
        QTRY_COMPARE_WITH_TIMEOUT(m_app.state(), QProcess::NotRunning, 3000);
        QCOMPARE(m_app.exitStatus(), QProcess::NormalExit);
        QCOMPARE(m_app.exitCode(), 0);
    }
};

QTEST_GUILESS_MAIN(DesktopTest)
#include "DesktopTest.moc"
