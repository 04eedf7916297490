// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// Decodes a byte stream that arrives in arbitrary pieces. A character cut in two by a pipe
// read is held back and completed by the next piece instead of spoiling both; a piece that
// holds bytes which are not UTF-8 at all is dropped whole.
class Utf8ChunkDecoder
{
public:
    // The text of the complete characters so far; nothing when the piece is not UTF-8 or
    // ends in the middle of a character with nothing before it.
    std::optional<QString> decode(const QByteArray &chunk);

    // Bytes of an unfinished character left when the stream ended.
    bool hasPending() const { return !m_pending.isEmpty(); }

private:
    QByteArray m_pending;
};
