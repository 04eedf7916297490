// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "battery/InternalFinder.h"

#include "battery/BatteryUnits.h"
#include "platform/PowerSupplyReader.h"
#include "platform/UPowerClient.h"

#include <QStringList>

namespace {

const QStringList kKindAttributes { QStringLiteral("type"), QStringLiteral("scope"), QStringLiteral("present"),
    QStringLiteral("online") };

const QStringList kBatteryAttributes {
    QStringLiteral("status"),
    QStringLiteral("charge_now"),
    QStringLiteral("charge_full"),
    QStringLiteral("charge_full_design"),
    QStringLiteral("energy_now"),
    QStringLiteral("energy_full"),
    QStringLiteral("energy_full_design"),
    QStringLiteral("voltage_min_design"),
    QStringLiteral("voltage_now"),
    QStringLiteral("current_now"),
    QStringLiteral("power_now"),
    QStringLiteral("cycle_count"),
    QStringLiteral("temp"),
    QStringLiteral("time_to_empty_now"),
    QStringLiteral("time_to_full_now"),
    QStringLiteral("time_to_empty_avg"),
    QStringLiteral("time_to_full_avg"),
    QStringLiteral("manufacturer"),
    QStringLiteral("manufacture_year"),
    QStringLiteral("manufacture_month"),
    QStringLiteral("manufacture_day"),
};

// A battery of the machine itself. Peripherals (mice, keyboards, game pads, a phone over
// Bluetooth) are also of type Battery but have scope Device; most laptop drivers have no
// scope attribute at all. An empty bay (a ThinkPad's removable second battery) has present 0.
bool isInternalBattery(const PowerSupply &supply)
{
    return supply.text(QStringLiteral("type")) == QLatin1String("Battery")
        && supply.text(QStringLiteral("scope")) != QLatin1String("Device")
        && supply.integer(QStringLiteral("present")).value_or(1) != 0;
}

bool isExternalPower(const PowerSupply &supply)
{
    const std::optional<QString> type = supply.text(QStringLiteral("type"));
    return (type == QLatin1String("Mains") || type == QLatin1String("USB"))
        && supply.text(QStringLiteral("scope")) != QLatin1String("Device");
}

// Connected when any adapter or USB port feeds the machine; not connected when every one
// that says so is offline; absent when none says (desktops without an AC entry, VMs).
std::optional<bool> externalPowerOnline(const QList<PowerSupply> &supplies)
{
    std::optional<bool> online;
    for (const PowerSupply &supply : supplies) {
        if (!isExternalPower(supply)) {
            continue;
        }
        if (const std::optional<qint64> value = supply.integer(QStringLiteral("online"))) {
            if (*value > 0) {
                return true;
            }
            online = false;
        }
    }
    return online;
}

// A full-charge or design capacity of zero is a gauge that has not learnt it yet, not a
// battery that holds nothing.
std::optional<qint64> positive(std::optional<qint64> value)
{
    if (value && *value <= 0) {
        return std::nullopt;
    }
    return value;
}

std::optional<qint64> capacity(const PowerSupply &battery, const QString &chargeName, const QString &energyName)
{
    if (const std::optional<qint64> charge = BatteryUnits::chargeMilliampHours(battery.integer(chargeName))) {
        return charge;
    }
    return BatteryUnits::energyToChargeMilliampHours(
        battery.integer(energyName), battery.integer(QStringLiteral("voltage_min_design")));
}

std::optional<QDate> manufactureDate(const PowerSupply &battery)
{
    const std::optional<qint64> year = battery.integer(QStringLiteral("manufacture_year"));
    const std::optional<qint64> month = battery.integer(QStringLiteral("manufacture_month"));
    const std::optional<qint64> day = battery.integer(QStringLiteral("manufacture_day"));
    if (!year || !month || !day || *year < 1 || *year > 9999 || *month < 1 || *month > 12 || *day < 1 || *day > 31) {
        return std::nullopt;
    }
    const QDate date(static_cast<int>(*year), static_cast<int>(*month), static_cast<int>(*day));
    if (!date.isValid()) {
        return std::nullopt;
    }
    return date;
}

std::optional<qint64> estimate(const PowerSupply &battery, const QString &now, const QString &average)
{
    if (battery.attributes.contains(now)) {
        return BatteryUnits::minutes(battery.integer(now));
    }
    return BatteryUnits::minutes(battery.integer(average));
}

void readFlowAndCharge(const PowerSupply &supply, Battery &battery)
{
    const std::optional<QString> status = supply.text(QStringLiteral("status"));
    // Kernel states: "Charging", "Discharging", "Not charging" (held by a charge threshold),
    // "Full", "Unknown". Unknown or anything else leaves both flags absent.
    if (status == QLatin1String("Charging")) {
        battery.isCharging = true;
        battery.isCharged = false;
    } else if (status == QLatin1String("Discharging") || status == QLatin1String("Not charging")) {
        battery.isCharging = false;
        battery.isCharged = false;
    } else if (status == QLatin1String("Full")) {
        battery.isCharging = false;
        battery.isCharged = true;
    }

    battery.currentCapacity = capacity(supply, QStringLiteral("charge_now"), QStringLiteral("energy_now"));
    battery.maxCapacity = positive(capacity(supply, QStringLiteral("charge_full"), QStringLiteral("energy_full")));
    battery.designCapacity
        = positive(capacity(supply, QStringLiteral("charge_full_design"), QStringLiteral("energy_full_design")));

    const std::optional<qint64> cycles = supply.integer(QStringLiteral("cycle_count"));
    if (cycles && *cycles >= 0) {
        battery.cycleCount = cycles;
    }

    const std::optional<qint64> microvoltsNow = supply.integer(QStringLiteral("voltage_now"));
    battery.voltage = BatteryUnits::volts(microvoltsNow);

    // Energy-counting batteries report power_now (µW) instead of a current.
    std::optional<qint64> milliamps;
    if (const std::optional<qint64> microamps = supply.integer(QStringLiteral("current_now"))) {
        milliamps = BatteryUnits::microToMilli(*microamps);
    } else if (battery.voltage) {
        milliamps = BatteryUnits::powerToCurrentMilliamps(supply.integer(QStringLiteral("power_now")), microvoltsNow);
    }
    battery.amperage = BatteryUnits::signedCurrent(milliamps, status == QLatin1String("Discharging"));
    battery.watts = BatteryUnits::watts(battery.voltage, battery.amperage, battery.isCharging);

    battery.temperature = BatteryUnits::celsius(supply.integer(QStringLiteral("temp")));
}

} // namespace

InternalFinder::InternalFinder()
    : InternalFinder(Sources {})
{ }

InternalFinder::InternalFinder(Sources sources)
    : m_sources(std::move(sources))
{ }

std::optional<Battery> InternalFinder::readInternalBattery() const
{
    const PowerSupplyReader reader(m_sources.sysRoot);
    QList<PowerSupply> supplies;
    std::optional<QString> internalName;
    for (const QString &name : reader.supplyNames()) {
        supplies.append(reader.read(name, kKindAttributes));
        if (!internalName && isInternalBattery(supplies.last())) {
            internalName = name;
        }
    }
    if (!internalName) {
        return std::nullopt;
    }

    const PowerSupply supply = reader.read(*internalName, kBatteryAttributes);
    Battery battery;
    battery.type = BatteryType::mac;
    battery.name = supply.name;
    battery.acPowered = externalPowerOnline(supplies);
    battery.manufacturer = supply.text(QStringLiteral("manufacturer"));
    battery.manufactureDate = manufactureDate(supply);
    readFlowAndCharge(supply, battery);

    // Smart-battery gauges (sbs-battery) have no instant time to full, only the average.
    battery.timeToEmpty = estimate(supply, QStringLiteral("time_to_empty_now"), QStringLiteral("time_to_empty_avg"));
    battery.timeToFull = estimate(supply, QStringLiteral("time_to_full_now"), QStringLiteral("time_to_full_avg"));
    // ACPI batteries give the kernel no estimates; UPower computes them from the charge rate.
    if (m_sources.askUPower && (!battery.timeToEmpty || !battery.timeToFull)) {
        if (const std::optional<UPowerTimes> times
            = UPowerClient(m_sources.upowerTimeoutMs).batteryTimes(supply.name)) {
            if (!battery.timeToEmpty) {
                battery.timeToEmpty = BatteryUnits::minutes(times->timeToEmpty);
            }
            if (!battery.timeToFull) {
                battery.timeToFull = BatteryUnits::minutes(times->timeToFull);
            }
        }
    }
    return battery;
}
