// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Any reply body: the result is nothing, or "IP: " and one address in plain characters.
#include "FuzzSupport.h"
#include "network/PublicAddressLookup.h"

#include <QHostAddress>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = PublicAddressLookup::parseReply(Fuzz::bytes(data, size));
    if (text.isEmpty())
        return 0;
    FUZZ_CHECK(text.startsWith(QLatin1String("IP: ")) && text.size() <= 4 + 45);
    FUZZ_CHECK(QHostAddress().setAddress(text.mid(4)));
    FUZZ_CHECK(Fuzz::isPlainLine(text));
    return 0;
}
