// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "Utf8ChunkDecoder.h"

namespace {
constexpr char16_t replacement = 0xfffd;
constexpr char32_t byteOrderMark = 0xfeff;
} // namespace

QString Utf8ChunkDecoder::decode(QByteArrayView chunk)
{
    QString text;
    text.reserve(chunk.size());
    auto emitCode = [&](char32_t code) {
        // A mark at the start of the stream says how it is encoded; anywhere else it is text.
        if (!m_started && code == byteOrderMark) {
            m_started = true;
            return;
        }
        m_started = true;
        if (code < 0x10000) {
            text.append(QChar(char16_t(code)));
        } else {
            text.append(QChar(QChar::highSurrogate(code)));
            text.append(QChar(QChar::lowSurrogate(code)));
        }
    };
    for (const char c : chunk) {
        const auto byte = quint8(c);
        if (m_needed > 0) {
            if (byte >= m_low && byte <= m_high) {
                m_code = (m_code << 6) | (byte & 0x3f);
                m_low = 0x80;
                m_high = 0xbf;
                if (--m_needed == 0)
                    emitCode(m_code);
                continue;
            }
            // The sequence broke off: one replacement for it, then this byte starts afresh.
            m_needed = 0;
            emitCode(replacement);
        }
        m_low = 0x80;
        m_high = 0xbf;
        if (byte < 0x80) {
            emitCode(byte);
        } else if (byte >= 0xc2 && byte <= 0xdf) {
            m_code = byte & 0x1f;
            m_needed = 1;
        } else if (byte >= 0xe0 && byte <= 0xef) {
            // No overlong forms (E0 80..9F) and no surrogates (ED A0..BF).
            m_low = byte == 0xe0 ? 0xa0 : 0x80;
            m_high = byte == 0xed ? 0x9f : 0xbf;
            m_code = byte & 0x0f;
            m_needed = 2;
        } else if (byte >= 0xf0 && byte <= 0xf4) {
            // Nothing overlong (F0 80..8F) and nothing past U+10FFFF (F4 90..).
            m_low = byte == 0xf0 ? 0x90 : 0x80;
            m_high = byte == 0xf4 ? 0x8f : 0xbf;
            m_code = byte & 0x07;
            m_needed = 3;
        } else {
            emitCode(replacement);
        }
    }
    return text;
}

QString Utf8ChunkDecoder::finish()
{
    if (m_needed == 0)
        return {};
    m_needed = 0;
    return QString(QChar(replacement));
}
