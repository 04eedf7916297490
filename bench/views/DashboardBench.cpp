// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// What the open dashboard costs: one refresh of the resource panel (read, format, hand-over to
// the main thread, labels set), painting the whole dashboard at 1× and 2×, and one card flip.
// Run with QT_QPA_PLATFORM=offscreen.
#include "preferences/PreferenceManager.h"
#include "views/ContentView.h"
#include "views/FlipCard.h"
#include "views/FooterView.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

namespace {

double threadCpuMs()
{
    timespec now {};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

// Counts the paints a widget gets.
class PaintCounter : public QObject
{
public:
    int paints = 0;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint) {
            ++paints;
        }
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QTemporaryDir config;
    PreferenceManager preferences(config.path(), QLocale(QLocale::English));
    preferences.setSetAppThemeMode(QStringLiteral("LightMode"));
    ContentView view(&preferences);
    view.show();
    FooterView *footer = view.footerView();
    // Each wait has a loop of its own, so that no stale time-out ends a later one.
    const auto waitForRefresh = [&] {
        QEventLoop loop;
        QTimer::singleShot(3000, &loop, &QEventLoop::quit);
        QObject::connect(footer, &FooterView::refreshed, &loop, &QEventLoop::quit);
        loop.exec();
    };
    const auto runFor = [](int ms) {
        QEventLoop loop;
        QTimer::singleShot(ms, &loop, &QEventLoop::quit);
        loop.exec();
    };
    waitForRefresh();

    constexpr int ticks = 200;
    std::vector<double> wall;
    std::vector<double> cpu;
    for (int i = 0; i < ticks; ++i) {
        QElapsedTimer clock;
        clock.start();
        const double before = threadCpuMs();
        footer->refreshNow();
        waitForRefresh();
        cpu.push_back(threadCpuMs() - before);
        wall.push_back(double(clock.nsecsElapsed()) / 1e3);
    }
    std::printf("Resource panel refresh (read + format + hand-over + labels), %d ticks:\n", ticks);
    std::printf("  wall %.0f µs median, CPU %.0f µs median (all threads)\n", median(wall), median(cpu) * 1e3);

    for (const qreal ratio : { 1.0, 2.0 }) {
        QImage image(view.size() * ratio, QImage::Format_ARGB32_Premultiplied);
        image.setDevicePixelRatio(ratio);
        std::vector<double> paints;
        for (int i = 0; i < 60; ++i) {
            image.fill(Qt::white);
            QElapsedTimer clock;
            clock.start();
            view.render(&image);
            paints.push_back(double(clock.nsecsElapsed()) / 1e6);
        }
        std::printf("Whole dashboard paint at %.0f×: %.2f ms median\n", ratio, median(paints));
    }

    // What a second's repaint costs at most: both cards and the CPU box.
    {
        QImage image(FlipCard::kSize, QImage::Format_ARGB32_Premultiplied);
        std::vector<double> paints;
        for (int i = 0; i < 200; ++i) {
            image.fill(Qt::white);
            QElapsedTimer clock;
            clock.start();
            footer->memoryCard()->render(&image);
            paints.push_back(double(clock.nsecsElapsed()) / 1e3);
        }
        std::printf("One card paint: %.0f µs median\n", median(paints));
    }

    // Left open: what a second of the refresh costs the whole process, and what it repaints.
    {
        PaintCounter everything;
        app.installEventFilter(&everything);
        // A longer span, for a profiler: bench_dashboard <seconds>.
        const int seconds = std::max(10, QCoreApplication::arguments().value(1).toInt());
        const double before = threadCpuMs();
        runFor(seconds * 1000);
        app.removeEventFilter(&everything);
        std::printf("Open for %d s: %.2f ms CPU per second, %.1f widget paints per second\n", seconds,
            (threadCpuMs() - before) / seconds, double(everything.paints) / seconds);
    }

    // A card of its own in a window of its own, so the panel's refresh does not mix in.
    view.hide();
    FlipCard *card = new FlipCard({ "Memory_title", "Memory_used", "Memory_total", 5 });
    card->setFigures(footer->memoryCard()->figures());
    card->show();
    PaintCounter counter;
    card->installEventFilter(&counter);
    runFor(300);
    counter.paints = 0;
    const double before = threadCpuMs();
    QElapsedTimer clock;
    clock.start();
    card->toggle();
    runFor(FlipCard::kDurationMs + 200);
    std::printf("One flip: %d frames painted, %.1f ms CPU over a %.0f ms window (animation %d ms)\n", counter.paints,
        threadCpuMs() - before, double(clock.elapsed()), FlipCard::kDurationMs);
    delete card;
    return 0;
}
