// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "PanelPicture.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <QPalette>
#include <QRegularExpression>
#include <algorithm>
#include <cmath>

namespace {
// Text never touches the picture's edge: hosts scale and clip pictures, and an
// antialiased edge pixel is the first to go.
constexpr qreal margin = 1.0;
// Below this horizontal squeeze glyphs run together; a smaller font reads better.
constexpr qreal minimumSqueeze = 0.72;

// Draws one line right-aligned to `right`, with its baseline at `baseline`, squeezed
// horizontally by `squeeze`.
void drawLine(QPainter &painter, const QString &text, qreal right, qreal baseline, qreal squeeze)
{
    const QFontMetricsF metrics(painter.font());
    const qreal width = metrics.horizontalAdvance(text) * squeeze;
    painter.save();
    painter.translate(right - width, baseline);
    painter.scale(squeeze, 1.0);
    painter.drawText(QPointF(0, 0), text);
    painter.restore();
}

// The ink extent of the text above and below its baseline: digits, letters, arrows and '/'
// reach different heights, and the line must be placed by what is actually drawn.
struct Ink
{
    qreal ascent = 0;
    qreal descent = 0;
    qreal width = 0;
};

Ink inkOf(const QFont &font, const QStringList &lines)
{
    const QFontMetricsF metrics(font);
    Ink ink;
    for (const QString &line : lines) {
        const QRectF bounds = metrics.tightBoundingRect(line);
        ink.ascent = std::max(ink.ascent, -bounds.top());
        ink.descent = std::max(ink.descent, bounds.bottom());
        // The advance includes the side bearings, so a right-aligned line ends where its
        // last glyph's box does.
        ink.width = std::max({ ink.width, metrics.horizontalAdvance(line), bounds.right() });
    }
    return ink;
}
} // namespace

PanelPicture::Colors PanelPicture::paletteColors()
{
    const QPalette palette = QGuiApplication::palette();
    QColor highlight = palette.color(QPalette::Highlight);
    highlight.setAlphaF(0.35f);
    return { palette.color(QPalette::WindowText), highlight };
}

QImage PanelPicture::render(
    const StatusTitle &title, QSize logicalSize, qreal devicePixelRatio, bool highlighted, const Colors &colors)
{
    const QSize pixels(qCeil(logicalSize.width() * devicePixelRatio), qCeil(logicalSize.height() * devicePixelRatio));
    QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(devicePixelRatio);
    image.fill(Qt::transparent);
    if (pixels.isEmpty())
        return image;

    QPainter painter(&image);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    const QSizeF box(pixels.width() / devicePixelRatio, pixels.height() / devicePixelRatio);
    if (highlighted) {
        QPainterPath path;
        path.addRoundedRect(QRectF(QPointF(0, 0), box), 3.0, 3.0);
        painter.fillPath(path, colors.highlight);
    }
    painter.setPen(colors.text);
    if (isTitleForm(logicalSize))
        drawTitle(painter, title, box);
    else
        drawCompact(painter, title, box);
    return image;
}

void PanelPicture::drawTitle(QPainter &painter, const StatusTitle &title, QSizeF box)
{
    // AppKit reaches the same place with an empty first line and a lowered baseline; here the
    // two rate lines are centred directly, each in a line box of at most maximumLineHeight.
    const QStringList lines { title.uploadLine(), title.downloadLine() };
    QFont font = title.font;
    Ink ink = inkOf(font, lines);
    const qreal lineBox = std::min(title.maximumLineHeight, (box.height() - 2 * margin - title.lineSpacing) / 2);
    // A host with a slot lower than the title needs shrunk type, or the lines would overlap.
    if (ink.ascent + ink.descent > lineBox + title.lineSpacing / 2 && lineBox > 0) {
        const qreal scale = (lineBox + title.lineSpacing / 2) / (ink.ascent + ink.descent);
        font.setPixelSize(std::max(1, static_cast<int>(std::floor(font.pixelSize() * scale))));
        ink = inkOf(font, lines);
    }
    painter.setFont(font);
    const qreal usable = box.width() - 2 * margin;
    const qreal squeeze = ink.width > usable ? usable / ink.width : 1.0;

    const qreal block = 2 * lineBox + title.lineSpacing;
    const qreal top = (box.height() - block) / 2;
    for (int i = 0; i < 2; ++i) {
        const qreal lineTop = top + i * (lineBox + title.lineSpacing);
        // Centre the ink, not the font's nominal box, inside the line box.
        const qreal baseline = lineTop + (lineBox - (ink.ascent + ink.descent)) / 2 + ink.ascent;
        drawLine(painter, lines[i], box.width() - margin, baseline, squeeze);
    }
}

void PanelPicture::drawCompact(QPainter &painter, const StatusTitle &title, QSizeF box)
{
    const QStringList lines { compactRate(title.upload), compactRate(title.download) };
    const qreal gap = std::max(1.0, box.height() / 11);
    const qreal usableHeight = box.height() - 2 * margin - gap;
    const qreal usableWidth = box.width() - 2 * margin;

    QFont font = title.font;
    font.setWeight(QFont::Bold);
    Ink ink;
    qreal squeeze = 1.0;
    // Largest pixel size whose two lines fit, allowing a modest squeeze across.
    for (int size = static_cast<int>(box.height()); size > 4; --size) {
        font.setPixelSize(size);
        ink = inkOf(font, lines);
        if (2 * (ink.ascent + ink.descent) > usableHeight)
            continue;
        squeeze = ink.width > usableWidth ? usableWidth / ink.width : 1.0;
        if (squeeze >= minimumSqueeze)
            break;
    }
    painter.setFont(font);
    const qreal lineBox = ink.ascent + ink.descent;
    const qreal top = (box.height() - (2 * lineBox + gap)) / 2;
    for (int i = 0; i < 2; ++i) {
        const qreal baseline = top + i * (lineBox + gap) + ink.ascent;
        drawLine(painter, lines[i], box.width() - margin, baseline, squeeze);
    }
}

QString PanelPicture::compactRate(const QString &speed)
{
    static const QRegularExpression scaled(QStringLiteral(R"(^\s*(\d+(?:\.\d+)?) ([KMG])b/s\s*$)"));
    static const QRegularExpression bytes(QStringLiteral(R"(^\s*(\d+)  b/s\s*$)"));
    if (const auto match = bytes.match(speed); match.hasMatch())
        return match.captured(1);
    if (const auto match = scaled.match(speed); match.hasMatch()) {
        static const QString units = QStringLiteral("KMG");
        qsizetype unit = units.indexOf(match.captured(2));
        double value = match.captured(1).toDouble();
        if (std::round(value) >= 1000) {
            if (unit + 1 >= units.size())
                return QStringLiteral("max");
            value /= 1024;
            ++unit;
        }
        const QString number
            = value < 9.95 ? QString::number(value, 'f', 1) : QString::number(std::round(value), 'f', 0);
        return number + units.at(unit);
    }
    if (speed.startsWith(QLatin1String("--")))
        return QStringLiteral("--");
    if (speed.startsWith(QLatin1String("max")))
        return QStringLiteral("max");
    return speed.trimmed().left(4);
}
