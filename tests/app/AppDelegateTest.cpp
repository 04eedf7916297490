// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/AppDelegate.h"

#include "PrivateBus.h"
#include "app/StatusBarController.h"
#include "network/NetworkSpeedManager.h"
#include "platform/LogindSleepMonitor.h"
#include "platform/PopoverWindow.h"
#include "platform/TerminationSignals.h"

#include <QElapsedTimer>
#include <QMutex>
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

    // Launch, then sleep and wake. The placeholder stays until the second tick, a second after
    // the first. Sleep stops the sampler; wake starts it again, and the first tick after wake
    // only seeds the counters, so rates appear again a tick later. Repeated or unpaired
    // notifications leave one running sampler.
    void testLaunchSleepAndWake()
    {
        AppDelegate delegate(m_bus.connection());
        QVERIFY(delegate.popOver());
        QVERIFY(!delegate.statusBarController());
        QVERIFY(!delegate.netManager());
        // Before launching has finished the workspace actions have nothing to act on.
        delegate.ComputerOnSleep();
        delegate.ComputerOnWake();

        QElapsedTimer clock;
        clock.start();
        delegate.applicationDidFinishLaunching();
        NetworkSpeedManager *sampler = delegate.netManager();
        QVERIFY(sampler->isSampling());
        QVERIFY(delegate.sleepMonitor()->isListening());
        QVERIFY(delegate.popOver()->content());
        const QWidgetList windows = QApplication::topLevelWidgets();
        QVERIFY(std::none_of(windows.begin(), windows.end(), [](QWidget *widget) { return widget->isVisible(); }));
        // A container with loopback alone has no rate to show.
        if (nettopSample(NetworkSpeedManager::sampleArguments()).count(u'\n') < 2)
            QSKIP("no counted interface here");

        QMutex mutex;
        QList<qint64> published;
        connect(
            sampler, &NetworkSpeedManager::speedMeasured, sampler,
            [&](qint64, qint64) {
                const QMutexLocker locker(&mutex);
                published.append(clock.elapsed());
            },
            Qt::DirectConnection);
        const auto publishedAt = [&](qsizetype index) {
            const QMutexLocker locker(&mutex);
            return published.value(index, -1);
        };
        QSignalSpy titles(delegate.statusBarController(), &StatusBarController::titleChanged);
        QTRY_COMPARE_WITH_TIMEOUT(titles.count(), 1, 3000);
        QVERIFY2(publishedAt(0) >= 700, qPrintable(QString::number(publishedAt(0))));
        QVERIFY(delegate.statusBarController()->title().upload != QStringLiteral("--Byte/s"));

        prepareForSleep(true);
        QTRY_VERIFY(!sampler->isSampling());
        const qsizetype beforeSleep = [&] {
            const QMutexLocker locker(&mutex);
            return published.size();
        }();
        prepareForSleep(false);
        QTRY_VERIFY(sampler->isSampling());
        const qint64 woke = clock.elapsed();
        QTRY_VERIFY_WITH_TIMEOUT(publishedAt(beforeSleep) >= 0, 3000);
        QVERIFY2(publishedAt(beforeSleep) - woke >= 700, qPrintable(QString::number(publishedAt(beforeSleep) - woke)));

        // An unpaired wake and a repeated sleep change nothing: one stop, one start.
        QSignalSpy sampling(sampler, &NetworkSpeedManager::samplingChanged);
        prepareForSleep(false);
        prepareForSleep(true);
        QTRY_VERIFY(!sampler->isSampling());
        prepareForSleep(true);
        prepareForSleep(false);
        QTRY_VERIFY(sampler->isSampling());
        QCOMPARE(sampling.count(), 2);
    }

    // The session ending, Ctrl+C and a closed terminal reach the main thread as a signal
    // (which quits the event loop) instead of killing the process where it stands.
    void testTerminationSignals_data()
    {
        QTest::addColumn<int>("number");
        QTest::newRow("SIGTERM") << SIGTERM;
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
