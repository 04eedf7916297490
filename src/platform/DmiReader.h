// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <optional>

// SMBIOS/DMI strings the kernel exports under /sys/class/dmi/id. Boards ship with filler text
// where the vendor left a field blank ("To Be Filled By O.E.M.", "Default string"); such a
// field says nothing and reads as absent. product_serial and product_uuid are mode 0400, so
// for a normal user they are absent too.
class DmiReader
{
public:
    explicit DmiReader(const QString &sysRoot = QStringLiteral("/sys"));

    bool present() const;
    std::optional<QString> field(const QString &name) const;
    // The SMBIOS chassis type number (3 desktop, 9 laptop, 13 all in one, 35 mini PC, ...).
    std::optional<int> chassisType() const;

    static bool isPlaceholder(const QString &value);

private:
    QString m_dir;
};
