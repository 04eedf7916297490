// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/InterfaceKindProbe.h"
#include "platform/NetlinkPathTable.h"
#include "platform/NetworkPath.h"

#include <QObject>
#include <QString>
#include <atomic>
#include <cstdint>
#include <optional>
#include <vector>

class QSocketNotifier;

// Follows the default network path through rtnetlink: one NETLINK_ROUTE socket subscribed
// to link, address and route changes of both families, read when the kernel has something
// to say. Lives on the thread that calls start(), and the socket belongs to that thread's
// network namespace.
class RtNetlinkPathMonitor : public QObject
{
    Q_OBJECT

public:
    // Large enough for a few thousand notifications between two reads; should the kernel
    // still overflow it, the monitor reads the tables afresh.
    static constexpr int defaultReceiveBufferBytes = 1024 * 1024;

    explicit RtNetlinkPathMonitor(const QString &sysRoot = QStringLiteral("/sys"),
        int receiveBufferBytes = defaultReceiveBufferBytes, QObject *parent = nullptr);
    ~RtNetlinkPathMonitor() override;

    // How often the kernel dropped notifications for want of room, each answered by a resync.
    int overflowCount() const { return m_overflows.load(); }

public slots:
    // Opens the socket and reads the link and route tables. The first report follows once
    // they are read; a monitor whose socket cannot be opened never reports.
    void start();

signals:
    // The first report, then one each time the path's facts differ from the last report.
    void pathChanged(const NetworkPath &path);

private:
    enum Dump : unsigned
    {
        DumpLinks = 1U << 0U,
        DumpRoutes4 = 1U << 1U,
        DumpRoutes6 = 1U << 2U,
        DumpAll = DumpLinks | DumpRoutes4 | DumpRoutes6,
    };

    void readAvailable();
    void handleMessage(const char *message, std::size_t length);
    void sendNextDump();
    void publishIfChanged();

    InterfaceKindProbe m_probe;
    int m_receiveBufferBytes;
    int m_socket = -1;
    std::uint32_t m_portId = 0;
    std::uint32_t m_sequence = 0;
    QSocketNotifier *m_notifier = nullptr;
    NetlinkPathTable m_table;
    std::vector<std::uint32_t> m_buffer;

    unsigned m_pendingDumps = 0;
    unsigned m_dumpInFlight = 0;
    std::uint32_t m_dumpSequence = 0;
    bool m_dumpInterrupted = false;
    bool m_retryScheduled = false;
    std::optional<NetworkPath> m_reported;
    std::atomic<int> m_overflows { 0 };
};
