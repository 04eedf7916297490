// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The unit ladder over any two counter totals: always a step of the ladder, and zero below
// ten bytes a second.
#include "FuzzSupport.h"
#include "network/SpeedFormat.h"

#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    qint64 totals[2] = {};
    std::memcpy(totals, data, std::min(size, sizeof totals));
    const QString text = formatSpeed(totals[0], totals[1]);
    FUZZ_CHECK(Fuzz::isLadderStep(text));
    qint64 difference = 0;
    if (!__builtin_sub_overflow(totals[1], totals[0], &difference) && difference < 10)
        FUZZ_CHECK(text == QLatin1String("0  b/s"));
    return 0;
}
