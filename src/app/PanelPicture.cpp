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
constexpr qreal minimumSqueeze = 0.68;
constexpr qreal smallestPixelSize = 4.0;
constexpr int supersampleBelow = 40;

struct Layout
{
    QFont font;
    // In device pixels.
    int firstBaseline = 0;
    int secondBaseline = 0;
    int capHeight = 0;
    qreal squeeze = 1.0;
};

// The largest font, in half-pixel steps, whose two lines fit `height` device pixels with
// `gap` rows between them, and whose widest line fits `width` squeezed no more than the
// minimum. Baselines fall on whole device pixels, so antialiasing adds no row.
Layout layOut(QFont font, int width, int height, int gap, const QPaintDevice *device)
{
    static const QStringList widest { QStringLiteral("888M"), QStringLiteral("max") };
    Layout layout;
    const int steps = static_cast<int>(std::floor((height / 2.0 - smallestPixelSize) * 2));
    for (int step = 0; step <= std::max(0, steps); ++step) {
        // Sizes in points, as the device counts them, so that half pixels are possible.
        font.setPointSizeF((height / 2.0 - step * 0.5) * 72.0 / device->logicalDpiY());
        const QFontMetricsF metrics(font, device);
        qreal ascent = 0;
        qreal descent = 0;
        qreal inkWidth = 0;
        for (const QString &line : widest) {
            const QRectF bounds = metrics.tightBoundingRect(line);
            ascent = std::max(ascent, -bounds.top());
            descent = std::max(descent, bounds.bottom());
            inkWidth = std::max({ inkWidth, metrics.horizontalAdvance(line), bounds.right() });
        }
        // Hinting can bend a small glyph one row past what the metrics say.
        const int up = static_cast<int>(std::ceil(ascent)) + 1;
        const int down = static_cast<int>(std::ceil(descent));
        const int block = 2 * (up + down) + gap;
        const qreal squeeze = inkWidth > width ? width / inkWidth : 1.0;
        if (step < steps && (block > height || squeeze < minimumSqueeze))
            continue;
        const int top = std::max(0, (height - block) / 2);
        layout.font = font;
        layout.firstBaseline = top + up;
        layout.secondBaseline = top + up + down + gap + up;
        layout.capHeight = static_cast<int>(std::round(metrics.capHeight()));
        layout.squeeze = squeeze;
        break;
    }
    return layout;
}

// Fitting takes a dozen text measurements and depends only on the slot and the font, so it
// is done once per slot; the type then keeps its size whatever the rates.
Layout cachedLayout(const QFont &font, int width, int height, int gap, const QPaintDevice *device)
{
    static QMutex mutex;
    static QHash<QString, Layout> cache;
    const QString key
        = font.key() + QStringLiteral("/%1x%2/%3/%4").arg(width).arg(height).arg(gap).arg(device->logicalDpiY());
    const QMutexLocker locker(&mutex);
    if (const auto found = cache.constFind(key); found != cache.constEnd())
        return found.value();
    Layout layout = layOut(font, width, height, gap, device);
    cache.insert(key, layout);
    return layout;
}

void drawLine(QPainter &painter, const QString &text, int right, int baseline, qreal squeeze)
{
    const qreal width = QFontMetricsF(painter.font(), painter.device()).horizontalAdvance(text) * squeeze;
    painter.save();
    painter.translate(right - width, baseline);
    painter.scale(squeeze, 1.0);
    painter.drawText(QPointF(0, 0), text);
    painter.restore();
}

// A triangle `width` wide whose height spans the digits of the line at `baseline`.
void drawMarker(QPainter &painter, bool up, int left, int width, int baseline, int capHeight)
{
    const qreal top = baseline - capHeight;
    const qreal height = std::min<qreal>(capHeight, width * 1.2);
    const qreal y = top + (capHeight - height) / 2;
    QPainterPath path;
    if (up) {
        path.moveTo(left, y + height);
        path.lineTo(left + width, y + height);
        path.lineTo(left + width / 2.0, y);
    } else {
        path.moveTo(left, y);
        path.lineTo(left + width, y);
        path.lineTo(left + width / 2.0, y + height);
    }
    path.closeSubpath();
    painter.fillPath(path, painter.pen().color());
}

qreal luminance(const QColor &color)
{
    const auto channel = [](qreal c) { return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4); };
    return 0.2126 * channel(color.redF()) + 0.7152 * channel(color.greenF()) + 0.0722 * channel(color.blueF());
}
} // namespace

qreal PanelPicture::contrast(const QColor &a, const QColor &b)
{
    const qreal la = luminance(a);
    const qreal lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor PanelPicture::textColorFor(const QColor &background)
{
    const QColor black(Qt::black);
    const QColor white(Qt::white);
    return contrast(background, black) >= contrast(background, white) ? black : white;
}

PanelPicture::Colors PanelPicture::paletteColors()
{
    const QPalette palette = QGuiApplication::palette();
    const bool dark = palette.color(QPalette::Window).lightness() < 128;
    const QColor plate = dark ? QColor(0x24, 0x24, 0x24) : QColor(0xf6, 0xf6, 0xf6);
    QColor open = palette.color(QPalette::Highlight);
    open.setAlpha(255);
    return { plate, textColorFor(plate), open, textColorFor(open) };
}

QImage PanelPicture::render(
    const StatusTitle &title, QSize logicalSize, qreal devicePixelRatio, bool highlighted, const Colors &colors)
{
    const QSize pixels(qCeil(logicalSize.width() * devicePixelRatio), qCeil(logicalSize.height() * devicePixelRatio));
    const int side = std::min(pixels.width(), pixels.height());
    QImage image;
    if (side > 0 && side < supersampleBelow) {
        // Type of five or six pixels, hinted to the grid and squeezed, loses whole strokes;
        // drawn four times as large and averaged down it keeps them.
        image = drawPicture(title, pixels * 4, highlighted, colors)
                    .scaled(pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    } else {
        image = drawPicture(title, pixels, highlighted, colors);
    }
    image.setDevicePixelRatio(devicePixelRatio);
    return image;
}

QImage PanelPicture::drawPicture(const StatusTitle &title, QSize pixels, bool highlighted, const Colors &colors)
{
    // Drawn in device pixels throughout, so lines and markers land on whole pixels.
    QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    if (pixels.isEmpty())
        return image;

    QPainter painter(&image);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    const int side = std::min(pixels.width(), pixels.height());
    const QRect plate(QPoint((pixels.width() - side) / 2, (pixels.height() - side) / 2), QSize(side, side));
    QPainterPath path;
    path.addRoundedRect(plate, side * 0.16, side * 0.16);
    painter.fillPath(path, highlighted ? colors.openPlate : colors.plate);
    painter.setPen(highlighted ? colors.openText : colors.text);

    const int pad = std::max(1, side / 20);
    const int marker = std::max(3, static_cast<int>(side * 0.15));
    const int markerGap = std::max(1, side / 24);
    const int textLeft = plate.left() + pad + marker + markerGap;
    const int right = plate.right() + 1 - pad;
    // Digits and capitals only: the lines can stand close, a tenth of the slot apart.
    const int gap = std::max(1, static_cast<int>(std::round(side / 11.0)));
    QFont font = title.font;
    font.setWeight(QFont::Bold);
    const Layout layout = cachedLayout(font, right - textLeft, side - 2 * pad, gap, &image);
    painter.setFont(layout.font);
    const int top = plate.top() + pad;
    drawLine(painter, compactRate(title.upload), right, top + layout.firstBaseline, layout.squeeze);
    drawLine(painter, compactRate(title.download), right, top + layout.secondBaseline, layout.squeeze);
    drawMarker(painter, true, plate.left() + pad, marker, top + layout.firstBaseline, layout.capHeight);
    drawMarker(painter, false, plate.left() + pad, marker, top + layout.secondBaseline, layout.capHeight);
    painter.end();
    return image;
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
        return QString::number(std::round(value), 'f', 0) + units.at(unit);
    }
    if (speed.startsWith(QLatin1String("--")))
        return QStringLiteral("--");
    if (speed.startsWith(QLatin1String("max")))
        return QStringLiteral("max");
    return speed.trimmed().left(4);
}
