// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Tavlo as a user meets it: Xvfb, a private session bus, our panel host and the real
// program. The item carries the rates after two ticks, and the dashboard it opens is where
// screen readers find it. (How the real panels show the item, and clicks on it, are
// tests/app/real-panels.py's.)
#include "PrivateBus.h"
#include "TavloConfig.h"
#include "platform/SniTypes.h"
#include "platform/UrlSchemeHandlers.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusReply>
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

    // ---- The dashboard, the footer and its Settings, About and Feedback windows ----

    struct Control
    {
        QString role;
        QString name;
        QString description;
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

    QString clipboard()
    {
        QProcess xclip;
        xclip.setProcessEnvironment(m_environment);
        xclip.start(QStringLiteral("xclip"),
            { QStringLiteral("-o"), QStringLiteral("-selection"), QStringLiteral("clipboard") });
        xclip.waitForFinished(5000);
        return QString::fromUtf8(xclip.readAllStandardOutput());
    }

    // Tavlo as a screen reader reads it: (exit status, lines) of atspi.py.
    std::pair<int, QStringList> atspi(const QStringList &arguments)
    {
        QProcess reader;
        reader.setProcessEnvironment(m_environment);
        reader.start(QStringLiteral("/usr/bin/python3"),
            QStringList { QStringLiteral(TAVLO_SOURCE_DIR "/tests/app/atspi.py") } + arguments);
        if (!reader.waitForFinished(30000))
            return { -1, {} };
        return { reader.exitCode(), QString::fromUtf8(reader.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts) };
    }

    // What a screen reader finds in the shown window of that name.
    QList<Control> controls(const QString &window)
    {
        QList<Control> found;
        for (const QString &line : atspi({ QStringLiteral("objects"), window }).second) {
            const QStringList f = line.split(QLatin1Char('\t'));
            if (f.size() == 7)
                found.append({ f[0], f[1], f[2], QRect(f[3].toInt(), f[4].toInt(), f[5].toInt(), f[6].toInt()) });
        }
        return found;
    }

    // The first control of that role (any, if empty) whose name begins with the given one.
    std::optional<Control> control(const QString &window, const QString &role, const QString &name)
    {
        for (const Control &found : controls(window))
            if ((role.isEmpty() || found.role == role) && found.name.startsWith(name) && found.rect.isValid())
                return found;
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
        std::optional<Control> found;
        if (!QTest::qWaitFor([&] { return (found = control(window, role, name)).has_value(); }, 10000))
            return false;
        click(found->rect.center());
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

    // A click beside the dashboard closes it.
    bool closeDashboard()
    {
        if (const std::optional<QRect> open = dashboard())
            click(QPoint(open->center().x() < 640 ? 1100 : 100, 500));
        return QTest::qWaitFor([&] { return !dashboard().has_value(); }, 5000);
    }

    // Presses the footer button of that name and waits for one more window of the title, which
    // opens centred on the 1280x800 screen.
    bool openWindow(const QString &button, const QString &title)
    {
        const int before = windowIds(title).size();
        if (!openDashboard() || !press(QStringLiteral("Tavlo"), QStringLiteral("push button"), button)
            || !QTest::qWaitFor([&] { return windowIds(title).size() == before + 1; }, 10000))
            return false;
        const QPoint centre = windowGeometry(windowIds(title).first()).center();
        return qAbs(centre.x() - 640) <= 1 && qAbs(centre.y() - 400) <= 14;
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
        SKIP_WITHOUT_ACCESSIBILITY();
        QVERIFY(openDashboard());
        const QRect window = *dashboard();
        const auto [status, output] = atspi({ QStringLiteral("figures") });
        if (status == 2)
            QSKIP("python3-gi with the Atspi typelib is not installed");
        QVERIFY2(status == 0, qPrintable(output.join(QLatin1String(", "))));
        qInfo().noquote() << output.join(QLatin1String(", "));
        QMap<QString, double> figures;
        for (const QString &line : output)
            figures.insert(line.section(QLatin1Char('\t'), 0, 0), line.section(QLatin1Char('\t'), 1).toDouble());
        // The two one-second windows of CPU shares start a few milliseconds apart on a shared machine.
        for (const auto &[ours, theirs, points] :
            { std::tuple { "app_memory", "free_memory", 1 }, { "app_disk", "df_disk", 1 },
                { "app_user", "stat_user", 10 }, { "app_system", "stat_system", 10 }, { "app_idle", "stat_idle", 10 } })
            QVERIFY2(
                qAbs(figures.value(QLatin1String(ours), -100) - figures.value(QLatin1String(theirs), 100)) <= points,
                qPrintable(output.join(QLatin1String(", "))));

        // A click on the memory card turns it to its pie face, whose legend reads used and free.
        const auto memoryCard = [&] { return control(QStringLiteral("Tavlo"), {}, QStringLiteral("Memory Used")); };
        const std::optional<Control> card = memoryCard();
        QVERIFY(card.has_value());
        QVERIFY2(card->description.contains(QLatin1String("Available:")), qPrintable(card->description));
        click(card->rect.center());
        QTRY_VERIFY_WITH_TIMEOUT(memoryCard().value_or(Control {}).description.contains(QLatin1String("Free")), 5000);

        // The battery dot brings the battery page into the dashboard's view.
        QCOMPARE(atspi({ QStringLiteral("press"), QStringLiteral("Battery") }).first, 0);
        const auto batteryPageLeft = [&] {
            for (const Control &found : controls(QStringLiteral("Tavlo")))
                if (found.name == QLatin1String("Battery") && found.role != QLatin1String("push button"))
                    return found.rect.left();
            return -1;
        };
        QTRY_VERIFY_WITH_TIMEOUT(qAbs(batteryPageLeft() - (window.left() + 9)) <= 4, 5000);
        QVERIFY(closeDashboard());
    }

    // The hardware UUID, copied by a click on its field, pastes in another X client exactly as
    // our report prints it, without a line break (a masked one copies nothing: the card's own test).
    void testCopyUuidToClipboard()
    {
        SKIP_WITHOUT_ACCESSIBILITY();
        if (QStandardPaths::findExecutable(QStringLiteral("xclip")).isEmpty())
            QSKIP("xclip is not installed");
        QProcess report;
        report.start(m_environment.value(QStringLiteral("TAVLO_LIBEXEC_DIR")) + QStringLiteral("/system_profiler"),
            { QStringLiteral("SPHardwareDataType") });
        QVERIFY(report.waitForFinished(20000));
        static const QRegularExpression uuidLine(QStringLiteral("Hardware UUID: *(\\S+)"));
        const QString uuid = uuidLine.match(QString::fromUtf8(report.readAllStandardOutput())).captured(1);
        QVERIFY(!uuid.isEmpty());

        // Tavlo reads the preference at start: start it again with the UUID shown.
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
        QVERIFY(openDashboard());
        QVERIFY2(press(QStringLiteral("Tavlo"), {}, QStringLiteral("Hardware UUID: ")), "no UUID field");
        QTRY_COMPARE_WITH_TIMEOUT(clipboard(), uuid, 5000);
        QVERIFY(closeDashboard());
    }

    void testStillRunning() { QCOMPARE(m_app.state(), QProcess::Running); }

    // ---- The footer and its Settings, About and Feedback windows ----

    // Every press opens another window; closing one closes the dashboard; the privacy link
    // reaches the desktop's URL handler; a drag moves one and Escape closes it.
    void testAboutWindows()
    {
        SKIP_WITHOUT_ACCESSIBILITY();
        const QString about = QStringLiteral("About");
        QVERIFY(openWindow(about, about));
        QVERIFY(openWindow(about, about));
        QVERIFY(openDashboard());
        closeAsWindowManager(windowIds(about).first());
        QTRY_VERIFY_WITH_TIMEOUT(!dashboard().has_value(), 5000);
        QTRY_COMPARE_WITH_TIMEOUT(windowIds(about).size(), 1, 5000);

        QVERIFY(press(about, QStringLiteral("push button"), QStringLiteral("Privacy Policy")));
        QTRY_VERIFY_WITH_TIMEOUT(opened().contains(QStringLiteral(TAVLO_PRIVACY_POLICY_URL)), 10000);

        // A drag on the background moves the window, and its new frame is kept.
        const QRect before = windowGeometry(windowIds(about).first());
        const QPoint grip = before.topLeft() + QPoint(12, before.height() / 2);
        QStringList drag { QStringLiteral("mousemove"), QString::number(grip.x()), QString::number(grip.y()),
            QStringLiteral("mousedown"), QStringLiteral("1") };
        for (const int step : { 1, 2 })
            drag << QStringLiteral("mousemove") << QString::number(grip.x() + 30 * step)
                 << QString::number(grip.y() + 20 * step);
        runX(drag << QStringLiteral("mouseup") << QStringLiteral("1"));
        QTRY_COMPARE_WITH_TIMEOUT(
            windowGeometry(windowIds(about).first()).topLeft(), before.topLeft() + QPoint(60, 40), 5000);
        const auto storedX = [&] {
            const QJsonObject frames = storedPreferences().value(QStringLiteral("window_frames")).toObject();
            return frames.value(QStringLiteral("AboutView")).toObject().value(QStringLiteral("x")).toInt();
        };
        QTRY_COMPARE_WITH_TIMEOUT(storedX(), before.x() + 60, 5000);

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
        QVERIFY(openWindow(feedback, feedback));
        QVERIFY(press(feedback, QStringLiteral("push button"), QStringLiteral("Copy address")));
        QTRY_COMPARE_WITH_TIMEOUT(clipboard(), QStringLiteral(TAVLO_FEEDBACK_EMAIL), 5000);

        const QString link = QStringLiteral("Open in the software centre");
        if (!UrlSchemeHandlers().hasHandler("appstream")) {
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
        QVERIFY(openWindow(QStringLiteral("Settings"), QStringLiteral("Settings")));
        QVERIFY(press(QStringLiteral("Settings"), QStringLiteral("combo box"), QStringLiteral("English")));
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
        QVERIFY(control(QStringLiteral("Tavlo"), QStringLiteral("push button"), settings));
        runX({ QStringLiteral("key"), QStringLiteral("Escape") });
        QTRY_VERIFY_WITH_TIMEOUT(!dashboard().has_value(), 5000);

        // The clipboard case before this one left the UUID shown: the switch turns it over.
        const bool uuidShown = storedPreferences().value(QStringLiteral("set_show_uuid")).toBool();
        QVERIFY(press(settings, QStringLiteral("check box"), QStringLiteral("Hardware-UUID anzeigen")));
        QTRY_VERIFY_WITH_TIMEOUT(
            storedPreferences().value(QStringLiteral("set_show_uuid")).toBool() != uuidShown, 5000);
        // The open dashboard's card follows at once: the UUID in full, or announced as hidden.
        QVERIFY(openDashboard());
        static const QRegularExpression fullUuid(QStringLiteral("[0-9A-F]{8}-[0-9A-F]{4}-"));
        QTRY_VERIFY_WITH_TIMEOUT(
            [&] {
                const std::optional<Control> field
                    = control(QStringLiteral("Tavlo"), {}, QStringLiteral("Hardware-UUID: "));
                return field && field->name.contains(fullUuid) == !uuidShown
                    && field->name.endsWith(QLatin1String("verborgen")) == uuidShown;
            }(),
            10000);
        QVERIFY(closeDashboard());

        const QString entry
            = m_session.filePath(QStringLiteral("config/autostart/" TAVLO_APP_ID "-LaunchAtLoginHelper.desktop"));
        for (const bool exists : { true, false }) {
            QVERIFY(press(settings, QStringLiteral("check box"), QStringLiteral("Beim Anmelden starten")));
            QTRY_COMPARE_WITH_TIMEOUT(QFile::exists(entry), exists, 5000);
            if (exists && !QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate")).isEmpty())
                QCOMPARE(QProcess::execute(QStringLiteral("desktop-file-validate"), { entry }), 0);
        }
    }

    // Last: Quit ends the program at once, with status 0, while the Settings window is open.
    void testQuitWithSettingsOpen()
    {
        SKIP_WITHOUT_ACCESSIBILITY();
        QVERIFY(!windowIds(QStringLiteral("Einstellungen")).isEmpty());
        QVERIFY(openDashboard());
        QVERIFY(press(QStringLiteral("Tavlo"), QStringLiteral("push button"), QStringLiteral("Beenden")));
        QTRY_COMPARE_WITH_TIMEOUT(m_app.state(), QProcess::NotRunning, 3000);
        QCOMPARE(m_app.exitStatus(), QProcess::NormalExit);
        QCOMPARE(m_app.exitCode(), 0);
    }
};

QTEST_GUILESS_MAIN(DesktopTest)
#include "DesktopTest.moc"
