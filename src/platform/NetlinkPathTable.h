// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/NetworkPath.h"

#include <QByteArray>
#include <QString>
#include <cstddef>
#include <functional>
#include <map>
#include <vector>

class InterfaceKindProbe;

// The part of the kernel's link and routing tables that decides the default network path,
// kept up to date from rtnetlink messages. No socket here: the monitor feeds it what it
// reads, tests feed it messages they build.
class NetlinkPathTable
{
public:
    struct Link
    {
        QString name;
        unsigned int flags = 0; // IFF_*
        unsigned short type = 0; // ARPHRD_*
    };

    // One way out of a default route in the main table; a multipath route gives several.
    struct DefaultHop
    {
        unsigned char family = 0;
        unsigned int priority = 0;
        unsigned char tos = 0;
        QByteArray gateway;
        int outputInterface = 0;

        bool operator==(const DefaultHop &) const = default;
    };

    struct Effect
    {
        // The message touched a link or a default route.
        bool pathMayChange = false;
        // The kernel may have dropped routes without saying so; the routes must be read again.
        bool routesStale = false;
    };

    // Applies one message of `length` bytes (its nlmsg_len). Anything that is not a link or
    // a route message, or that is malformed, is ignored.
    Effect apply(const char *message, std::size_t length);

    void clearLinks() { m_links.clear(); }
    void clearRoutes(unsigned char family);

    const std::map<int, Link> &links() const { return m_links; }
    const std::vector<DefaultHop> &defaultHops() const { return m_hops; }

    // The path as it stands: usable when a default route leaves through a link that is up.
    NetworkPath evaluate(const InterfaceKindProbe &probe) const;

    // Calls `handle` for each complete message in a buffer read from the socket, with its
    // own length; stops at the first one whose header does not fit.
    static void forEachMessage(const char *buffer, std::size_t length,
        const std::function<void(const char *message, std::size_t length)> &handle);

    // Whether a link with these IFF_* flags can carry traffic.
    static bool isLinkUsable(unsigned int flags);

private:
    Effect applyLink(unsigned short messageType, const char *message, std::size_t length);
    Effect applyRoute(unsigned short messageType, unsigned short messageFlags, const char *message, std::size_t length);

    std::map<int, Link> m_links;
    std::vector<DefaultHop> m_hops;
};
