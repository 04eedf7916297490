// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Tavlo as a user meets it: Xvfb, a private session bus, our panel host and the real program,
// with the dashboard and its windows read the way a screen reader finds them. (How the real
// panels show the item, and clicks on it, are tests/app/real-panels.py's.)
#include "FixtureFiles.h"
#include "PrivateBus.h"
#include "TavloConfig.h"
#include "platform/SniTypes.h"
#include "platform/UrlSchemeHandlers.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusReply>
#include <QProcess>
#include <QRegularExpression>
#include <QtTest>
#include <optional>
#include <xcb/xcb.h>

using namespace Qt::StringLiterals;

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

bool installed(const QString &program)
{
    return !QStandardPaths::findExecutable(program).isEmpty();
}
} // namespace

class DesktopTest : public QObject
{
    Q_OBJECT

private:
    QProcess m_xvfb, m_accessibilityBus, m_host, m_app;
    PrivateBus m_bus;
    QDBusConnection m_connection { QString() };
    QProcessEnvironment m_environment;
    QTemporaryDir m_session;

    struct Control
    {
        QString role, name, description;
        QRect rect;
    };

    // Runs a short client in our session: its exit status (-1 when it hung) and output.
    std::pair<int, QString> run(const QString &program, const QStringList &arguments, int timeout = 5000)
    {
        QProcess process;
        process.setProcessEnvironment(m_environment);
        process.start(program, arguments);
        if (!process.waitForFinished(timeout))
            return { -1, {} };
        return { process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()) };
    }
    QString runX(const QStringList &arguments) { return run(u"xdotool"_s, arguments).second.trimmed(); }
    QString clipboard() { return run(u"xclip"_s, { u"-o"_s, u"-selection"_s, u"clipboard"_s }).second; }

    QStringList windowIds(const QString &title)
    {
        return runX({ u"search"_s, u"--onlyvisible"_s, u"--name"_s, '^' + QRegularExpression::escape(title) + '$' })
            .split('\n', Qt::SkipEmptyParts);
    }

    bool dashboard() { return !windowIds(u"Tavlo"_s).isEmpty(); }

    // The open dashboard's left edge on the screen.
    int dashboardLeft()
    {
        static const QRegularExpression x(u"^X=(-?\\d+)$"_s, QRegularExpression::MultilineOption);
        const QStringList ids = windowIds(u"Tavlo"_s);
        return ids.isEmpty() ? -1
                             : x.match(runX({ u"getwindowgeometry"_s, u"--shell"_s, ids.first() })).captured(1).toInt();
    }

    QVariant property(const QString &name)
    {
        QDBusMessage get = QDBusMessage::createMethodCall(u"org.kde.StatusNotifierItem-%1-1"_s.arg(m_app.processId()),
            Sni::itemPath, u"org.freedesktop.DBus.Properties"_s, u"Get"_s);
        get << Sni::itemInterface << name;
        const QDBusReply<QDBusVariant> reply = m_connection.call(get, QDBus::Block, 2000);
        return reply.isValid() ? reply.value().variant() : QVariant();
    }

    SniToolTip toolTip()
    {
        SniToolTip tip;
        if (const QVariant value = property(u"ToolTip"_s); value.canConvert<QDBusArgument>())
            value.value<QDBusArgument>() >> tip;
        return tip;
    }

    QByteArray sessionFile(const QString &name) const { return FixtureFiles::read(m_session.filePath(name)); }
    QStringList opened() const { return QString::fromUtf8(sessionFile(u"opened.txt"_s)).split('\n'); }

    bool accessibilityAvailable()
    {
        return m_accessibilityBus.state() == QProcess::Running
            && m_connection.interface()->isServiceRegistered(u"org.a11y.Bus"_s).value();
    }

    // Tavlo as a screen reader reads it: (exit status, lines) of atspi.py.
    std::pair<int, QStringList> atspi(const QStringList &arguments)
    {
        const auto [status, out] = run(
            u"/usr/bin/python3"_s, QStringList { u"" TAVLO_SOURCE_DIR "/tests/app/atspi.py"_s } + arguments, 30000);
        return { status, out.split('\n', Qt::SkipEmptyParts) };
    }

    // What a screen reader finds in the shown window of that name.
    QList<Control> controls(const QString &window)
    {
        QList<Control> found;
        for (const QString &line : atspi({ u"objects"_s, window }).second) {
            const QStringList f = line.split('\t');
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
        runX({ u"mousemove"_s, QString::number(at.x()), QString::number(at.y()), u"click"_s, u"1"_s });
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

    // Opens the dashboard the way a second launch does, whichever panel shows the item by now.
    bool openDashboard()
    {
        for (int attempt = 0; attempt < 5 && !dashboard(); ++attempt) {
            run(QStringLiteral(TAVLO_APP), {});
            if (QTest::qWaitFor([&] { return dashboard(); }, 3000))
                return true;
        }
        return dashboard();
    }

    // A click beside the dashboard closes it.
    bool closeDashboard()
    {
        if (const int left = dashboardLeft(); left >= 0)
            click(QPoint(left > 100 ? 100 : 1100, 500));
        return QTest::qWaitFor([&] { return !dashboard(); }, 5000);
    }

    // Presses the footer button of that name and waits for one more window of the title.
    bool openWindow(const QString &button, const QString &title)
    {
        const int before = windowIds(title).size();
        return openDashboard() && press(u"Tavlo"_s, u"push button"_s, button)
            && QTest::qWaitFor([&] { return windowIds(title).size() == before + 1; }, 10000);
    }

    // What a window manager's close button does: WM_DELETE_WINDOW, from another client.
    void closeAsWindowManager(const QString &id)
    {
        xcb_connection_t *connection = xcb_connect(qPrintable(m_environment.value(u"DISPLAY"_s)), nullptr);
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
        // Checked, so that the server has taken the message before the connection closes.
        free(xcb_request_check(connection,
            xcb_send_event_checked(
                connection, 0, event.window, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char *>(&event))));
        xcb_disconnect(connection);
    }

    bool startApp()
    {
        m_app.start(QStringLiteral(TAVLO_APP), {});
        return m_app.waitForStarted(5000);
    }

private Q_SLOTS:
    void initTestCase()
    {
        for (const char *program : { "Xvfb", "xdotool", "dbus-daemon" })
            if (!installed(QLatin1String(program)))
                QSKIP(qPrintable(u"%1 is not installed"_s.arg(QLatin1String(program))));
        Sni::registerTypes();

        for (QProcess *process : { &m_xvfb, &m_accessibilityBus, &m_host, &m_app })
            PrivateBus::dieWithParent(*process);
        // Xvfb picks a free display itself and tells us its number.
        m_xvfb.start(
            u"Xvfb"_s, { u"-displayfd"_s, u"1"_s, u"-screen"_s, u"0"_s, u"1280x800x24"_s, u"-nolisten"_s, u"tcp"_s });
        QTRY_VERIFY_WITH_TIMEOUT(m_xvfb.canReadLine() || m_xvfb.state() == QProcess::NotRunning, 10000);
        const QString display = ':' + QString::fromLocal8Bit(m_xvfb.readLine()).trimmed();
        QVERIFY2(display.size() > 1, "Xvfb did not start");

        const QString busError = m_bus.start(false);
        QVERIFY2(busError.isEmpty(), qPrintable(busError));
        m_connection = m_bus.connection();

        // Its own runtime and settings folders, so a Tavlo running for the user neither takes
        // the single-instance hand-over nor shares its preferences with the test. Links go to a
        // recording xdg-open on PATH; applications come from a data folder of ours.
        const QString bin = m_session.filePath(u"bin"_s);
        for (const QString &folder : { bin, m_session.filePath(u"runtime"_s), m_session.filePath(u"config"_s) })
            QDir().mkpath(folder);
        QVERIFY(FixtureFiles::write(bin + u"/xdg-open"_s,
            u"#!/bin/sh\nprintf '%s\\n' \"$1\" >> '%1'\n"_s.arg(m_session.filePath(u"opened.txt"_s)).toUtf8()));
        QVERIFY(QFile::setPermissions(bin + u"/xdg-open"_s, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        m_environment = QProcessEnvironment::systemEnvironment();
        for (const char *name :
            { "WAYLAND_DISPLAY", "BROWSER", "DEFAULT_BROWSER", "XDG_CURRENT_DESKTOP", "DESKTOP_SESSION" })
            m_environment.remove(QLatin1String(name));
        for (const auto &[name, value] :
            { std::pair { u"DISPLAY"_s, display }, { u"DBUS_SESSION_BUS_ADDRESS"_s, m_bus.address() },
                { u"QT_QPA_PLATFORM"_s, u"xcb"_s }, { u"XDG_RUNTIME_DIR"_s, m_session.filePath(u"runtime"_s) },
                { u"XDG_CONFIG_HOME"_s, m_session.filePath(u"config"_s) },
                { u"XDG_DATA_HOME"_s, m_session.filePath(u"data"_s) },
                { u"PATH"_s, bin + ':' + m_environment.value(u"PATH"_s) } })
            m_environment.insert(name, value);

        // The accessibility bus, as a desktop session starts it; the app joins it as a screen
        // reader would have it do. Without it the accessibility cases skip.
        const QString launcher = u"/usr/libexec/at-spi-bus-launcher"_s;
        if (QFile::exists(launcher)) {
            m_accessibilityBus.setProcessEnvironment(m_environment);
            m_accessibilityBus.start(launcher, { u"--launch-immediately"_s });
            (void)QTest::qWaitFor(
                [&] { return m_connection.interface()->isServiceRegistered(u"org.a11y.Bus"_s).value(); }, 10000);
        }
        m_environment.insert(u"QT_LINUX_ACCESSIBILITY_ALWAYS_ON"_s, u"1"_s);

        m_host.setProcessEnvironment(m_environment);
        m_host.start(QStringLiteral(TAVLO_TRAY_HOST), {});
        QTRY_VERIFY_WITH_TIMEOUT(m_host.canReadLine(), 10000);
        QCOMPARE(QString::fromLocal8Bit(m_host.readLine()).trimmed(), u"ready"_s);

        m_app.setProcessEnvironment(m_environment);
        m_app.setProcessChannelMode(QProcess::ForwardedChannels);
        QVERIFY(startApp());
    }

    void cleanupTestCase()
    {
        for (QProcess *process : { &m_app, &m_host, &m_accessibilityBus, &m_xvfb })
            stopProcess(*process);
    }

    // The item carries the rates after two ticks, the same in its tooltip, title and label.
    // (Activate(x, y) from a host, clicks and closing are the real-panel runner's.)
    void testItemRates()
    {
        QTRY_VERIFY_WITH_TIMEOUT(!toolTip().description.isEmpty(), 10000);
        QTRY_VERIFY_WITH_TIMEOUT(!toolTip().description.contains("--Byte/s"_L1), 10000);
        const SniToolTip tip = toolTip();
        QCOMPARE(tip.title, u"Tavlo"_s);
        static const QRegularExpression rate(u"^(\\d+  b/s|\\d+\\.\\d+ [KMG]b/s|max /s) \u2191\n"
                                             "(\\d+  b/s|\\d+\\.\\d+ [KMG]b/s|max /s) \u2193$"_s);
        QVERIFY2(rate.match(tip.description).hasMatch(), qPrintable(tip.description));
        const QStringList lines = tip.description.split('\n');
        QCOMPARE(property(u"Title"_s).toString(), u"Tavlo: %1, %2"_s.arg(lines[0], lines[1]));
        QCOMPARE(property(u"XAyatanaLabel"_s).toString(), lines[0] + ' ' + lines[1]);
    }

    // Live figures that agree with free, /proc/stat and df taken in the same second; a card
    // turns over on a click, and the battery dot shows the battery page.
    void testDashboardFigures()
    {
        SKIP_WITHOUT_ACCESSIBILITY();
        QVERIFY(openDashboard());
        const auto [status, output] = atspi({ u"figures"_s });
        if (status == 2)
            QSKIP("python3-gi with the Atspi typelib is not installed");
        const QByteArray all = output.join(", "_L1).toUtf8();
        QVERIFY2(status == 0, all);
        QMap<QString, double> figures;
        for (const QString &line : output)
            figures.insert(line.section('\t', 0, 0), line.section('\t', 1).toDouble());
        // The two one-second windows of CPU shares start a few milliseconds apart on a shared machine.
        for (const auto &[ours, theirs, points] :
            { std::tuple { "app_memory", "free_memory", 1 }, { "app_disk", "df_disk", 1 },
                { "app_user", "stat_user", 10 }, { "app_system", "stat_system", 10 }, { "app_idle", "stat_idle", 10 } })
            QVERIFY2(
                qAbs(figures.value(QLatin1String(ours), -100) - figures.value(QLatin1String(theirs), 100)) <= points,
                all);

        // A click on the memory card turns it to its pie face, whose legend reads used and free.
        const auto memoryCard = [&] { return control(u"Tavlo"_s, {}, u"Memory Used"_s).value_or(Control {}); };
        QVERIFY2(memoryCard().description.contains("Available:"_L1), qPrintable(memoryCard().description));
        click(memoryCard().rect.center());
        QTRY_VERIFY_WITH_TIMEOUT(memoryCard().description.contains("Free"_L1), 5000);

        // The battery dot brings the battery page into the dashboard's view.
        const int left = dashboardLeft();
        QCOMPARE(atspi({ u"press"_s, u"Battery"_s }).first, 0);
        const auto batteryPageLeft = [&] {
            for (const Control &found : controls(u"Tavlo"_s))
                if (found.name == "Battery"_L1 && found.role != "push button"_L1)
                    return found.rect.left();
            return -1;
        };
        QTRY_VERIFY_WITH_TIMEOUT(qAbs(batteryPageLeft() - (left + 9)) <= 4, 5000);
        QVERIFY(closeDashboard());
    }

    // The hardware UUID, copied by a click on its field, pastes in another X client exactly as
    // our report prints it, without a line break.
    void testCopyUuidToClipboard()
    {
        SKIP_WITHOUT_ACCESSIBILITY();
        if (!installed(u"xclip"_s))
            QSKIP("xclip is not installed");
        QProcess report;
        report.start(m_environment.value(u"TAVLO_LIBEXEC_DIR"_s) + u"/system_profiler"_s, { u"SPHardwareDataType"_s });
        QVERIFY(report.waitForFinished(20000));
        static const QRegularExpression uuidLine(u"Hardware UUID: *(\\S+)"_s);
        const QString uuid = uuidLine.match(QString::fromUtf8(report.readAllStandardOutput())).captured(1);
        QVERIFY(!uuid.isEmpty());
        // Tavlo reads the preference at start: start it again with the UUID shown.
        stopProcess(m_app);
        QVERIFY(
            FixtureFiles::write(m_session.filePath(u"config/tavlo/preferences.json"_s), R"({"set_show_uuid": true})"));
        QVERIFY(startApp());
        QTRY_VERIFY_WITH_TIMEOUT(!toolTip().description.isEmpty(), 15000);
        QVERIFY(openDashboard());
        QVERIFY2(press(u"Tavlo"_s, {}, u"Hardware UUID: "_s), "no UUID field");
        QTRY_COMPARE_WITH_TIMEOUT(clipboard(), uuid, 5000);
        QVERIFY(closeDashboard());
    }

    // Every press opens another window; closing one closes the dashboard; the privacy link
    // reaches the desktop's URL handler.
    void testAboutWindows()
    {
        SKIP_WITHOUT_ACCESSIBILITY();
        const QString about = u"About"_s;
        QVERIFY(openWindow(about, about));
        QVERIFY(openWindow(about, about));
        QVERIFY(openDashboard());
        closeAsWindowManager(windowIds(about).first());
        QTRY_VERIFY_WITH_TIMEOUT(!dashboard(), 5000);
        QTRY_COMPARE_WITH_TIMEOUT(windowIds(about).size(), 1, 5000);

        QVERIFY(press(about, u"push button"_s, u"Privacy Policy"_s));
        QTRY_VERIFY_WITH_TIMEOUT(opened().contains(QStringLiteral(TAVLO_PRIVACY_POLICY_URL)), 10000);
        closeAsWindowManager(windowIds(about).first());
    }

    // The address on the clipboard; the store link opens the project's page until an
    // application says it handles the store's links, and the store link itself then.
    void testFeedbackWindow()
    {
        SKIP_WITHOUT_ACCESSIBILITY();
        const QString feedback = u"Feedback"_s, link = u"Open in the software centre"_s;
        QVERIFY(openWindow(feedback, feedback));
        // The copy button leaves exactly the address on the clipboard, for another X client.
        if (installed(u"xclip"_s)) {
            QVERIFY(press(feedback, u"push button"_s, u"Copy address"_s));
            QTRY_COMPARE_WITH_TIMEOUT(clipboard(), QStringLiteral(TAVLO_FEEDBACK_EMAIL), 5000);
        }

        if (!UrlSchemeHandlers().hasHandler("appstream")) {
            QVERIFY(press(feedback, u"push button"_s, link));
            QTRY_VERIFY_WITH_TIMEOUT(opened().contains(QStringLiteral(TAVLO_PROJECT_URL)), 10000);
        }
        QVERIFY(FixtureFiles::write(m_session.filePath(u"data/applications/store.desktop"_s),
            "[Desktop Entry]\nType=Application\nName=Store\nExec=store %u\nMimeType=x-scheme-handler/appstream;\n"));
        QVERIFY(press(feedback, u"push button"_s, link));
        QTRY_VERIFY_WITH_TIMEOUT(opened().contains(QStringLiteral(TAVLO_STORE_URL)), 10000);
        closeAsWindowManager(windowIds(feedback).first());
    }

    // Last: Quit ends the program at once, with status 0, while the Settings window is open.
    void testQuitWithSettingsOpen()
    {
        SKIP_WITHOUT_ACCESSIBILITY();
        QVERIFY(openWindow(u"Settings"_s, u"Settings"_s));
        QVERIFY(openDashboard());
        QVERIFY(press(u"Tavlo"_s, u"push button"_s, u"Quit"_s));
        QTRY_COMPARE_WITH_TIMEOUT(m_app.state(), QProcess::NotRunning, 3000);
        QCOMPARE(m_app.exitStatus(), QProcess::NormalExit);
        QCOMPARE(m_app.exitCode(), 0);
    }
};

QTEST_GUILESS_MAIN(DesktopTest)
#include "DesktopTest.moc"
