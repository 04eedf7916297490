// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <optional>

// The attributes of one entry of /sys/class/power_supply, as the kernel printed them.
struct PowerSupply
{
    QString name;
    // Attribute file name -> its text with surrounding white space removed. Files that are
    // missing or that the driver refused to read (ENODATA, ENODEV, EIO) are not in the map.
    QHash<QString, QString> attributes;

    // The text of an attribute, absent when missing or empty.
    std::optional<QString> text(const QString &attribute) const;
    // A decimal integer attribute, absent when missing, empty, not a whole number, or out of
    // the 64-bit range.
    std::optional<qint64> integer(const QString &attribute) const;
};

// Reads power supplies from sysfs. The root is the sysfs mount point, so tests can point it
// at a fixture tree.
class PowerSupplyReader
{
public:
    explicit PowerSupplyReader(const QString &sysRoot = QStringLiteral("/sys"));

    // Names of the supplies, sorted, e.g. "AC", "BAT0", "hid-…-battery".
    QStringList supplyNames() const;

    // Reads the given attributes of one supply. Every read is one small file; a driver may
    // take a while to answer (an ACPI battery asks the embedded controller), so callers keep
    // this off the main thread.
    PowerSupply read(const QString &name, const QStringList &attributes) const;

private:
    QString m_classDir;
};
