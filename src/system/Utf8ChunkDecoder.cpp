// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "Utf8ChunkDecoder.h"

#include <QStringDecoder>

namespace {
// Length of the sequence a lead byte starts; 0 for a continuation or an impossible byte.
int sequenceLength(quint8 lead)
{
    if (lead < 0x80)
        return 1;
    if ((lead & 0xe0) == 0xc0)
        return 2;
    if ((lead & 0xf0) == 0xe0)
        return 3;
    if ((lead & 0xf8) == 0xf0)
        return 4;
    return 0;
}
} // namespace

std::optional<QString> Utf8ChunkDecoder::decode(const QByteArray &chunk)
{
    QByteArray data = m_pending + chunk;
    m_pending.clear();

    // Look back at most three bytes for the start of an unfinished sequence.
    for (qsizetype back = 1; back <= 3 && back <= data.size(); ++back) {
        const quint8 byte = quint8(data.at(data.size() - back));
        if ((byte & 0xc0) == 0x80)
            continue;
        const int length = sequenceLength(byte);
        if (length > back) {
            m_pending = data.right(back);
            data.chop(back);
        }
        break;
    }
    if (data.isEmpty())
        return std::nullopt;

    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder.decode(data);
    if (decoder.hasError())
        return std::nullopt;
    return text;
}
