// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "battery/BatteryManager.h"

#include "FixtureFiles.h"

#include <QDir>
#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QThreadPool>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace std::chrono_literals;

namespace {
QString fixture(const char *name)
{
    return QStringLiteral(TAVLO_TEST_DATA "/battery/") + QLatin1String(name);
}

BatteryManager::Options options(const QString &root, std::chrono::milliseconds interval)
{
    // Construction may wait as long as it takes here, so "read at construction" is checked
    // without a race against a busy machine.
    return { .sources = { .sysRoot = root, .askUPower = false }, .interval = interval, .firstReadingWait = 10s };
}

} // namespace

class BatteryManagerTest : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { QThreadPool::globalInstance()->waitForDone(); }

    void testFirstReading()
    {
        QVERIFY(!BatteryManager(options(fixture("desktop-peripherals"), 10s)).battery());
        BatteryManager manager(options(fixture("acpi-charge"), 10s));
        QSignalSpy changed(&manager, &BatteryManager::batteryChanged);
        QVERIFY(manager.battery());
        const QString firstId = manager.battery()->id;
        // Started: a reading at once, long before the first tick.
        manager.start();
        QTRY_COMPARE_WITH_TIMEOUT(changed.count(), 1, 5000);
        QVERIFY(manager.battery()->id != firstId);
    }

    // The refresh goes on, and timers never fire more often than asked, so two running timers
    // would show as about twice as many readings as one can give.
    void testRefreshThenStop()
    {
        BatteryManager manager(options(fixture("acpi-charge"), 200ms));
        QSignalSpy changed(&manager, &BatteryManager::batteryChanged);
        QElapsedTimer clock;
        clock.start();
        manager.start();
        manager.start();
        QTRY_VERIFY_WITH_TIMEOUT(changed.count() >= 4, 5000);
        manager.stop();
        QVERIFY2(changed.count() <= 2 + clock.elapsed() / 200, qPrintable(QString::number(changed.count())));
        // Stopped, the last reading stays; one under way when stop comes is dropped too.
        const int readings = changed.count();
        const QString lastId = manager.battery()->id;
        QThreadPool::globalInstance()->waitForDone();
        QCoreApplication::processEvents();
        QCOMPARE(changed.count(), readings);
        manager.start();
        manager.stop();
        QThreadPool::globalInstance()->waitForDone();
        QCoreApplication::processEvents();
        QCOMPARE(manager.battery()->id, lastId);
    }

    void testBatteryDisappearsAndReturns()
    {
        QTemporaryDir sys;
        QVERIFY(FixtureFiles::copyTree(fixture("acpi-charge"), sys.path()));
        BatteryManager manager(options(sys.path(), 100ms));
        QVERIFY(manager.battery());
        manager.start();
        const QString supply = sys.path() + QStringLiteral("/class/power_supply/BAT0");
        const QString aside = sys.path() + QStringLiteral("/BAT0.removed");
        QVERIFY(QDir().rename(supply, aside));
        QTRY_VERIFY_WITH_TIMEOUT(!manager.battery(), 5000);
        QVERIFY(manager.isStarted());
        QVERIFY(QDir().rename(aside, supply));
        QTRY_VERIFY_WITH_TIMEOUT(manager.battery().has_value(), 5000);
        QCOMPARE(manager.battery()->maxCapacity, std::optional<qint64>(7874));
    }

    // A FIFO in an attribute's place (nobody ever writes it) is no attribute: it is skipped at
    // once and holds up nothing.
    void testFifoAttributeIsSkipped()
    {
        QTemporaryDir sys;
        QVERIFY(FixtureFiles::copyTree(fixture("acpi-charge"), sys.path()));
        const QString fifo = sys.path() + QStringLiteral("/class/power_supply/BAT0/status");
        QVERIFY(QFile::remove(fifo));
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        QElapsedTimer clock;
        clock.start();
        BatteryManager manager(options(sys.path(), 10s));
        QVERIFY2(clock.elapsed() < 2000, qPrintable(QString::number(clock.elapsed())));
        QVERIFY(manager.battery());
        QCOMPARE(manager.battery()->maxCapacity, std::optional<qint64>(7874));
    }

    void testDestroyedWhileReading()
    {
        {
            BatteryManager::Options quick = options(fixture("thinkpad-energy"), 10s);
            quick.firstReadingWait = 0ms;
            BatteryManager manager(quick);
            manager.start();
        }
        QThreadPool::globalInstance()->waitForDone();
        QCoreApplication::processEvents();
    }
};

QTEST_GUILESS_MAIN(BatteryManagerTest)
#include "BatteryManagerTest.moc"
