// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/AppDelegate.h"

#include "PrivateBus.h"
#include "app/StatusBarController.h"
#include "network/NetworkSpeedManager.h"
#include "platform/LogindSleepMonitor.h"
#include "platform/PopoverWindow.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QElapsedTimer>
#include <QMutex>
#include <QProcess>
#include <QSignalSpy>
#include <QtTest>
#include <memory>

// logind as python3-dbusmock's template plays it, on a private bus that stands in for the
// system bus.
class MockLogind
{
public:
    explicit MockLogind(const QString &busAddress)
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("DBUS_SYSTEM_BUS_ADDRESS"), busAddress);
        m_process.setProcessEnvironment(environment);
        endWithParent(m_process);
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_process.start(QStringLiteral("/usr/bin/python3"),
            { QStringLiteral("-m"), QStringLiteral("dbusmock"), QStringLiteral("--template"),
                QStringLiteral("logind") });
    }
    ~MockLogind()
    {
        m_process.kill();
        m_process.waitForFinished(5000);
    }
    MockLogind(const MockLogind &) = delete;
    MockLogind &operator=(const MockLogind &) = delete;

private:
    QProcess m_process;
};

class AppDelegateTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<PrivateBus> m_systemBus;
    std::unique_ptr<MockLogind> m_logind;
    QDBusConnection m_connection { QString() };

    void prepareForSleep(bool sleeping)
    {
        QDBusMessage call = QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.login1"),
            QStringLiteral("/org/freedesktop/login1"), QStringLiteral("org.freedesktop.DBus.Mock"),
            QStringLiteral("EmitSignal"));
        call << QStringLiteral("org.freedesktop.login1.Manager") << QStringLiteral("PrepareForSleep")
             << QStringLiteral("b") << QVariantList { QVariant::fromValue(QDBusVariant(sleeping)) };
        const QDBusMessage reply = m_connection.call(call, QDBus::BlockWithGui, 5000);
        QVERIFY2(reply.type() == QDBusMessage::ReplyMessage, qPrintable(reply.errorMessage()));
    }

private Q_SLOTS:
    void init()
    {
        m_systemBus = std::make_unique<PrivateBus>();
        if (!m_systemBus->isRunning())
            QSKIP("dbus-daemon is not available");
        if (!QFile::exists(QStringLiteral("/usr/lib/python3/dist-packages/dbusmock/templates/logind.py")))
            QSKIP("python3-dbusmock is not installed");
        m_logind = std::make_unique<MockLogind>(m_systemBus->address());
        m_connection = m_systemBus->connect();
        QTRY_VERIFY_WITH_TIMEOUT(
            m_connection.interface()->isServiceRegistered(QStringLiteral("org.freedesktop.login1")), 10000);
    }

    void cleanup()
    {
        m_logind.reset();
        m_systemBus.reset();
    }

    void testLaunch()
    {
        AppDelegate delegate(m_connection);
        QVERIFY(delegate.popOver());
        QVERIFY(!delegate.statusBarController());
        QVERIFY(!delegate.netManager());
        // Before launching has finished the workspace actions have nothing to act on.
        delegate.ComputerOnSleep();
        delegate.ComputerOnWake();

        delegate.applicationDidFinishLaunching();
        QVERIFY(delegate.statusBarController());
        QVERIFY(delegate.netManager()->isSampling());
        QVERIFY(delegate.sleepMonitor()->isListening());
        QVERIFY(!delegate.popOver()->isVisible());
        QCOMPARE(delegate.popOver()->size(), QSize(350, 693));
        QVERIFY(delegate.popOver()->content());
        const QWidgetList windows = QApplication::topLevelWidgets();
        QVERIFY(std::none_of(windows.begin(), windows.end(), [](QWidget *widget) { return widget->isVisible(); }));

        // The placeholder stays until the second tick, a second after the first.
        QSignalSpy titles(delegate.statusBarController(), &StatusBarController::titleChanged);
        QTest::qWait(500);
        QCOMPARE(titles.count(), 0);
        QCOMPARE(delegate.statusBarController()->title().upload, QStringLiteral("--Byte/s"));
        QTRY_COMPARE_WITH_TIMEOUT(titles.count(), 1, 3000);
        QVERIFY(delegate.statusBarController()->title().upload != QStringLiteral("--Byte/s"));
    }

    // Sleep stops the sampler; wake starts it again, and the first tick after wake only
    // seeds the counters, so rates appear again a tick later.
    void testSleepAndWake()
    {
        AppDelegate delegate(m_connection);
        delegate.applicationDidFinishLaunching();
        NetworkSpeedManager *sampler = delegate.netManager();

        QMutex mutex;
        QElapsedTimer clock;
        clock.start();
        QList<qint64> published;
        connect(
            sampler, &NetworkSpeedManager::speedMeasured, sampler,
            [&](qint64, qint64) {
                const QMutexLocker locker(&mutex);
                published.append(clock.elapsed());
            },
            Qt::DirectConnection);
        auto count = [&] {
            const QMutexLocker locker(&mutex);
            return published.size();
        };
        QTRY_VERIFY_WITH_TIMEOUT(count() >= 1, 3000);

        prepareForSleep(true);
        QTRY_VERIFY(!sampler->isSampling());
        const qsizetype beforeSleep = count();
        QTest::qWait(2500);
        QCOMPARE(count(), beforeSleep);

        prepareForSleep(false);
        QTRY_VERIFY(sampler->isSampling());
        const qint64 woke = clock.elapsed();
        QTRY_VERIFY_WITH_TIMEOUT(count() > beforeSleep, 3000);
        const QMutexLocker locker(&mutex);
        // The immediate tick at wake published nothing; the next one, a second on, did.
        QVERIFY2(published.at(beforeSleep) - woke >= 700,
            qPrintable(QStringLiteral("published %1 ms after wake").arg(published.at(beforeSleep) - woke)));
    }

    // Repeated or unpaired notifications leave one running sampler.
    void testUnpairedNotifications()
    {
        AppDelegate delegate(m_connection);
        delegate.applicationDidFinishLaunching();
        prepareForSleep(false);
        prepareForSleep(false);
        QTest::qWait(200);
        QVERIFY(delegate.netManager()->isSampling());
        prepareForSleep(true);
        prepareForSleep(true);
        QTRY_VERIFY(!delegate.netManager()->isSampling());
        prepareForSleep(false);
        QTRY_VERIFY(delegate.netManager()->isSampling());
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
