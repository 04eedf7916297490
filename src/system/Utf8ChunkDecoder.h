// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

// Decodes a UTF-8 byte stream that arrives in arbitrary pieces. The decoder keeps its state
// between pieces, so the text is the same wherever the stream was cut: a character split by a
// pipe read is completed by the next piece, and a byte-order mark is a character like any
// other except at the very start of the stream. What is not UTF-8 becomes U+FFFD, one per
// broken sequence, and spoils nothing around it.
class Utf8ChunkDecoder
{
public:
    // The text of the characters completed by this piece.
    QString decode(QByteArrayView chunk);

    // Ends the stream: U+FFFD for a character left unfinished, else nothing.
    QString finish();

    // Bytes of an unfinished character are waiting for the next piece.
    bool hasPending() const { return m_needed > 0; }

private:
    char32_t m_code = 0;
    int m_needed = 0;
    quint8 m_low = 0x80; // the range the next continuation byte must fall in
    quint8 m_high = 0xbf;
    bool m_started = false;
};
