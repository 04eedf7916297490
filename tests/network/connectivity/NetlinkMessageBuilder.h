// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <arpa/inet.h>
#include <cstdint>
#include <cstring>
#include <linux/netlink.h>
#include <linux/rtnetlink.h>
#include <net/if.h>
#include <net/if_arp.h>
#include <utility>
#include <vector>

// Builds rtnetlink messages byte for byte as the kernel lays them out.
class NetlinkMessageBuilder
{
public:
    NetlinkMessageBuilder(std::uint16_t type, std::uint16_t flags = 0)
    {
        nlmsghdr header {};
        header.nlmsg_type = type;
        header.nlmsg_flags = flags;
        append(&header, sizeof header);
    }

    template<typename Body> NetlinkMessageBuilder &body(const Body &value)
    {
        append(&value, sizeof value);
        return *this;
    }

    NetlinkMessageBuilder &attribute(std::uint16_t type, const void *data, std::size_t size)
    {
        rtattr header {};
        header.rta_type = type;
        header.rta_len = static_cast<unsigned short>(RTA_LENGTH(size));
        append(&header, sizeof header);
        append(data, size);
        return *this;
    }

    NetlinkMessageBuilder &u32(std::uint16_t type, std::uint32_t value)
    {
        return attribute(type, &value, sizeof value);
    }
    NetlinkMessageBuilder &text(std::uint16_t type, const char *value)
    {
        return attribute(type, value, std::strlen(value) + 1);
    }

    // RTA_MULTIPATH with one rtnexthop and its RTA_GATEWAY per entry.
    NetlinkMessageBuilder &multipath(const std::vector<std::pair<int, QByteArray>> &hops)
    {
        QByteArray nested;
        for (const auto &[ifindex, gateway] : hops) {
            rtnexthop next {};
            next.rtnh_ifindex = ifindex;
            next.rtnh_len = static_cast<unsigned short>(RTNH_LENGTH(RTA_SPACE(gateway.size())));
            rtattr header {};
            header.rta_type = RTA_GATEWAY;
            header.rta_len = static_cast<unsigned short>(RTA_LENGTH(gateway.size()));
            nested.append(reinterpret_cast<const char *>(&next), sizeof next);
            nested.append(reinterpret_cast<const char *>(&header), sizeof header);
            nested.append(gateway); // four or sixteen bytes: aligned already
        }
        return attribute(RTA_MULTIPATH, nested.constData(), static_cast<std::size_t>(nested.size()));
    }

    QByteArray bytes() const
    {
        QByteArray result = m_bytes;
        const auto length = static_cast<std::uint32_t>(result.size());
        std::memcpy(result.data(), &length, sizeof length); // nlmsg_len comes first
        return result;
    }

private:
    void append(const void *data, std::size_t size)
    {
        m_bytes.append(static_cast<const char *>(data), static_cast<qsizetype>(size));
        while (m_bytes.size() % NLMSG_ALIGNTO != 0)
            m_bytes.append('\0');
    }

    QByteArray m_bytes;
};

// An IPv4 or IPv6 address in network order, as RTA_GATEWAY carries it.
inline QByteArray address(const char *text)
{
    const bool v6 = std::strchr(text, ':') != nullptr;
    QByteArray bytes(v6 ? 16 : 4, '\0');
    inet_pton(v6 ? AF_INET6 : AF_INET, text, bytes.data());
    return bytes;
}

inline QByteArray linkMessage(std::uint16_t type, int index, unsigned flags, const char *name,
    unsigned short arphrd = ARPHRD_ETHER, unsigned char family = AF_UNSPEC)
{
    ifinfomsg info {};
    info.ifi_family = family;
    info.ifi_index = index;
    info.ifi_flags = flags;
    info.ifi_type = arphrd;
    return NetlinkMessageBuilder(type).body(info).text(IFLA_IFNAME, name).u32(IFLA_MTU, 1500).bytes();
}

struct RouteFields
{
    unsigned char family = AF_INET;
    int oif = 0;
    QByteArray gateway {};
    std::uint32_t metric = 0;
    std::uint32_t table = RT_TABLE_MAIN;
    unsigned char type = RTN_UNICAST;
    std::vector<std::pair<int, QByteArray>> hops {}; // RTA_MULTIPATH: interface and gateway
};

inline QByteArray routeMessage(std::uint16_t messageType, const RouteFields &fields, std::uint16_t flags = 0)
{
    rtmsg route {};
    route.rtm_family = fields.family;
    route.rtm_table = static_cast<unsigned char>(fields.table < 256 ? fields.table : unsigned { RT_TABLE_COMPAT });
    route.rtm_protocol = RTPROT_BOOT;
    route.rtm_scope = RT_SCOPE_UNIVERSE;
    route.rtm_type = fields.type;
    NetlinkMessageBuilder builder(messageType, flags);
    builder.body(route).u32(RTA_TABLE, fields.table);
    if (fields.metric != 0)
        builder.u32(RTA_PRIORITY, fields.metric);
    if (!fields.gateway.isEmpty())
        builder.attribute(RTA_GATEWAY, fields.gateway.constData(), static_cast<std::size_t>(fields.gateway.size()));
    if (fields.oif != 0)
        builder.u32(RTA_OIF, static_cast<std::uint32_t>(fields.oif));
    if (!fields.hops.empty())
        builder.multipath(fields.hops);
    return builder.bytes();
}
