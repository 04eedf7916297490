// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "PanelPicture.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QHash>
#include <QMutex>
#include <QPainter>
#include <QPainterPath>
#include <QPalette>
#include <QRegularExpression>
#include <algorithm>
#include <cmath>

namespace {
// Below this horizontal squeeze glyphs run together; a smaller font reads better.
constexpr qreal minimumSqueeze = 0.72;
constexpr qreal smallestPixelSize = 4.0;

// The ink extent of the lines above and below the baseline, in logical pixels: digits,
// letters, arrows and '/' reach different heights, and lines are placed by what is drawn.
struct Ink
{
    qreal ascent = 0;
    qreal descent = 0;
    qreal width = 0;
};

Ink inkOf(const QFont &font, const QStringList &lines, const QPaintDevice *device)
{
    const QFontMetricsF metrics(font, device);
    Ink ink;
    for (const QString &line : lines) {
        const QRectF bounds = metrics.tightBoundingRect(line);
        ink.ascent = std::max(ink.ascent, -bounds.top());
        ink.descent = std::max(ink.descent, bounds.bottom());
        ink.width = std::max({ ink.width, metrics.horizontalAdvance(line), bounds.right() });
    }
    return ink;
}

struct Layout
{
    QFont font;
    qreal firstBaseline = 0;
    qreal secondBaseline = 0;
    qreal right = 0;
    qreal maximumWidth = 0;
};

// Places two lines in the picture, in device pixels so that nothing is cut by rounding:
// the largest font from `pixelSize` down whose lines, `wantedPitch` apart (or as close as
// they can be without touching), leave one device pixel free on every edge and at least
// `gap` rows between them. Baselines fall on whole device pixels, so antialiasing adds no
// row above or below what the metrics say.
Layout layOut(const QStringList &lines, QFont font, qreal pixelSize, const QImage &image, qreal wantedPitch, int gap)
{
    const qreal ratio = image.devicePixelRatio();
    const int height = image.height();
    const int width = image.width();
    const int margin = std::max(1, static_cast<int>(std::floor(ratio)));
    Layout layout;
    // Half-pixel steps, counted in whole numbers.
    const int steps = static_cast<int>(std::floor((pixelSize - smallestPixelSize) * 2));
    for (int step = 0; step <= steps; ++step) {
        const qreal size = pixelSize - step * 0.5;
        // Pixel sizes are whole numbers in QFont; a point is 4/3 pixel on an image.
        font.setPointSizeF(size * 0.75);
        const Ink ink = inkOf(font, lines, &image);
        // The metrics come in whole logical pixels; at a fractional ratio, and where hinting
        // bends small glyphs to the pixel grid, the glyph can reach one device row further.
        const int slack = ratio == std::floor(ratio) && size * ratio >= 9 ? 0 : 1;
        const int ascent = static_cast<int>(std::ceil(ink.ascent * ratio)) + slack;
        const int descent = static_cast<int>(std::ceil(ink.descent * ratio)) + slack;
        const int closest = ascent + descent + gap;
        int pitch = std::max(closest, static_cast<int>(std::floor(wantedPitch * ratio)));
        if (ascent + pitch + descent > height - 2 * margin)
            pitch = std::max(closest, height - 2 * margin - ascent - descent);
        const int block = ascent + pitch + descent;
        const qreal inkWidth = ink.width * ratio;
        const qreal squeeze = inkWidth > width - 2 * margin ? (width - 2 * margin) / inkWidth : 1.0;
        const bool last = step == steps;
        if (!last && (block > height - 2 * margin || squeeze < minimumSqueeze))
            continue;
        const int top = margin + std::max(0, (height - 2 * margin - block) / 2);
        layout.font = font;
        layout.firstBaseline = (top + ascent) / ratio;
        layout.secondBaseline = (top + ascent + pitch) / ratio;
        layout.right = (width - margin) / ratio;
        layout.maximumWidth = (width - 2 * margin) / ratio;
        break;
    }
    return layout;
}

// Draws one line right-aligned to `right` with its baseline at `baseline`, squeezed
// horizontally if it is wider than `maximumWidth`.
void drawLine(QPainter &painter, QString text, qreal right, qreal baseline, qreal maximumWidth)
{
    // The upload line ends in a space after its arrow; as in any right-aligned paragraph,
    // trailing white space hangs past the edge instead of pushing the line left.
    while (text.endsWith(QLatin1Char(' ')))
        text.chop(1);
    const QFontMetricsF metrics(painter.font(), painter.device());
    qreal width = metrics.horizontalAdvance(text);
    const qreal squeeze = width > maximumWidth ? maximumWidth / width : 1.0;
    width *= squeeze;
    painter.save();
    painter.translate(right - width, baseline);
    painter.scale(squeeze, 1.0);
    painter.drawText(QPointF(0, 0), text);
    painter.restore();
}

void drawLines(QPainter &painter, const QStringList &lines, const Layout &layout)
{
    painter.setFont(layout.font);
    drawLine(painter, lines.at(0), layout.right, layout.firstBaseline, layout.maximumWidth);
    drawLine(painter, lines.at(1), layout.right, layout.secondBaseline, layout.maximumWidth);
}

// Fitting the type takes a dozen text measurements; its result depends only on the slot,
// the font and the widest text the item can show, so it is worked out once per slot. The
// type then keeps one size whatever the rates, rather than growing and shrinking with them.
Layout cachedLayout(const QString &form, const QStringList &widest, const QFont &font, qreal pixelSize,
    const QImage &image, qreal wantedPitch, int gap)
{
    static QMutex mutex;
    static QHash<QString, Layout> cache;
    const QString key = form + QLatin1Char('/') + font.key() + QLatin1Char('/') + QString::number(image.width())
        + QLatin1Char('x') + QString::number(image.height()) + QLatin1Char('@')
        + QString::number(image.devicePixelRatio());
    const QMutexLocker locker(&mutex);
    if (const auto found = cache.constFind(key); found != cache.constEnd())
        return found.value();
    Layout layout = layOut(widest, font, pixelSize, image, wantedPitch, gap);
    cache.insert(key, layout);
    return layout;
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

void PanelPicture::drawTitle(QPainter &painter, const StatusTitle &title, QSizeF /*box*/)
{
    // AppKit reaches the same place with an empty first line and a lowered baseline; here the
    // two rate lines are centred directly, a maximum line height plus the line spacing apart.
    static const QStringList widest = [] {
        const QString placeholder = QLatin1String(statusTitlePlaceholder);
        const StatusTitle top = makeStatusTitle(QStringLiteral("1000.0 Mb/s"), QStringLiteral("1000.0 Mb/s"));
        const StatusTitle low = makeStatusTitle(placeholder, placeholder);
        return QStringList { top.uploadLine(), top.downloadLine(), low.uploadLine(), low.downloadLine() };
    }();
    const auto &image = static_cast<const QImage &>(*painter.device());
    const Layout layout = cachedLayout(QStringLiteral("title"), widest, title.font, title.font.pixelSize(), image,
        title.maximumLineHeight + title.lineSpacing, 1);
    drawLines(painter, { title.uploadLine(), title.downloadLine() }, layout);
}

void PanelPicture::drawCompact(QPainter &painter, const StatusTitle &title, QSizeF box)
{
    static const QStringList widest { QStringLiteral("888M"), QStringLiteral("8.8M"), QStringLiteral("max") };
    const auto &image = static_cast<const QImage &>(*painter.device());
    QFont font = title.font;
    font.setWeight(QFont::Bold);
    // Digits and capitals only: the lines can stand close, a tenth of the slot apart.
    const int gap = std::max(2, static_cast<int>(std::round(image.height() / 11.0)));
    const Layout layout = cachedLayout(QStringLiteral("compact"), widest, font, box.height() / 2, image, 0, gap);
    drawLines(painter, { compactRate(title.upload), compactRate(title.download) }, layout);
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
