// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Photographs the dashboard's header and hardware card in the states a user meets: the
// address line off and on (answered by a loopback endpoint), serial and UUID masked and shown,
// the report still running, the "HasCopied" notice; in light and dark. Run it once per scale
// (QT_SCALE_FACTOR=2 for 2x); it prints the paths of the pictures it saved. Also an IPv6
// address and the focus ring of a field reached with the keyboard.
//
//   tavlo-dashboard-shots <folder>
#include "LoopbackHttpServer.h"
#include "preferences/PreferenceManager.h"
#include "system/ScriptViewModel.h"
#include "views/ContentView.h"
#include "views/CopyField.h"
#include "views/HeaderView.h"
#include "views/ToggleView.h"

#include <QApplication>
#include <QDir>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>

namespace {

const char *const report = "Graphics/Displays:\n\n    Built-in Display:\n\n      Resolution: 2560 x 1600\n\n"
                           "Hardware:\n\n    Hardware Overview:\n\n      Number of Processors: 1\n"
                           "      Total Number of Cores: 8\n      Serial Number (system): PF3XK2QD\n"
                           "      Hardware UUID: 4C4C4544-0051-3510-8039-B4C04F4B4D32\n";

// The popover's own background, which the dashboard's default style lets through.
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

void settle(int ms = 0)
{
    QTest::qWait(ms);
    QCoreApplication::processEvents();
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: tavlo-dashboard-shots <folder>\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(folder);
    QTemporaryDir config;
    PreferenceManager preferences(config.path(), QLocale(QLocale::English));
    preferences.setSetApplanguage(QStringLiteral("en"));

    LoopbackHttpServer endpoint;
    QByteArray address = "203.0.113.7";
    // While held, requests wait for an answer that never comes.
    bool hold = false;
    endpoint.handler = [&address, &hold](QTcpSocket *socket, const QByteArray &) {
        if (!hold)
            LoopbackHttpServer::reply(socket, "var returnCitySN = {\"cip\": \"" + address + "\", \"cname\": \"\"};");
    };

    Popover popover(&preferences);
    auto *header = popover.view->findChild<HeaderView *>();
    auto *card = popover.view->findChild<ToggleView *>();
    header->setEndpoint(endpoint.url(QStringLiteral("/cityjson?ie=utf-8")));
    popover.show();

    const QString scale = qApp->devicePixelRatio() > 1.0 ? QStringLiteral("@%1x").arg(qApp->devicePixelRatio()) : "";
    const auto shoot = [&](const QString &name) {
        settle(50);
        const QString path = QStringLiteral("%1/%2%3.png").arg(folder, name, scale);
        if (popover.grab().save(path))
            std::printf("%s\n", qPrintable(path));
    };

    for (const QString &theme : { QStringLiteral("LightMode"), QStringLiteral("DarkMode") }) {
        const QString suffix = theme == QLatin1String("LightMode") ? QStringLiteral("-light") : QStringLiteral("-dark");
        preferences.setSetAppThemeMode(theme);
        preferences.setSetShowIPAddress(false);
        preferences.setSetShowUUID(false);
        preferences.setSetSerialNumber(false);

        auto *held = new ScriptViewModel(QString(), {}, card);
        card->setModel(held);
        shoot(QStringLiteral("dashboard-loading") + suffix);

        held->readChunk(QString::fromLatin1(report));
        held->reportFinished();
        shoot(QStringLiteral("dashboard-masked-ip-off") + suffix);

        address = "203.0.113.7";
        hold = true;
        preferences.setSetShowIPAddress(true);
        preferences.setSetShowUUID(true);
        preferences.setSetSerialNumber(true);
        settle();
        // The line's place, kept while the answer is on its way.
        shoot(QStringLiteral("dashboard-ip-pending") + suffix);
        hold = false;
        preferences.setSetShowIPAddress(false);
        settle();
        preferences.setSetShowIPAddress(true);
        settle();
        (void)QTest::qWaitFor([&] { return !header->isLookingUp(); }, 5000);
        shoot(QStringLiteral("dashboard-shown-ip-on") + suffix);

        card->uuidField()->click();
        settle(400);
        shoot(QStringLiteral("dashboard-uuid-copied") + suffix);
        card->serialField()->click();
        settle(400);
        shoot(QStringLiteral("dashboard-serial-copied") + suffix);
        (void)QTest::qWaitFor([&] { return !card->uuidField()->isNoticeShown(); }, 3000);

        address = "2001:db8:85a3:1f00:d4f3:2e1a:9c7b:4e21";
        preferences.setSetShowIPAddress(false);
        settle();
        preferences.setSetShowIPAddress(true);
        (void)QTest::qWaitFor([&] { return !header->isLookingUp(); }, 5000);
        shoot(QStringLiteral("dashboard-ipv6") + suffix);
        (void)QTest::qWaitFor([&] { return !card->serialField()->isNoticeShown(); }, 3000);
        // The notice's fade.
        settle(400);
        // Where the keyboard is: the UUID field reached with Tab.
        popover.activateWindow();
        card->uuidField()->setFocus(Qt::TabFocusReason);
        shoot(QStringLiteral("dashboard-keyboard-focus") + suffix);
        card->uuidField()->clearFocus();
    }
    return 0;
}
