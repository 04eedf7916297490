// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "battery/BatteryManager.h"

#include "FixtureFiles.h"
#include "battery/Battery.h"
#include "battery/BatteryUnits.h"
#include "battery/InternalFinder.h"

#include <QDir>
#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QThreadPool>
#include <cmath>
#include <fcntl.h>
#include <limits>
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

// The fields a reading has, in a fixed order; an absent field is left out.
QString describe(const Battery &b)
{
    QStringList parts;
    const auto add = [&parts](const char *label, const auto &value) {
        if constexpr (std::is_same_v<std::decay_t<decltype(value)>, std::optional<double>>) {
            if (value) // a negative zero shows as "-0"
                parts << QLatin1String(label) + u'=' + QString::number(*value, 'g', 12);
        } else if (value) {
            parts << QLatin1String(label) + u'=' + QVariant::fromValue(*value).toString();
        }
    };
    add("ac", b.acPowered);
    add("name", b.name);
    add("charging", b.isCharging);
    add("charged", b.isCharged);
    add("mAh", b.currentCapacity);
    add("max", b.maxCapacity);
    add("design", b.designCapacity);
    add("toFull", b.timeToFull);
    add("toEmpty", b.timeToEmpty);
    add("maker", b.manufacturer);
    add("made", b.manufactureDate);
    add("cycles", b.cycleCount);
    add("designCycles", b.designCycleCount);
    add("mA", b.amperage);
    add("V", b.voltage);
    add("W", b.watts);
    add("C", b.temperature);
    return parts.join(u' ');
}
} // namespace

using OptInt = std::optional<qint64>;
using OptBool = std::optional<bool>;
using OptDouble = std::optional<double>;
Q_DECLARE_METATYPE(OptInt)
Q_DECLARE_METATYPE(OptBool)
Q_DECLARE_METATYPE(OptDouble)

namespace {
constexpr qint64 kMax = std::numeric_limits<qint64>::max();
constexpr qint64 kMin = std::numeric_limits<qint64>::min();
} // namespace

class BatteryManagerTest : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { QThreadPool::globalInstance()->waitForDone(); }

    // Each row's figures are worked out by hand from the raw files of its fixture tree under
    // tests/data/battery (energy batteries: mAh = µWh / voltage_min_design µV * 1000, mA = power_now
    // µW / voltage_now µV * 1000, rounded; W = V * mA). Without a system bus times come from sysfs.
    void testFixtures_data()
    {
        QTest::addColumn<QString>("fixture");
        QTest::addColumn<QString>("expected"); // empty: no internal battery
        const auto row = [](const char *name, const char *fixture, const char *expected) {
            QTest::newRow(name) << fixture << expected;
        };
        row("ACPI energy battery, ThinkPad, on battery", "thinkpad-energy",
            "ac=false name=BAT0 charging=false charged=false mAh=1608 max=1870 design=2099 maker=SMP cycles=287 "
            "mA=-602 V=11.994 W=7.220388");
        row("ACPI charge battery, charging", "acpi-charge",
            "ac=true name=BAT0 charging=true charged=false mAh=5591 max=7874 design=8947 maker=SMP cycles=164 mA=2357 "
            "V=8.217 W=19.367469");
        // Signed current kept; time_to_full_avg 3932100 s is 65535 min, the gauge's "no estimate".
        row("Smart Battery gauge, Chromebook", "chromebook-sbs",
            "ac=false name=sbs-9-000b charging=false charged=false mAh=2633 max=4114 design=4400 toEmpty=188 maker=SDI "
            "made=2021-03-17 cycles=92 mA=-840 V=7.652 W=6.42768 C=29.6");
        // USB charger online.
        row("bq27xxx gauge, tablet, charging over USB", "tablet-bq27xxx",
            "ac=true name=bq27541-0 charging=true charged=false mAh=1635 max=3892 design=4325 toFull=142 "
            "maker=Texas Instruments cycles=37 mA=1204 V=3.806 W=4.582424 C=31.8");
        // BAT0 comes first; "Not charging" with power_now 0: 0 mA and 0 W, not -0.
        row("two batteries, first one held at threshold", "two-batteries",
            "ac=true name=BAT0 charging=false charged=false mAh=1795 max=1994 design=2060 maker=LGC cycles=412 mA=0 "
            "V=12.51 W=0");
        // BAT0 has present 0.
        row("first bay empty", "first-bay-empty",
            "ac=false name=BAT1 charging=false charged=false mAh=2371 max=6381 design=6663 maker=SANYO cycles=96 "
            "mA=-978 V=11.02 W=10.77756");
        row("desktop with peripheral batteries only", "desktop-peripherals", "");
        // Powered through USB-C while the ACPI adapter says offline; the mouse is ignored.
        row("USB-C power, peripheral beside", "xps-usbc",
            "ac=true name=BAT0 charging=true charged=false mAh=3415 max=6102 design=6710 maker=BYD cycles=58 mA=3102 "
            "V=8.398 W=26.050596");
        row("missing fields", "missing-fields", "name=BAT0 charging=false charged=false mAh=2100 mA=-900");
        // No design voltage: no mAh figures. Unknown state: current unsigned, no watts. A cycle
        // count of 0 is a count.
        row("energy battery without design voltage", "energy-no-design-voltage", "name=BAT0 cycles=0 mA=400 V=12.5");
        row("odd values", "odd-values", "name=BAT0 charging=false charged=false");
        row("no power_supply class", "../../battery", "");
    }

    void testFixtures()
    {
        QFETCH(QString, fixture);
        QFETCH(QString, expected);
        const QString root = fixture.startsWith(u'/') ? fixture : QStringLiteral(TAVLO_TEST_DATA "/battery/") + fixture;
        const std::optional<Battery> battery = InternalFinder({ .sysRoot = root }).readInternalBattery();
        QCOMPARE(battery.has_value(), !expected.isEmpty());
        if (battery) {
            QCOMPARE(battery->type, BatteryType::mac);
            QCOMPARE(describe(*battery), expected);
        }
    }

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
        // Destroyed with its first reading still under way.
        BatteryManager::Options quick = options(fixture("thinkpad-energy"), 10s);
        quick.firstReadingWait = 0ms;
        BatteryManager(quick).start();
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

    // The conversions and a reading's derived figures at their edges: rounding, absent and negative
    // inputs, 64-bit limits.
    // Each conversion of one or two raw values; "-" stands for an absent result.
    void testConversions_data()
    {
        QTest::addColumn<QString>("conversion");
        QTest::addColumn<OptInt>("a");
        QTest::addColumn<OptInt>("b");
        QTest::addColumn<QString>("result");
        const auto row = [](const char *conversion, const char *name, OptInt a, OptInt b, const char *result) {
            QTest::addRow("%s: %s", conversion, name) << conversion << a << b << result;
        };
        row("milli", "just below half", 1499, {}, "1");
        row("milli", "half rounds up", 1500, {}, "2");
        row("milli", "negative half rounds away", -1500, {}, "-2");
        row("milli", "largest", kMax, {}, "9223372036854776");
        row("milli", "smallest", kMin, {}, "-9223372036854776");
        // mAh = µWh / µV * 1000; the same arithmetic turns µW at µV into mA. Typical values, rounded
        // either way, are the battery fixtures'.
        row("charge", "no voltage", 57000000, {}, "-");
        row("charge", "zero voltage", 57000000, 0, "-");
        row("charge", "negative energy", -57000000, 11400000, "-");
        row("charge", "overflows 64 bits", kMax, 1, "-");
        row("charge", "huge but fits", kMax, 11400000, "809067722531121");
        // Volts from µV, then °C from tenths, both of one raw value.
        row("volts, celsius", "absent", {}, {}, "- -");
        row("volts, celsius", "zero", 0, {}, "- 0");
        row("volts, celsius", "coldest kept", -999, {}, "- -99.9");
        row("volts, celsius", "lower bound", -1000, {}, "- -");
        row("volts, celsius", "hottest kept", 1999, {}, "0.001999 199.9");
        row("volts, celsius", "on fire", 2000, {}, "0.002 -");
        row("minutes", "negative", -60, {}, "-");
        row("minutes", "longest estimate", 65534 * 60 + 59, {}, "65534");
        row("minutes", "gauge has no estimate", 65535 * 60, {}, "-");
        // The second value: 1 while discharging. A signed gauge on a charger too weak for the
        // load reads negative while charging: the battery still drains.
        row("signed current", "signed while discharging", -1500, 1, "-1500");
        row("signed current", "draining while charging", -300, 0, "-300");
        row("signed current", "largest", kMax, 1, "-9223372036854775807");
    }
    void testConversions()
    {
        QFETCH(QString, conversion);
        QFETCH(OptInt, a);
        QFETCH(OptInt, b);
        const auto text = [](const auto &value) {
            if constexpr (std::is_same_v<std::decay_t<decltype(value)>, OptDouble>)
                return value ? QString::number(*value, 'g', 12) : QStringLiteral("-");
            else
                return value ? QString::number(*value) : QStringLiteral("-");
        };
        QString result;
        if (conversion == QLatin1String("milli")) {
            result = QString::number(BatteryUnits::microToMilli(*a));
        } else if (conversion == QLatin1String("charge")) {
            result = text(BatteryUnits::energyToChargeMilliampHours(a, b));
            QCOMPARE(text(BatteryUnits::powerToCurrentMilliamps(a, b)), result);
        } else if (conversion == QLatin1String("volts, celsius")) {
            result = text(BatteryUnits::volts(a)) + u' ' + text(BatteryUnits::celsius(a));
        } else if (conversion == QLatin1String("minutes")) {
            result = text(BatteryUnits::minutes(a));
        } else {
            result = text(BatteryUnits::signedCurrent(a, b == 1));
        }
        QTEST(result, "result");
    }

    void testWatts_data()
    {
        QTest::addColumn<OptDouble>("volts");
        QTest::addColumn<OptInt>("milliamps");
        QTest::addColumn<OptBool>("isCharging");
        QTest::addColumn<OptDouble>("watts");
        QTest::newRow("discharging") << OptDouble(12.0) << OptInt(-1500) << OptBool(false) << OptDouble(18.0);
        QTest::newRow("state absent") << OptDouble(12.0) << OptInt(-1500) << OptBool() << OptDouble();
        QTest::newRow("no current, not charging") << OptDouble(12.5) << OptInt(0) << OptBool(false) << OptDouble(0.0);
        // Held at a threshold with a small positive current: the sign of "not charging".
        QTest::newRow("not charging, positive current")
            << OptDouble(12.0) << OptInt(100) << OptBool(false) << OptDouble(-1.2);
        QTest::newRow("draining while charging") << OptDouble(12.0) << OptInt(-300) << OptBool(true) << OptDouble(-3.6);
    }
    void testWatts()
    {
        QFETCH(OptDouble, volts);
        QFETCH(OptInt, milliamps);
        QFETCH(OptBool, isCharging);
        const OptDouble result = BatteryUnits::watts(volts, milliamps, isCharging);
        QTEST(result, "watts");
        // Never a negative zero, which prints as "-0.0".
        QVERIFY(!result || !std::signbit(*result) || *result != 0.0);
    }

    void testPercentages_data()
    {
        QTest::addColumn<OptInt>("current");
        QTest::addColumn<OptInt>("max");
        QTest::addColumn<OptInt>("design");
        QTest::addColumn<OptDouble>("charge");
        QTest::addColumn<OptDouble>("health");
        QTest::newRow("worn battery") << OptInt(4012) << OptInt(4500) << OptInt(5000) << OptDouble(89.15555555555555)
                                      << OptDouble(90.0);
        QTest::newRow("current absent") << OptInt() << OptInt(4500) << OptInt(5000) << OptDouble() << OptDouble(90.0);
        QTest::newRow("max absent") << OptInt(4012) << OptInt() << OptInt(5000) << OptDouble() << OptDouble();
        QTest::newRow("over-full gauge") << OptInt(4600) << OptInt(4500) << OptInt(4000)
                                         << OptDouble(102.22222222222221) << OptDouble(112.5);
    }
    void testPercentages()
    {
        Battery battery;
        QFETCH(OptInt, current);
        QFETCH(OptInt, max);
        QFETCH(OptInt, design);
        battery.currentCapacity = current;
        battery.maxCapacity = max;
        battery.designCapacity = design;
        QTEST(battery.chargePercentage(), "charge");
        QTEST(battery.healthPercentage(), "health");
    }

    void testRemainingTime_data()
    {
        QTest::addColumn<OptBool>("isCharging");
        QTest::addColumn<OptInt>("toFull");
        QTest::addColumn<OptInt>("toEmpty");
        QTest::addColumn<QString>("text");
        QTest::newRow("state unknown") << OptBool() << OptInt(30) << OptInt(40) << "-";
        QTest::newRow("charging, zero") << OptBool(true) << OptInt(0) << OptInt(40) << "-";
        QTest::newRow("discharging uses empty") << OptBool(false) << OptInt(30) << OptInt(125) << "02:05";
        QTest::newRow("discharging, no estimate") << OptBool(false) << OptInt(30) << OptInt() << "-";
        QTest::newRow("negative") << OptBool(false) << OptInt() << OptInt(-5) << "-";
        QTest::newRow("largest") << OptBool(false) << OptInt() << OptInt(kMax) << "153722867280912930:07";
    }
    void testRemainingTime()
    {
        Battery battery;
        QFETCH(OptBool, isCharging);
        QFETCH(OptInt, toFull);
        QFETCH(OptInt, toEmpty);
        battery.isCharging = isCharging;
        battery.timeToFull = toFull;
        battery.timeToEmpty = toEmpty;
        QTEST(battery.remainingTimeText(), "text");
    }
};

QTEST_GUILESS_MAIN(BatteryManagerTest)
#include "BatteryManagerTest.moc"
