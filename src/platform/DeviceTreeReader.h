// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// The flattened device tree that ARM and RISC-V boards boot with, as /proc/device-tree (a link
// to /sys/firmware/devicetree/base). Properties are NUL-terminated strings; "compatible" is a
// list of them, most specific first.
class DeviceTreeReader
{
public:
    explicit DeviceTreeReader(const QString &procRoot = QStringLiteral("/proc"));

    bool present() const;
    std::optional<QString> model() const;
    QStringList compatible() const;
    std::optional<QString> serialNumber() const;
    // "laptop", "desktop", "tablet", "embedded", ... when the tree names it.
    std::optional<QString> chassisType() const;

private:
    std::optional<QString> stringProperty(const QString &name) const;

    QString m_dir;
};
