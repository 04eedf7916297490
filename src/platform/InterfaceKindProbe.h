// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/NetworkPath.h"

#include <QString>

// Tells what kind of hardware stands behind a network interface from what sysfs exposes
// under class/net/<name>.
class InterfaceKindProbe
{
public:
    explicit InterfaceKindProbe(QString sysRoot = QStringLiteral("/sys"));

    // arphrdType is the link's hardware type as rtnetlink reports it (ifi_type).
    InterfaceKind kindOf(const QString &name, unsigned short arphrdType) const;

private:
    QString m_sysRoot;
};
