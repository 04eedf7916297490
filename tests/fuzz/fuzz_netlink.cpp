// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Any buffer read from the rtnetlink socket: messages stay inside it, and the table keeps
// only IPv4 and IPv6 default routes.
#include "FuzzSupport.h"
#include "platform/InterfaceKindProbe.h"
#include "platform/NetlinkPathTable.h"

#include <cstring>
#include <sys/socket.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // A private copy, aligned as the socket buffer is.
    std::vector<uint32_t> buffer((size + 3) / 4);
    if (size > 0)
        std::memcpy(buffer.data(), data, size);
    const char *begin = reinterpret_cast<const char *>(buffer.data());
    NetlinkPathTable table;
    NetlinkPathTable::forEachMessage(begin, size, [&](const char *message, std::size_t length) {
        FUZZ_CHECK(message >= begin && message + length <= begin + size);
        table.apply(message, length);
    });
    // A gateway's length is the attribute's (RTA_VIA carries a family of its own), so only the
    // route's family is pinned.
    for (const auto &hop : table.defaultHops())
        FUZZ_CHECK(hop.family == AF_INET || hop.family == AF_INET6);
    (void)table.evaluate(InterfaceKindProbe(QStringLiteral("/nonexistent")));
    return 0;
}
