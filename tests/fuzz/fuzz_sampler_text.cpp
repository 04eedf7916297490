// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The counter report as the sampler parses it, in consecutive outputs cut anywhere: every
// title is a step of the unit ladder.
#include "FuzzSupport.h"
#include "network/NetworkSpeedManager.h"
#include "network/TitleSink.h"

namespace {
struct LadderSink : TitleSink
{
    void updateTitle(const QString &upload, const QString &download) override
    {
        FUZZ_CHECK(Fuzz::isLadderStep(upload));
        FUZZ_CHECK(Fuzz::isLadderStep(download));
    }
};
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const Fuzz::Split input = Fuzz::split(data, size);
    std::chrono::steady_clock::time_point now;
    LadderSink sink;
    NetworkSpeedManager manager(&sink);
    // A reading every 0.9 to 1.15 s, as a busy machine delivers them.
    manager.setClock([&now, step = int(size % 250)] { return now += std::chrono::milliseconds(900 + step); });
    manager.parseOutput(QString::fromUtf8(input.first()));
    manager.parseOutput(QString::fromUtf8(input.second()));
    manager.parseOutput(QString::fromUtf8(input.whole));
    return 0;
}
