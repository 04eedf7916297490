// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The hardware report's bytes through the chunk decoder and the card's reader: a report cut
// anywhere decodes and reads the same as whole, and every card value is one plain line.
#include "FuzzSupport.h"
#include "system/ScriptViewModel.h"
#include "system/Utf8ChunkDecoder.h"

namespace {
QStringList card(const QStringList &pieces)
{
    ScriptViewModel model(QString(), {});
    for (const QString &piece : pieces)
        model.readChunk(piece);
    model.reportFinished();
    return { model.resolution(), model.deviceID(), model.coreNum(), model.coreTotal(), model.serialNumber() };
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const Fuzz::Split input = Fuzz::split(data, size);
    Utf8ChunkDecoder whole;
    const QString text = whole.decode(input.whole) + whole.finish();
    Utf8ChunkDecoder pieces;
    QString cut = pieces.decode(input.first());
    cut += pieces.decode(input.second());
    cut += pieces.finish();
    FUZZ_CHECK(text == cut);
    FUZZ_CHECK(text.isValidUtf16());

    const QStringList values = card({ text });
    FUZZ_CHECK(values == card({ text.left(input.at), text.mid(input.at) }));
    for (const QString &value : values)
        FUZZ_CHECK(!value.isEmpty() && !value.contains(u'\n'));
    return 0;
}
