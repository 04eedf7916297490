// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Photographs the dashboard with live figures, the battery page fed from a fixture battery:
// light and dark, the network page, the battery page and each card's other face, and one
// language besides English. Run it with QT_SCALE_FACTOR=2 for the 2× set.
//
//   tavlo-live-dashboard-shots <output-dir> <battery-sys-root> [name-suffix]
#include "preferences/PreferenceManager.h"
#include "views/ContentView.h"
#include "views/FlipCard.h"
#include "views/FooterView.h"
#include "views/ScrollableView.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>
#include <string_view>

namespace {

// The popover: the window colour under the dashboard.
class Host : public QWidget
{
public:
    explicit Host(PreferenceManager *preferences)
        : view(new ContentView(preferences, this))
    {
        setFixedSize(ContentView::kWidth, ContentView::kHeight);
    }

    ContentView *view;

protected:
    void paintEvent(QPaintEvent * /*event*/) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), palette().color(QPalette::Window));
    }
};

void settle(int ms)
{
    QTest::qWait(ms);
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    if (arguments.size() < 3) {
        std::fprintf(stderr, "usage: tavlo-live-dashboard-shots <output-dir> <battery-sys-root> [name-suffix]\n");
        return 2;
    }
    const QString outputDir = arguments.at(1);
    const QString suffix = arguments.value(3);
    QDir().mkpath(outputDir);

    QTemporaryDir config;
    PreferenceManager preferences(config.path(), QLocale(QLocale::English));
    Host host(&preferences);
    BatteryManager::Options battery;
    battery.sources.sysRoot = arguments.at(2);
    battery.sources.askUPower = false;
    host.view->scrollableView()->rebuildPages(battery);
    host.show();
    if (!QTest::qWaitForWindowExposed(&host)) {
        return 1;
    }
    FooterView *footer = host.view->footerView();
    // Two refreshes (the second one has the last second's CPU shares) and the model names.
    QDeadlineTimer deadline(5000);
    while ((footer->refreshCount() < 2 || footer->modelName() == QLatin1String("unkown")) && !deadline.hasExpired()) {
        settle(50);
    }

    int failures = 0;
    const auto shoot = [&](const QString &name) {
        settle(FlipCard::kDurationMs + 100);
        const QString path = QStringLiteral("%1/dashboard-%2%3.png").arg(outputDir, name, suffix);
        if (host.grab().save(path)) {
            std::printf("%s\n", qPrintable(path));
        } else {
            ++failures;
        }
    };
    ScrollableView *switcher = host.view->scrollableView();
    const struct
    {
        const char *theme;
        const char *language;
        const char *name;
    } sets[] = { { "LightMode", "en", "light" }, { "DarkMode", "en", "dark" }, { "LightMode", "de", "light-de" } };
    for (const auto &set : sets) {
        preferences.setSetAppThemeMode(QString::fromLatin1(set.theme));
        preferences.setSetApplanguage(QString::fromLatin1(set.language));
        switcher->selectNetwork();
        shoot(QStringLiteral("%1-network").arg(QLatin1String(set.name)));
        footer->memoryCard()->toggle();
        footer->diskCard()->toggle();
        if (set.name == std::string_view("light")) {
            // A third of the way through the turn: squeezed, not mirrored.
            settle(FlipCard::kDurationMs / 3);
            const QString path = QStringLiteral("%1/dashboard-turning%2.png").arg(outputDir, suffix);
            if (footer->grab().save(path)) {
                std::printf("%s\n", qPrintable(path));
            }
        }
        switcher->selectBattery();
        shoot(QStringLiteral("%1-battery-flipped").arg(QLatin1String(set.name)));
        footer->memoryCard()->toggle();
        footer->diskCard()->toggle();
    }
    return failures == 0 ? 0 : 1;
}
