// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Times drawing the panel item's pictures and converting them for the bus, per call, and
// with --write <dir> saves enlarged samples of the picture on a light and a dark panel.
#include "app/PanelPicture.h"
#include "app/StatusTitle.h"
#include "platform/PanelItem.h"
#include "platform/SniTypes.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QPainter>
#include <QTextStream>
#include <functional>

namespace {
void time(const QString &what, int calls, const std::function<void(int)> &call)
{
    call(0); // warm the font caches
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < calls; ++i)
        call(i);
    const double perCall = static_cast<double>(timer.nsecsElapsed()) / calls / 1000.0;
    QTextStream(stdout) << what.leftJustified(48) << QString::number(perCall, 'f', 1) << " us per call" << Qt::endl;
}

PanelPicture::Colors colors(bool dark)
{
    const QColor plate = dark ? QColor(0x24, 0x24, 0x24) : QColor(0xf6, 0xf6, 0xf6);
    const QColor open(0x35, 0x84, 0xe4);
    return { plate, PanelPicture::textColorFor(plate), open, PanelPicture::textColorFor(open) };
}

int writePictures(const QString &dir)
{
    QDir().mkpath(dir);
    const StatusTitle title = makeStatusTitle(QStringLiteral("12.35 Kb/s"), QStringLiteral("1.5 Mb/s"));
    for (const bool darkPanel : { false, true }) {
        for (const bool open : { false, true }) {
            // A strip of panel with the 22-pixel picture and the 44-pixel one, 4 times enlarged.
            QImage strip(QSize(100, 52), QImage::Format_ARGB32_Premultiplied);
            strip.fill(darkPanel ? QColor(0x30, 0x30, 0x30) : QColor(0xe8, 0xe8, 0xe8));
            QPainter painter(&strip);
            painter.drawImage(QPoint(10, 15), PanelPicture::render(title, QSize(22, 22), 1, open, colors(darkPanel)));
            painter.drawImage(QPoint(46, 4), PanelPicture::render(title, QSize(44, 44), 1, open, colors(darkPanel)));
            painter.end();
            const QString path = dir
                + QStringLiteral("/picture-%1%2.png")
                      .arg(darkPanel ? QStringLiteral("dark") : QStringLiteral("light"),
                          open ? QStringLiteral("-open") : QString());
            if (!strip.scaled(strip.size() * 4, Qt::IgnoreAspectRatio, Qt::FastTransformation).save(path))
                return 1;
            QTextStream(stdout) << path << Qt::endl;
        }
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
    const int calls = 1000;
    time(QStringLiteral("makeStatusTitle"), calls, [&](int i) { (void)titleAt(i); });
    for (const int size : PanelItem::pixmapSizes(2.0))
        time(QStringLiteral("render %1x%1").arg(size), calls,
            [&](int i) { (void)PanelPicture::render(titleAt(i), QSize(size, size), 1.0, false, colors(false)); });
    // What one change costs once a host reads the pixmaps: every size drawn and converted.
    time(QStringLiteral("all pixmaps drawn and converted"), 200, [&](int i) {
        SniPixmapList pixmaps;
        for (const int size : PanelItem::pixmapSizes(2.0))
            pixmaps.append(
                Sni::pixmapFromImage(PanelPicture::render(titleAt(i), QSize(size, size), 1.0, false, colors(false))));
    });
    return 0;
}
