// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "battery/BatteryType.h"

#include <QDate>
#include <QMetaType>
#include <QString>
#include <optional>

// One snapshot of the internal battery. Every reading makes a new record with a new id; a
// field the platform did not report stays absent, which is not the same as zero or false.
class Battery
{
public:
    Battery();

    // A fresh random UUID in upper case, e.g. "3F2504E0-4F89-41D3-9A0C-0305E82C3301".
    QString id;
    std::optional<bool> acPowered;
    std::optional<QString> name;
    std::optional<bool> isCharging;
    std::optional<bool> isCharged;
    std::optional<qint64> currentCapacity; // mAh
    std::optional<qint64> maxCapacity; // mAh, full charge now
    std::optional<qint64> designCapacity; // mAh, full charge when new
    std::optional<qint64> timeToFull; // minutes
    std::optional<qint64> timeToEmpty; // minutes
    std::optional<QString> manufacturer;
    std::optional<QDate> manufactureDate;
    std::optional<qint64> cycleCount;
    std::optional<qint64> designCycleCount;
    std::optional<qint64> amperage; // mA, negative while discharging
    std::optional<double> voltage; // V
    std::optional<double> watts; // W
    std::optional<double> temperature; // °C
    BatteryType type = BatteryType::none;

    // Derived on every call. A present divisor of zero gives the IEEE result (inf or NaN).
    std::optional<double> healthPercentage() const;
    std::optional<double> chargePercentage() const;
    std::optional<double> chargeFraction() const;
    // timeToFull while charging, timeToEmpty otherwise; absent when isCharging is absent.
    std::optional<qint64> remainingMinutes() const;
    // "hh:mm" of remainingMinutes (hours may exceed two digits), or "-" when there is no
    // positive estimate.
    QString remainingTimeText() const;
};

Q_DECLARE_METATYPE(Battery)
