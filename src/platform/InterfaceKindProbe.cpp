// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/InterfaceKindProbe.h"

#include "platform/SysInfoFile.h"

#include <QFileInfo>
#include <net/if_arp.h>
#include <utility>

namespace {

// The DEVTYPE= line of a net device's uevent; empty when the driver sets none.
QByteArray deviceType(const QString &dir)
{
    // A uevent file is a handful of short lines; anything longer is not one.
    const QByteArray content = SysInfoFile::read(dir + QStringLiteral("/uevent"), 4096).value_or(QByteArray());
    for (const QByteArray &line : content.split('\n')) {
        if (line.startsWith("DEVTYPE=")) {
            return line.mid(8).trimmed();
        }
    }
    return {};
}

} // namespace

InterfaceKindProbe::InterfaceKindProbe(QString sysRoot)
    : m_sysRoot(std::move(sysRoot))
{ }

InterfaceKind InterfaceKindProbe::kindOf(const QString &name, unsigned short arphrdType) const
{
    if (name == QLatin1String("lo") || arphrdType == ARPHRD_LOOPBACK) {
        return InterfaceKind::loopback;
    }
    // The kernel refuses such names, but the name came over a socket: never let it walk
    // out of class/net.
    if (name.isEmpty() || name.contains(QLatin1Char('/')) || name == QLatin1String(".")
        || name == QLatin1String("..")) {
        return InterfaceKind::other;
    }
    const QString dir = m_sysRoot + QStringLiteral("/class/net/") + name;
    const QByteArray devType = deviceType(dir);

    // cfg80211 gives every wireless netdev a phy80211 link and DEVTYPE=wlan; drivers that
    // still speak wireless extensions have a wireless/ directory instead.
    if (QFileInfo::exists(dir + QStringLiteral("/phy80211")) || QFileInfo::exists(dir + QStringLiteral("/wireless"))
        || devType == "wlan") {
        return InterfaceKind::wifi;
    }
    // Mobile broadband modems (usbnet's qmi_wwan, cdc_mbim, the wwan subsystem) present
    // either Ethernet or raw-IP links; DEVTYPE is what marks them.
    if (devType == "wwan") {
        return InterfaceKind::cellular;
    }
    // Ethernet framing alone says little: bridges, veths, macvlans and tap devices all use
    // it. A physical NIC is the one with a device behind it.
    if (arphrdType == ARPHRD_ETHER && QFileInfo::exists(dir + QStringLiteral("/device"))) {
        return InterfaceKind::wiredEthernet;
    }
    return InterfaceKind::other;
}
