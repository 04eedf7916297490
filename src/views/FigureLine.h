// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QGlyphRun>
#include <QStaticText>
#include <QString>

class QPainter;

// One line of a card: a label and the figure after it, e.g. "Available: 22.55GB", or a figure
// alone. The label is laid out once. A figure, which changes every second, is set straight from
// the font's glyphs and advances: for digits and the like that is what shaping gives, as long
// as the font neither kerns nor joins them, which is checked once per font and character. So a
// new figure costs no shaping. A line that needs more (a font that kerns its digits, a label
// in another font or written right to left, a line too long for its room) is laid out whole.
class FigureLine
{
public:
    // Lays the line out again where the texts, the font or the room changed.
    void set(const QString &label, const QString &figure, const QFont &font, qreal room);
    QSizeF size() const { return m_size; }
    void draw(QPainter &painter, const QPointF &topLeft) const;

private:
    void layOutWhole();

    QString m_label;
    QString m_figure;
    QFont m_font;
    qreal m_room = -1;
    // The whole line, or only the label and its space before a figure set from glyphs.
    QStaticText m_laidOut;
    QGlyphRun m_figureRun;
    bool m_split = false;
    qreal m_labelWidth = 0;
    qreal m_ascent = 0;
    QSizeF m_size;
};
