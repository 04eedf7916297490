// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Photographs, for a person to look at, the dashboard in the states a user meets and the
// Settings, About and Feedback windows, in each theme, language and background
// of the passes below. Prints the path of each picture; run once per scale (QT_SCALE_FACTOR=2).
//
//   tavlo-shots <folder> <battery-sys-root>
#include "LoopbackHttpServer.h"
#include "preferences/PreferenceManager.h"
#include "system/ScriptViewModel.h"
#include "views/AuxiliaryWindow.h"
#include "views/ContentView.h"
#include "views/CopyField.h"
#include "views/CustomWindow.h"
#include "views/FlipCard.h"
#include "views/FooterView.h"
#include "views/HeaderView.h"
#include "views/ScrollableView.h"
#include "views/ToggleView.h"

#include <QApplication>
#include <QDir>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>
#include <functional>

namespace {

const char *const report = "Graphics/Displays:\n\n    Built-in Display:\n\n      Resolution: 2560 x 1600\n\n"
                           "Hardware:\n\n    Hardware Overview:\n\n      Number of Processors: 1\n"
                           "      Total Number of Cores: 8\n      Serial Number (system): PF3XK2QD\n"
                           "      Hardware UUID: 4C4C4544-0051-3510-8039-B4C04F4B4D32\n";

// The popover: the window colour under the dashboard.
class Popover : public QWidget
{
public:
    explicit Popover(PreferenceManager *preferences)
        : view(new ContentView(preferences, this))
    {
        setFixedSize(ContentView::kWidth, ContentView::kHeight);
    }
    ContentView *view;

protected:
    void paintEvent(QPaintEvent * /*event*/) override { QPainter(this).fillRect(rect(), palette().window()); }
};

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: tavlo-shots <folder> <battery-sys-root>\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(folder);
    QTemporaryDir config;
    PreferenceManager preferences(config.path(), QLocale(QLocale::English));

    // The address lookup's endpoint; while held, requests wait for an answer that never comes.
    LoopbackHttpServer endpoint;
    QByteArray address;
    bool hold = false;
    endpoint.handler = [&](QTcpSocket *socket, const QByteArray &) {
        if (!hold)
            LoopbackHttpServer::reply(socket, "var returnCitySN = {\"cip\": \"" + address + "\", \"cname\": \"\"};");
    };

    Popover popover(&preferences);
    auto *header = popover.view->findChild<HeaderView *>();
    auto *card = popover.view->findChild<ToggleView *>();
    FooterView *footer = popover.view->footerView();
    ScrollableView *switcher = popover.view->scrollableView();
    BatteryManager::Options battery;
    battery.sources.sysRoot = QString::fromLocal8Bit(argv[2]);
    battery.sources.askUPower = false;
    switcher->rebuildPages(battery);
    header->setEndpoint(endpoint.url(QStringLiteral("/cityjson?ie=utf-8")));
    popover.show();
    // Two refreshes (the second one has the last second's CPU shares) and the model names.
    (void)QTest::qWaitFor(
        [&] { return footer->refreshCount() >= 2 && footer->modelName() != QLatin1String("unkown"); }, 5000);

    ScriptViewModel *held = nullptr;
    const auto show = [&](bool on) {
        for (const auto set : { &PreferenceManager::setSetShowIPAddress, &PreferenceManager::setSetShowUUID,
                 &PreferenceManager::setSetSerialNumber })
            (preferences.*set)(on);
    };
    const auto lookUp = [&](const QByteArray &answer) {
        (void)QTest::qWaitFor([&] { return !card->uuidField()->isNoticeShown(); }, 3000);
        (void)QTest::qWaitFor([&] { return !card->serialField()->isNoticeShown(); }, 3000);
        hold = false;
        address = answer;
        preferences.setSetShowIPAddress(false);
        QCoreApplication::processEvents();
        preferences.setSetShowIPAddress(true);
        (void)QTest::qWaitFor([&] { return !header->isLookingUp(); }, 5000);
    };
    const auto turnCards = [&] {
        footer->memoryCard()->toggle();
        footer->diskCard()->toggle();
    };
    const int turn = FlipCard::kDurationMs + 100;
    // Each state: its name, how to reach it from the one before, and how long it settles.
    const std::tuple<const char *, std::function<void()>, int> states[] = {
        { "loading", [&] { show(false), card->setModel(held = new ScriptViewModel(QString(), {}, card)); }, 50 },
        { "masked-ip-off", [&] { held->readChunk(QString::fromLatin1(report)), held->reportFinished(); }, 50 },
        { "ip-pending", [&] { hold = true, show(true); }, 50 },
        { "shown-ip-on", [&] { lookUp("203.0.113.7"); }, 50 },
        { "uuid-copied", [&] { card->uuidField()->click(); }, 400 },
        { "serial-copied", [&] { card->serialField()->click(); }, 400 },
        { "ipv6", [&] { lookUp("2001:db8:85a3:1f00:d4f3:2e1a:9c7b:4e21"); }, 400 }, // the notices' fade
        { "keyboard-focus", [&] { popover.activateWindow(), card->uuidField()->setFocus(Qt::TabFocusReason); }, 50 },
        { "network", [&] { card->uuidField()->clearFocus(), switcher->selectNetwork(); }, turn },
        { "turning", turnCards, FlipCard::kDurationMs / 3 }, // squeezed, not mirrored
        { "battery-flipped", [&] { switcher->selectBattery(); }, turn },
    };
    const std::pair<CustomWindow::Kind, const char *> windows[] { { CustomWindow::Kind::Setting, "settings" },
        { CustomWindow::Kind::About, "about" }, { CustomWindow::Kind::Feedback, "feedback" } };
    // Theme, language and background of each pass.
    const char *const passes[][3] = { { "LightMode", "en", "DefaultStyle" }, { "DarkMode", "en", "DefaultStyle" },
        { "LightMode", "de", "GradientStyle" }, { "DarkMode", "de", "MontereyStyle" },
        { "LightMode", "ja", "BigSurStyle" }, { "DarkMode", "ja", "ShapeStyle" },
        { "LightMode", "zh_CN", "CartoonStyle" } };

    const QString scale = app.devicePixelRatio() > 1.0 ? QStringLiteral("@%1x").arg(app.devicePixelRatio()) : "";
    int failures = 0;
    const auto save = [&](QWidget *widget, const QString &name) {
        const QString path = QStringLiteral("%1/%2%3.png").arg(folder, name, scale);
        if (widget->grab().save(path))
            std::printf("%s\n", qPrintable(path));
        else
            ++failures;
    };
    for (const auto &[theme, language, background] : passes) {
        preferences.setSetAppThemeMode(QLatin1String(theme));
        preferences.setSetApplanguage(QLatin1String(language));
        preferences.setSetAppBgStyle(QLatin1String(background));
        QString suffix = QStringLiteral("-%1-%2").arg(
            QLatin1String(theme).chopped(4).toString().toLower(), QLatin1String(language));
        if (qstrcmp(background, "DefaultStyle") != 0)
            suffix += QLatin1Char('-') + QLatin1String(background);
        for (const auto &[name, reach, settleMs] : states) {
            reach();
            QTest::qWait(settleMs);
            save(&popover, QStringLiteral("dashboard-") + QLatin1String(name) + suffix);
        }
        turnCards();
        QTest::qWait(turn);

        for (const auto &[kind, window] : windows) {
            std::unique_ptr<AuxiliaryWindow> shown(CustomWindow(&preferences).window(kind));
            QCoreApplication::processEvents();
            save(shown.get(), QLatin1String(window) + suffix);
        }
    }
    return failures == 0 ? 0 : 1;
}
