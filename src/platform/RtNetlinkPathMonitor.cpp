// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/RtNetlinkPathMonitor.h"

#include <QSocketNotifier>
#include <QTimer>
#include <array>
#include <cerrno>
#include <cstring>
#include <linux/netlink.h>
#include <linux/rtnetlink.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

constexpr std::size_t receiveChunkBytes = 64 * 1024;
// Reads per wake-up before the state is looked at anyway, so a table that never stops
// changing still gets reported.
constexpr int maxReadsPerWakeUp = 4096;
constexpr int dumpRetryMs = 100;

} // namespace

RtNetlinkPathMonitor::RtNetlinkPathMonitor(const QString &sysRoot, int receiveBufferBytes, QObject *parent)
    : QObject(parent)
    , m_probe(sysRoot)
    , m_receiveBufferBytes(receiveBufferBytes)
    , m_buffer(receiveChunkBytes / sizeof(std::uint32_t))
{ }

RtNetlinkPathMonitor::~RtNetlinkPathMonitor()
{
    delete m_notifier;
    if (m_socket >= 0) {
        ::close(m_socket);
    }
}

void RtNetlinkPathMonitor::start()
{
    if (m_socket >= 0) {
        return;
    }
    const int fd = ::socket(AF_NETLINK, SOCK_RAW | SOCK_CLOEXEC | SOCK_NONBLOCK, NETLINK_ROUTE);
    if (fd < 0) {
        return;
    }
    // SO_RCVBUFFORCE passes net.core.rmem_max but needs CAP_NET_ADMIN; without it the
    // plain option gives what the limit allows.
    const int size = m_receiveBufferBytes;
    if (::setsockopt(fd, SOL_SOCKET, SO_RCVBUFFORCE, &size, sizeof size) != 0) {
        ::setsockopt(fd, SOL_SOCKET, SO_RCVBUF, &size, sizeof size);
    }
    sockaddr_nl local {};
    local.nl_family = AF_NETLINK;
    local.nl_groups = RTMGRP_LINK | RTMGRP_IPV4_IFADDR | RTMGRP_IPV6_IFADDR | RTMGRP_IPV4_ROUTE | RTMGRP_IPV6_ROUTE;
    socklen_t localLength = sizeof local;
    if (::bind(fd, reinterpret_cast<const sockaddr *>(&local), sizeof local) != 0
        || ::getsockname(fd, reinterpret_cast<sockaddr *>(&local), &localLength) != 0) {
        ::close(fd);
        return;
    }
    m_socket = fd;
    m_portId = local.nl_pid;
    m_notifier = new QSocketNotifier(fd, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &RtNetlinkPathMonitor::readAvailable);

    m_pendingDumps = DumpAll;
    sendNextDump();
    readAvailable();
}

void RtNetlinkPathMonitor::readAvailable()
{
    if (m_socket < 0) {
        return;
    }
    for (int reads = 0; reads < maxReadsPerWakeUp; ++reads) {
        sockaddr_nl sender {};
        iovec chunk { m_buffer.data(), m_buffer.size() * sizeof(std::uint32_t) };
        msghdr header {};
        header.msg_name = &sender;
        header.msg_namelen = sizeof sender;
        header.msg_iov = &chunk;
        header.msg_iovlen = 1;
        const ssize_t received = ::recvmsg(m_socket, &header, MSG_DONTWAIT);
        if (received < 0) {
            if (errno == EINTR) {
                continue;
            }
            if (errno == ENOBUFS) {
                // The receive queue overflowed and notifications are lost: what we hold may
                // be wrong in any way, so read everything again.
                ++m_overflows;
                m_pendingDumps |= DumpAll;
                sendNextDump();
                continue;
            }
            break;
        }
        if (received == 0) {
            break;
        }
        // Any local process may send to our port; only the kernel's word counts.
        if (sender.nl_pid != 0) {
            continue;
        }
        if ((header.msg_flags & MSG_TRUNC) != 0) {
            ++m_overflows;
            m_pendingDumps |= DumpAll;
            sendNextDump();
            continue;
        }
        NetlinkPathTable::forEachMessage(reinterpret_cast<const char *>(m_buffer.data()),
            static_cast<std::size_t>(received),
            [this](const char *message, std::size_t length) { handleMessage(message, length); });
        sendNextDump();
    }
    // Half-read tables say nothing reliable; the report waits for the last dump.
    if (m_dumpInFlight == 0 && m_pendingDumps == 0) {
        publishIfChanged();
    }
}

void RtNetlinkPathMonitor::handleMessage(const char *message, std::size_t length)
{
    nlmsghdr header {};
    std::memcpy(&header, message, sizeof header);
    const bool dumpReply = m_dumpInFlight != 0 && header.nlmsg_seq == m_dumpSequence && header.nlmsg_pid == m_portId;
    if (dumpReply) {
        // The kernel marks a dump during which the table changed; it may have skipped or
        // repeated entries.
        if ((header.nlmsg_flags & NLM_F_DUMP_INTR) != 0) {
            m_dumpInterrupted = true;
        }
        if (header.nlmsg_type == NLMSG_DONE || header.nlmsg_type == NLMSG_ERROR) {
            if (m_dumpInterrupted) {
                m_pendingDumps |= m_dumpInFlight;
            }
            m_dumpInFlight = 0;
            return;
        }
    }
    if (header.nlmsg_type < NLMSG_MIN_TYPE) {
        return;
    }
    const NetlinkPathTable::Effect effect = m_table.apply(message, length);
    if (effect.routesStale) {
        m_pendingDumps |= DumpRoutes4 | DumpRoutes6;
    }
}

void RtNetlinkPathMonitor::sendNextDump()
{
    if (m_socket < 0 || m_dumpInFlight != 0 || m_pendingDumps == 0) {
        return;
    }
    // Links before routes, so a route's interface is known when it is evaluated. The
    // kernel runs one dump per socket at a time.
    unsigned dump = DumpRoutes6;
    if ((m_pendingDumps & DumpLinks) != 0) {
        dump = DumpLinks;
    } else if ((m_pendingDumps & DumpRoutes4) != 0) {
        dump = DumpRoutes4;
    }

    struct alignas(NLMSG_ALIGNTO) Request
    {
        nlmsghdr header;
        union {
            ifinfomsg link;
            rtmsg route;
        } body;
    };
    Request request {};
    request.header.nlmsg_flags = NLM_F_REQUEST | NLM_F_DUMP;
    if (++m_sequence == 0) {
        ++m_sequence;
    }
    request.header.nlmsg_seq = m_sequence;
    if (dump == DumpLinks) {
        request.header.nlmsg_len = NLMSG_LENGTH(sizeof(ifinfomsg));
        request.header.nlmsg_type = RTM_GETLINK;
        request.body.link.ifi_family = AF_UNSPEC;
    } else {
        request.header.nlmsg_len = NLMSG_LENGTH(sizeof(rtmsg));
        request.header.nlmsg_type = RTM_GETROUTE;
        request.body.route.rtm_family = dump == DumpRoutes4 ? AF_INET : AF_INET6;
        request.body.route.rtm_table = RT_TABLE_MAIN;
    }
    sockaddr_nl kernel {};
    kernel.nl_family = AF_NETLINK;
    if (::sendto(
            m_socket, &request, request.header.nlmsg_len, 0, reinterpret_cast<const sockaddr *>(&kernel), sizeof kernel)
        < 0) {
        // Out of memory for the request, most likely: try again shortly rather than stall.
        if (!m_retryScheduled) {
            m_retryScheduled = true;
            QTimer::singleShot(dumpRetryMs, this, [this] {
                m_retryScheduled = false;
                sendNextDump();
                readAvailable();
            });
        }
        return;
    }
    m_pendingDumps &= ~dump;
    m_dumpInFlight = dump;
    m_dumpSequence = m_sequence;
    m_dumpInterrupted = false;
    if (dump == DumpLinks) {
        m_table.clearLinks();
    } else {
        m_table.clearRoutes(dump == DumpRoutes4 ? AF_INET : AF_INET6);
    }
}

void RtNetlinkPathMonitor::publishIfChanged()
{
    const NetworkPath path = m_table.evaluate(m_probe);
    if (m_reported && *m_reported == path) {
        return;
    }
    m_reported = path;
    emit pathChanged(path);
}
