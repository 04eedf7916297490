// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/NetlinkPathTable.h"

#include "platform/InterfaceKindProbe.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <linux/netlink.h>
#include <linux/rtnetlink.h>
#include <net/if.h>
#include <sys/socket.h>

namespace {

// Walks the attributes in [data, data + length). Every length is checked against what is
// left, so a lying rta_len ends the walk instead of reading past the buffer.
template<typename Visit> void forEachAttribute(const char *data, std::size_t length, Visit visit)
{
    std::size_t offset = 0;
    while (length - offset >= sizeof(rtattr)) {
        rtattr attribute {};
        std::memcpy(&attribute, data + offset, sizeof attribute);
        if (attribute.rta_len < sizeof(rtattr) || attribute.rta_len > length - offset) {
            return;
        }
        visit(attribute.rta_type, data + offset + RTA_LENGTH(0), attribute.rta_len - RTA_LENGTH(0));
        const std::size_t step = RTA_ALIGN(attribute.rta_len);
        if (step >= length - offset) {
            return;
        }
        offset += step;
    }
}

std::uint32_t readU32(const char *data, std::size_t size, std::uint32_t fallback)
{
    if (size < sizeof(std::uint32_t)) {
        return fallback;
    }
    std::uint32_t value = 0;
    std::memcpy(&value, data, sizeof value);
    return value;
}

constexpr std::array<InterfaceKind, 5> kindPreference {
    InterfaceKind::cellular,
    InterfaceKind::wifi,
    InterfaceKind::wiredEthernet,
    InterfaceKind::other,
    InterfaceKind::loopback,
};

} // namespace

NetlinkPathTable::Effect NetlinkPathTable::apply(const char *message, std::size_t length)
{
    if (length < sizeof(nlmsghdr)) {
        return {};
    }
    nlmsghdr header {};
    std::memcpy(&header, message, sizeof header);
    length = std::min<std::size_t>(length, header.nlmsg_len);

    switch (header.nlmsg_type) {
    case RTM_NEWLINK:
    case RTM_DELLINK:
        return applyLink(header.nlmsg_type, message, length);
    case RTM_NEWROUTE:
    case RTM_DELROUTE:
        return applyRoute(header.nlmsg_type, header.nlmsg_flags, message, length);
    case RTM_DELADDR:
        // Removing an IPv4 address makes the kernel drop the routes that used it, and it
        // sends no RTM_DELROUTE for them.
        return { .pathMayChange = false, .routesStale = true };
    default:
        return {};
    }
}

NetlinkPathTable::Effect NetlinkPathTable::applyLink(
    unsigned short messageType, const char *message, std::size_t length)
{
    if (length < NLMSG_LENGTH(sizeof(ifinfomsg))) {
        return {};
    }
    ifinfomsg info {};
    std::memcpy(&info, message + NLMSG_HDRLEN, sizeof info);
    // Bridge port events come on the same group as AF_BRIDGE link messages; an AF_BRIDGE
    // RTM_DELLINK means the port left its bridge, not that the device is gone.
    if (info.ifi_family != AF_UNSPEC || info.ifi_index <= 0) {
        return {};
    }
    const int index = info.ifi_index;

    if (messageType == RTM_DELLINK) {
        m_links.erase(index);
        std::erase_if(m_hops, [index](const DefaultHop &hop) { return hop.outputInterface == index; });
        return { .pathMayChange = true, .routesStale = true };
    }

    QString name;
    const std::size_t attributesAt = NLMSG_LENGTH(sizeof(ifinfomsg));
    forEachAttribute(message + attributesAt, length - attributesAt,
        [&name](unsigned short type, const char *data, std::size_t size) {
            if (type == IFLA_IFNAME) {
                name = QString::fromUtf8(data, static_cast<qsizetype>(strnlen(data, size)));
            }
        });

    const auto existing = m_links.find(index);
    const bool known = existing != m_links.end();
    const unsigned int oldFlags = known ? existing->second.flags : 0;
    Link &link = m_links[index];
    if (!name.isEmpty()) {
        link.name = name;
    }
    link.flags = info.ifi_flags;
    link.type = info.ifi_type;
    // Taking a link down makes the kernel flush its IPv4 routes without a single
    // RTM_DELROUTE; once it is up again the default route is gone for good.
    const bool upChanged = known && ((oldFlags ^ link.flags) & IFF_UP) != 0;
    return { .pathMayChange = true, .routesStale = upChanged };
}

NetlinkPathTable::Effect NetlinkPathTable::applyRoute(
    unsigned short messageType, unsigned short messageFlags, const char *message, std::size_t length)
{
    if (length < NLMSG_LENGTH(sizeof(rtmsg))) {
        return {};
    }
    rtmsg route {};
    std::memcpy(&route, message + NLMSG_HDRLEN, sizeof route);
    if ((route.rtm_family != AF_INET && route.rtm_family != AF_INET6) || route.rtm_dst_len != 0
        || (route.rtm_flags & RTM_F_CLONED) != 0) {
        return {};
    }

    std::uint32_t table = route.rtm_table;
    std::uint32_t priority = 0;
    int outputInterface = 0;
    QByteArray gateway;
    std::vector<DefaultHop> hops;
    const std::size_t attributesAt = NLMSG_LENGTH(sizeof(rtmsg));
    forEachAttribute(
        message + attributesAt, length - attributesAt, [&](unsigned short type, const char *data, std::size_t size) {
            switch (type) {
            case RTA_TABLE:
                // Tables above 255 only fit here; rtm_table then says RT_TABLE_COMPAT.
                table = readU32(data, size, table);
                break;
            case RTA_PRIORITY:
                priority = readU32(data, size, 0);
                break;
            case RTA_OIF:
                outputInterface = static_cast<int>(readU32(data, size, 0));
                break;
            case RTA_GATEWAY:
            case RTA_VIA:
                gateway = QByteArray(data, static_cast<qsizetype>(size));
                break;
            case RTA_MULTIPATH: {
                std::size_t offset = 0;
                while (size - offset >= sizeof(rtnexthop)) {
                    rtnexthop next {};
                    std::memcpy(&next, data + offset, sizeof next);
                    if (next.rtnh_len < sizeof(rtnexthop) || next.rtnh_len > size - offset) {
                        break;
                    }
                    DefaultHop hop;
                    hop.outputInterface = next.rtnh_ifindex;
                    forEachAttribute(data + offset + RTNH_LENGTH(0), next.rtnh_len - RTNH_LENGTH(0),
                        [&hop](unsigned short nestedType, const char *nested, std::size_t nestedSize) {
                            if (nestedType == RTA_GATEWAY || nestedType == RTA_VIA) {
                                hop.gateway = QByteArray(nested, static_cast<qsizetype>(nestedSize));
                            }
                        });
                    hops.push_back(hop);
                    const std::size_t step = RTNH_ALIGN(next.rtnh_len);
                    if (step >= size - offset) {
                        break;
                    }
                    offset += step;
                }
                break;
            }
            default:
                break;
            }
        });
    if (table != RT_TABLE_MAIN) {
        return {};
    }
    // A route through a nexthop object (RTA_NH_ID) names no interface and yields no hop.
    if (hops.empty() && outputInterface > 0) {
        DefaultHop hop;
        hop.outputInterface = outputInterface;
        hop.gateway = gateway;
        hops.push_back(hop);
    }
    for (DefaultHop &hop : hops) {
        hop.family = route.rtm_family;
        hop.priority = priority;
        hop.tos = route.rtm_tos;
    }
    const auto sameSlot = [&route, priority](const DefaultHop &hop) {
        return hop.family == route.rtm_family && hop.priority == priority && hop.tos == route.rtm_tos;
    };

    if (messageType == RTM_NEWROUTE) {
        // A replacement takes the slot (family, metric, TOS) whatever the old route was,
        // also when the new one is an unreachable or blackhole route.
        if ((messageFlags & NLM_F_REPLACE) != 0) {
            std::erase_if(m_hops, sameSlot);
        }
        if (route.rtm_type == RTN_UNICAST) {
            for (const DefaultHop &hop : hops) {
                if (std::find(m_hops.begin(), m_hops.end(), hop) == m_hops.end()) {
                    m_hops.push_back(hop);
                }
            }
        }
    } else {
        for (const DefaultHop &hop : hops) {
            const auto found = std::find(m_hops.begin(), m_hops.end(), hop);
            if (found != m_hops.end()) {
                m_hops.erase(found);
            }
        }
    }
    return { .pathMayChange = true, .routesStale = false };
}

void NetlinkPathTable::clearRoutes(unsigned char family)
{
    std::erase_if(m_hops, [family](const DefaultHop &hop) { return hop.family == family; });
}

bool NetlinkPathTable::isLinkUsable(unsigned int flags)
{
    // IFF_RUNNING is the kernel's operational state reduced to a bit: set for "up" and for
    // "unknown" (tun, ppp and lo never report one), clear for a cable pulled (no carrier)
    // and for Wi-Fi still authenticating (dormant). IFF_UP alone would call a link
    // without carrier usable, and carrier alone misses dormant links.
    return (flags & IFF_UP) != 0 && (flags & IFF_RUNNING) != 0;
}

NetworkPath NetlinkPathTable::evaluate(const InterfaceKindProbe &probe) const
{
    NetworkPath path;
    std::map<int, InterfaceKind> kinds;
    for (const DefaultHop &hop : m_hops) {
        const auto link = m_links.find(hop.outputInterface);
        if (link == m_links.end() || !isLinkUsable(link->second.flags)) {
            continue;
        }
        path.usable = true;
        path.supportsIPv4 = path.supportsIPv4 || hop.family == AF_INET;
        path.supportsIPv6 = path.supportsIPv6 || hop.family == AF_INET6;
        if (!kinds.contains(hop.outputInterface)) {
            kinds.emplace(hop.outputInterface, probe.kindOf(link->second.name, link->second.type));
        }
    }
    for (const InterfaceKind kind : kindPreference) {
        const bool used
            = std::any_of(kinds.begin(), kinds.end(), [kind](const auto &entry) { return entry.second == kind; });
        if (used) {
            path.kind = kind;
            break;
        }
    }
    return path;
}

void NetlinkPathTable::forEachMessage(
    const char *buffer, std::size_t length, const std::function<void(const char *message, std::size_t length)> &handle)
{
    std::size_t offset = 0;
    while (length - offset >= sizeof(nlmsghdr)) {
        nlmsghdr header {};
        std::memcpy(&header, buffer + offset, sizeof header);
        if (header.nlmsg_len < sizeof(nlmsghdr) || header.nlmsg_len > length - offset) {
            return;
        }
        handle(buffer + offset, header.nlmsg_len);
        const std::size_t step = NLMSG_ALIGN(header.nlmsg_len);
        if (step >= length - offset) {
            return;
        }
        offset += step;
    }
}
