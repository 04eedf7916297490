// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/AppDelegate.h"

#include "PrivateBus.h"
#include "app/StatusBarController.h"
#include "network/NetworkSpeedManager.h"
#include "platform/LogindSleepMonitor.h"
#include "platform/PopoverWindow.h"
#include "platform/TerminationSignals.h"

#include <QSignalSpy>
#include <QtTest>
#include <csignal>

class AppDelegateTest : public QObject
{
    Q_OBJECT

private:
    // logind as python3-dbusmock's template plays it, on a bus standing in for the system bus.
    PrivateBus m_bus;

    void prepareForSleep(bool sleeping)
    {
        QVERIFY(m_bus.mockCall(QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1"),
            QStringLiteral("EmitSignal"),
            { QStringLiteral("org.freedesktop.login1.Manager"), QStringLiteral("PrepareForSleep"), QStringLiteral("b"),
                QVariantList { sleeping } }));
    }

private Q_SLOTS:
    void initTestCase()
    {
        if (const QString why = m_bus.start(); !why.isEmpty())
            QSKIP(qPrintable(why));
        QVERIFY(m_bus.startService({ QStringLiteral("-m"), QStringLiteral("dbusmock"), QStringLiteral("--template"),
                                       QStringLiteral("logind") },
            QStringLiteral("org.freedesktop.login1")));
    }

    // Launch, then sleep and wake: sleep stops the sampler, wake starts it again, and repeated or
    // unpaired notifications leave one running sampler. (That a tick after a start only seeds the
    // counters is the sampler test's.)
    void testLaunchSleepAndWake()
    {
        AppDelegate delegate(m_bus.connection());
        // Before launching has finished the workspace actions have nothing to act on.
        delegate.ComputerOnSleep();
        delegate.ComputerOnWake();

        delegate.applicationDidFinishLaunching();
        NetworkSpeedManager *sampler = delegate.netManager();
        QVERIFY(sampler->isSampling());
        QVERIFY(delegate.sleepMonitor()->isListening());
        const QWidgetList windows = QApplication::topLevelWidgets();
        QVERIFY(std::none_of(windows.begin(), windows.end(), [](QWidget *widget) { return widget->isVisible(); }));

        // An unpaired wake and a repeated sleep change nothing: one stop, one start.
        QSignalSpy sampling(sampler, &NetworkSpeedManager::samplingChanged);
        prepareForSleep(false);
        prepareForSleep(true);
        QTRY_VERIFY(!sampler->isSampling());
        prepareForSleep(true);
        prepareForSleep(false);
        QTRY_VERIFY(sampler->isSampling());
        QCOMPARE(sampling.count(), 2);

        // A container with loopback alone has no rate to show.
        if (nettopSample(NetworkSpeedManager::sampleArguments()).count(u'\n') < 2)
            QSKIP("no counted interface here");
        QTRY_VERIFY_WITH_TIMEOUT(delegate.statusBarController()->title().upload != QStringLiteral("--Byte/s"), 5000);
    }

    // Ctrl+C and a closed terminal reach the main thread as a signal (which quits the event loop)
    // instead of killing the process where it stands. (SIGTERM is the real-panel runner's.)
    void testTerminationSignals_data()
    {
        QTest::addColumn<int>("number");
        QTest::newRow("SIGINT") << SIGINT;
        QTest::newRow("SIGHUP") << SIGHUP;
    }

    void testTerminationSignals()
    {
        QFETCH(int, number);
        AppDelegate delegate(m_bus.connection());
        QVERIFY(delegate.terminationSignals()->isWatching());
        QSignalSpy received(delegate.terminationSignals(), &TerminationSignals::received);
        QCOMPARE(::raise(number), 0);
        QTRY_COMPARE(received.count(), 1);
        QCOMPARE(received.at(0).at(0).toInt(), number);
    }

    void testNoSystemBus()
    {
        AppDelegate delegate(QDBusConnection(QStringLiteral("no-such-connection")));
        delegate.applicationDidFinishLaunching();
        QVERIFY(!delegate.sleepMonitor()->isListening());
        QVERIFY(delegate.netManager()->isSampling());
    }
};

QTEST_MAIN(AppDelegateTest)
#include "AppDelegateTest.moc"
