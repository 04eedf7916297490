// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "FigureLine.h"

#include <QFontMetricsF>
#include <QHash>
#include <QPainter>
#include <QRawFont>
#include <QSet>
#include <algorithm>

namespace {

// What one font is known to do with the characters figures are made of.
struct FontGlyphs
{
    QRawFont raw;
    qreal lineHeight = 0;
    // Characters whose advance, alone and beside each other one here, is what shaping gives.
    QString plain;
    QSet<QChar> shaped;

    // How far a line ending in `c` reaches past its advances: a glyph whose ink stands out to
    // the right widens the laid-out line by that much.
    static qreal overhang(QChar c, const QFontMetricsF &metrics)
    {
        return std::max<qreal>(0, -metrics.rightBearing(c));
    }

    qreal advance(QChar c) const
    {
        const QList<quint32> glyphs = raw.glyphIndexesForString(QString(c));
        const QList<QPointF> advances = raw.advancesForGlyphIndexes(glyphs, QRawFont::KernedAdvances);
        return advances.size() == 1 ? advances.front().x() : -1;
    }

    // Whether `c` may be set from its glyph: checked against shaping once.
    bool isPlain(QChar c, const QFont &font, const QFontMetricsF &metrics)
    {
        if (plain.contains(c)) {
            return true;
        }
        if (shaped.contains(c)) {
            return false;
        }
        const qreal own = advance(c);
        bool ok = !c.isSurrogate() && !c.isMark() && c.direction() != QChar::DirR && c.direction() != QChar::DirAL
            && raw.supportsCharacter(c) && own >= 0 && metrics.horizontalAdvance(QString(c)) == own;
        if (ok) {
            QStaticText alone { QString(c) };
            alone.setTextFormat(Qt::PlainText);
            alone.prepare(QTransform(), font);
            ok = alone.size().width() == own + overhang(c, metrics);
        }
        for (qsizetype i = 0; ok && i <= plain.size(); ++i) {
            const QChar other = i < plain.size() ? plain.at(i) : c;
            const qreal sum = own + advance(other);
            ok = metrics.horizontalAdvance(QString(c) + other) == sum
                && metrics.horizontalAdvance(QString(other) + c) == sum;
        }
        if (ok) {
            plain.append(c);
        } else {
            shaped.insert(c);
        }
        return ok;
    }
};

FontGlyphs &glyphsOf(const QFont &font)
{
    // Painting happens on the GUI thread only; a card uses three fonts, a few cards share them.
    static QHash<QString, FontGlyphs> known;
    const QString key = font.key();
    auto found = known.find(key);
    if (found == known.end()) {
        if (known.size() >= 16) {
            known.clear();
        }
        QStaticText probe(QStringLiteral("0"));
        probe.setTextFormat(Qt::PlainText);
        probe.prepare(QTransform(), font);
        found = known.insert(key, FontGlyphs { QRawFont::fromFont(font), probe.size().height(), {}, {} });
    }
    return *found;
}

} // namespace

void FigureLine::set(const QString &label, const QString &figure, const QFont &font, qreal room)
{
    if (label == m_label && figure == m_figure && font == m_font && room == m_room) {
        return;
    }
    const bool labelKept = m_split && label == m_label && font == m_font;
    m_label = label;
    m_figure = figure;
    m_font = font;
    m_room = room;

    FontGlyphs &glyphs = glyphsOf(font);
    const QFontMetricsF metrics(font);
    const QString prefix = label.isEmpty() ? QString() : label + QLatin1Char(' ');
    bool plain = glyphs.raw.isValid() && !prefix.isRightToLeft();
    for (const QChar c : prefix) {
        plain
            = plain && glyphs.raw.supportsCharacter(c) && c.direction() != QChar::DirR && c.direction() != QChar::DirAL;
    }
    if (plain && !prefix.isEmpty()) {
        plain = glyphs.isPlain(QLatin1Char(' '), font, metrics);
    }
    for (const QChar c : figure) {
        plain = plain && glyphs.isPlain(c, font, metrics);
    }
    if (!plain) {
        layOutWhole();
        return;
    }
    if (!labelKept) {
        m_laidOut = QStaticText(prefix);
        m_laidOut.setTextFormat(Qt::PlainText);
        m_laidOut.prepare(QTransform(), font);
        m_labelWidth = prefix.isEmpty() ? 0 : metrics.horizontalAdvance(prefix);
    }
    const QList<quint32> indexes = glyphs.raw.glyphIndexesForString(figure);
    const QList<QPointF> advances = glyphs.raw.advancesForGlyphIndexes(indexes, QRawFont::KernedAdvances);
    QList<QPointF> positions;
    positions.reserve(advances.size());
    qreal x = 0;
    for (const QPointF &advance : advances) {
        positions.append(QPointF(x, 0));
        x += advance.x();
    }
    const QSizeF size = figure.isEmpty()
        ? m_laidOut.size()
        : QSizeF(m_labelWidth + x + FontGlyphs::overhang(figure.back(), metrics), glyphs.lineHeight);
    if (size.width() > room) {
        layOutWhole();
        return;
    }
    m_figureRun = QGlyphRun();
    m_figureRun.setRawFont(glyphs.raw);
    m_figureRun.setGlyphIndexes(indexes);
    m_figureRun.setPositions(positions);
    m_ascent = metrics.ascent();
    m_size = size;
    m_split = true;
}

void FigureLine::layOutWhole()
{
    // Laid out as one text; only a line too long for its room (a long translation, a huge disk)
    // is measured again, shortened in the middle.
    const QString text = m_label.isEmpty() ? m_figure : m_label + QLatin1Char(' ') + m_figure;
    m_split = false;
    m_figureRun = QGlyphRun();
    m_laidOut = QStaticText(text);
    m_laidOut.setTextFormat(Qt::PlainText);
    m_laidOut.prepare(QTransform(), m_font);
    if (m_laidOut.size().width() > m_room) {
        m_laidOut.setText(QFontMetricsF(m_font).elidedText(text, Qt::ElideMiddle, m_room));
        m_laidOut.prepare(QTransform(), m_font);
    }
    m_size = m_laidOut.size();
}

void FigureLine::draw(QPainter &painter, const QPointF &topLeft) const
{
    if (m_split && painter.transform().type() > QTransform::TxTranslate) {
        // A card turning: drawn as one text, as the laid-out line would be.
        painter.save();
        painter.setFont(m_font);
        painter.drawText(
            topLeft + QPointF(0, m_ascent), m_label.isEmpty() ? m_figure : m_label + QLatin1Char(' ') + m_figure);
        painter.restore();
        return;
    }
    if (!m_split || !m_label.isEmpty()) {
        painter.drawStaticText(topLeft, m_laidOut);
    }
    if (m_split && !m_figure.isEmpty()) {
        painter.drawGlyphRun(topLeft + QPointF(m_labelWidth, m_ascent), m_figureRun);
    }
}
