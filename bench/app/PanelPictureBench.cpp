// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Times drawing the panel item's pictures and publishing them on a bus, per call, and with
// --write <dir> saves the README's pictures of each form.
#include "app/PanelPicture.h"
#include "app/StatusTitle.h"
#include "platform/PanelItem.h"
#include "platform/SniTypes.h"
#include "platform/StatusNotifierItem.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QPainter>
#include <QTextStream>
#include <functional>

namespace {
const PanelPicture::Colors darkOnLight { QColor(0x20, 0x20, 0x20), QColor(0x30, 0x78, 0xd0, 90) };

void time(const char *what, int calls, const std::function<void(int)> &call)
{
    call(0); // warm the font caches
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < calls; ++i)
        call(i);
    const double perCall = static_cast<double>(timer.nsecsElapsed()) / calls / 1000.0;
    QTextStream out(stdout);
    out << QString::fromLatin1(what).leftJustified(56) << QString::number(perCall, 'f', 1) << " us per call"
        << Qt::endl;
}

// A sample of the panel: the picture on a light strip, enlarged without smoothing.
QImage sample(const QImage &picture, int scale)
{
    const QSize logical = picture.size() / picture.devicePixelRatio();
    QImage strip((logical + QSize(12, 4)) * picture.devicePixelRatio(), QImage::Format_ARGB32_Premultiplied);
    strip.fill(QColor(0xe8, 0xe8, 0xe8));
    QImage pixels = picture;
    pixels.setDevicePixelRatio(1.0);
    QPainter painter(&strip);
    painter.drawImage(QPoint(6, 2) * picture.devicePixelRatio(), pixels);
    painter.end();
    return strip.scaled(strip.size() * scale, Qt::IgnoreAspectRatio, Qt::FastTransformation);
}

int writePictures(const QString &dir)
{
    QDir().mkpath(dir);
    const StatusTitle title = makeStatusTitle(QStringLiteral("12.35 Kb/s"), QStringLiteral("1.5 Mb/s"));
    const struct
    {
        const char *name;
        QSize size;
        qreal ratio;
        bool highlighted;
    } forms[] = {
        { "panel-title", QSize(65, 22), 1.0, false },
        { "panel-title-2x", QSize(65, 22), 2.0, false },
        { "panel-title-open", QSize(65, 22), 1.0, true },
        { "panel-compact", QSize(22, 22), 1.0, false },
        { "panel-compact-2x", QSize(22, 22), 2.0, false },
        { "panel-compact-open", QSize(22, 22), 1.0, true },
    };
    for (const auto &form : forms) {
        const QImage picture = PanelPicture::render(title, form.size, form.ratio, form.highlighted, darkOnLight);
        const QString path = dir + QLatin1Char('/') + QLatin1String(form.name) + QStringLiteral(".png");
        if (!sample(picture, form.ratio > 1 ? 2 : 4).save(path))
            return 1;
        QTextStream(stdout) << path << Qt::endl;
    }
    return 0;
}
} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    if (const qsizetype at = arguments.indexOf(QStringLiteral("--write")); at >= 0 && at + 1 < arguments.size())
        return writePictures(arguments.at(at + 1));

    const QStringList speeds { QStringLiteral("0  b/s"), QStringLiteral("512  b/s"), QStringLiteral("12.35 Kb/s"),
        QStringLiteral("1000.0 Mb/s") };
    auto titleAt
        = [&](int i) { return makeStatusTitle(speeds.at(i % speeds.size()), speeds.at((i + 1) % speeds.size())); };
    const int calls = 2000;
    time("makeStatusTitle", calls, [&](int i) { (void)titleAt(i); });
    time("render title 65x22 @1", calls,
        [&](int i) { (void)PanelPicture::render(titleAt(i), QSize(65, 22), 1.0, false, darkOnLight); });
    time("render title 65x22 @2", calls,
        [&](int i) { (void)PanelPicture::render(titleAt(i), QSize(65, 22), 2.0, false, darkOnLight); });
    time("render compact 22x22 @1", calls,
        [&](int i) { (void)PanelPicture::render(titleAt(i), QSize(22, 22), 1.0, false, darkOnLight); });
    time("render compact 22x22 @2", calls,
        [&](int i) { (void)PanelPicture::render(titleAt(i), QSize(22, 22), 2.0, false, darkOnLight); });

    // Publishing: every picture an SNI host may pick, converted and announced on a bus
    // (the session bus when there is one; without it the D-Bus part is left out).
    Sni::registerTypes();
    StatusNotifierItem item(QStringLiteral("bench"));
    const bool onBus = item.registerOnBus();
    for (const qreal screenRatio : { 1.0, 2.0 }) {
        const QString what = QStringLiteral("publish SNI pictures, screens @%1%2")
                                 .arg(screenRatio)
                                 .arg(onBus ? QStringLiteral(" (+ signal)") : QStringLiteral(" (no bus)"));
        time(qPrintable(what), 500, [&](int i) {
            const StatusTitle title = titleAt(i);
            SniPixmapList pixmaps;
            for (const auto &[size, ratio] : PanelItem::statusNotifierSizes(screenRatio))
                pixmaps.append(Sni::pixmapFromImage(PanelPicture::render(title, size, ratio, false, darkOnLight)));
            item.setPixmaps(pixmaps);
        });
    }
    return 0;
}
