// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/StatusBarController.h"

#include "app/MouseEventManager.h"
#include "platform/LayerShellPlacer.h"
#include "platform/PanelItem.h"
#include "platform/PopoverWindow.h"
#include "platform/X11PanelLocator.h"

#include <QSignalSpy>
#include <QWindow>
#include <QtTest>
#include <memory>
#include <optional>
#include <thread>

class StatusBarControllerTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<PopoverWindow> m_popOver;
    std::unique_ptr<StatusBarController> m_controller;

    // Highlight changes are queued to the next turn of the event loop.
    static void settle() { QCoreApplication::processEvents(); }

    void outsideClick(Qt::MouseButton button, QPoint where = QPoint(-40, 20))
    {
        QTest::mouseClick(m_popOver->windowHandle(), button, {}, where);
        settle();
    }

private Q_SLOTS:
    void init()
    {
        m_popOver = std::make_unique<PopoverWindow>();
        m_controller = std::make_unique<StatusBarController>(m_popOver.get());
    }

    void cleanup()
    {
        m_controller.reset();
        m_popOver.reset();
    }

    // Every way the dashboard goes: the highlight (drawn in the item's picture) and the mouse
    // monitor follow it, and the next click on the item opens it again.
    void testClose_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<Qt::MouseButton>("button");
        QTest::addColumn<QPoint>("where");
        QTest::addColumn<bool>("closes");
        QTest::newRow("item clicked again") << "item" << Qt::LeftButton << QPoint() << true;
        QTest::newRow("escape") << "escape" << Qt::LeftButton << QPoint() << true;
        QTest::newRow("another window of ours closes") << "window" << Qt::LeftButton << QPoint() << true;
        QTest::newRow("left outside") << "outside" << Qt::LeftButton << QPoint(-40, 20) << true;
        QTest::newRow("right outside") << "outside" << Qt::RightButton << QPoint(-40, 20) << true;
        QTest::newRow("middle outside") << "outside" << Qt::MiddleButton << QPoint(-40, 20) << false;
        QTest::newRow("left inside") << "outside" << Qt::LeftButton << QPoint(100, 100) << false;
    }

    void testClose()
    {
        QFETCH(QString, how);
        QFETCH(Qt::MouseButton, button);
        QFETCH(QPoint, where);
        QFETCH(bool, closes);
        QWidget about;
        about.show();
        QVERIFY(QTest::qWaitForWindowExposed(&about));
        const QImage closed = m_controller->picture(QSize(22, 22), 1.0);
        m_controller->statusItemBtnClick(QPoint(200, 10));
        settle();
        QVERIFY(m_controller->isHighlighted() && m_controller->mouseManager()->isMonitoring());
        QVERIFY(m_controller->picture(QSize(22, 22), 1.0) != closed);
        QSignalSpy highlight(m_controller.get(), &StatusBarController::highlightChanged);
        if (how == QLatin1String("item"))
            m_controller->statusItemBtnClick(QPoint(200, 10));
        else if (how == QLatin1String("escape"))
            QTest::keyClick(m_popOver.get(), Qt::Key_Escape);
        else if (how == QLatin1String("window"))
            about.close();
        else
            outsideClick(button, where);
        QCOMPARE(m_popOver->isVisible(), !closes);
        // Reported after the hide was handled, then the highlight on the turn after.
        QTRY_COMPARE(m_controller->isHighlighted(), !closes);
        QCOMPARE(m_controller->mouseManager()->isMonitoring(), !closes);
        if (!closes)
            return;
        QCOMPARE(m_controller->picture(QSize(22, 22), 1.0), closed);
        QCOMPARE(highlight.count(), 1);
        if (how == QLatin1String("outside")) {
            // The monitor is gone: a second outside click changes nothing. The press that
            // closed it reaches the item next and must not open it again at once.
            outsideClick(button, where);
            QCOMPARE(highlight.count(), 1);
            m_controller->statusItemBtnClick(QPoint(200, 10));
            QVERIFY(!m_popOver->isVisible());
        }
        // A window that loses the focus as it goes counts as closed from outside: the item then
        // opens it again only once the press that closed it is past.
        QTRY_VERIFY((m_controller->statusItemBtnClick(QPoint(200, 10)), m_popOver->isVisible()));
    }

    // Right-click menu: Settings comes in once given; the first entry opens the dashboard.
    void testMenu()
    {
        const auto entries = [this] { return m_controller->statusItem()->menu()->entries(); };
        int settings = 0;
        m_controller->setAuxiliaryWindows([&] { ++settings; }, [] {});
        entries().at(2).action();
        QCOMPARE(settings, 1);
        entries().at(0).action();
        QVERIFY(m_popOver->isVisible());
    }

    // Rates come from the sampler's thread; the same rates again redraw and announce nothing.
    // Upload first, then download, in every text.
    void testUpdateTitleFromAnotherThread()
    {
        QSignalSpy changed(m_controller.get(), &StatusBarController::titleChanged);
        std::thread worker([this] {
            m_controller->updateTitle(QStringLiteral("1.0 Kb/s"), QStringLiteral("0  b/s"));
            m_controller->updateTitle(QStringLiteral("1.0 Kb/s"), QStringLiteral("0  b/s"));
        });
        worker.join();
        QCOMPARE(m_controller->title().upload, QStringLiteral("--Byte/s"));
        QTRY_COMPARE(changed.count(), 1);
        settle();
        QCOMPARE(changed.count(), 1);
        QCOMPARE(m_controller->toolTipText(), QStringLiteral("1.0 Kb/s \u2191\n0  b/s \u2193"));
        QCOMPARE(m_controller->accessibleName(), QStringLiteral("Tavlo: 1.0 Kb/s \u2191, 0  b/s \u2193"));
    }

    // The monitor itself, on a window of its own: started twice, it still calls back once.
    void testStartRemovesTheInstalledMonitor()
    {
        QWidget window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        int calls = 0;
        MouseEventManager manager(&window, Qt::LeftButton, [&](const auto &) { ++calls; });
        manager.start();
        manager.start();
        QTest::mouseClick(window.windowHandle(), Qt::LeftButton, {}, QPoint(-5, -5));
        QCoreApplication::processEvents();
        QCOMPARE(calls, 1);

        manager.stop();
        QVERIFY(!manager.isMonitoring());
        QTest::mouseClick(window.windowHandle(), Qt::LeftButton, {}, QPoint(-5, -5));
        QCoreApplication::processEvents();
        QCOMPARE(calls, 1);
    }
    void testPlacement_data()
    {
        QTest::addColumn<QRect>("anchor");
        QTest::addColumn<QRect>("available");
        QTest::addColumn<QRect>("expected");
        // Panel along the top, 26 high: below the item, centred on it.
        QTest::newRow("top") << QRect(900, 0, 65, 26) << QRect(0, 26, 1920, 1054) << QRect(757, 30, 350, 693);
        // Item near the right end: pushed left to stay on screen.
        QTest::newRow("top-right") << QRect(1850, 0, 65, 26) << QRect(0, 26, 1920, 1054) << QRect(1570, 30, 350, 693);
        // Panel along the bottom: above the item.
        QTest::newRow("bottom") << QRect(900, 1044, 36, 36) << QRect(0, 0, 1920, 1044) << QRect(742, 347, 350, 693);
        // Panel on the right: to the left of the item, centred on it.
        QTest::newRow("right") << QRect(1872, 500, 48, 48) << QRect(0, 0, 1872, 1080) << QRect(1518, 177, 350, 693);
        // Panel on the left: to the right of the item, centred and kept on screen.
        QTest::newRow("left") << QRect(0, 1000, 48, 48) << QRect(48, 0, 1872, 1080) << QRect(52, 387, 350, 693);
        // Only a click point, inside a panel the work area leaves out: below the panel.
        QTest::newRow("point") << QRect(960, 12, 1, 1) << QRect(0, 26, 1920, 1054) << QRect(785, 26, 350, 693);
        // No work area (no window manager): a tray icon in the bottom-left corner is in a
        // bottom panel, not a left dock.
        QTest::newRow("corner-no-work-area")
            << QRect(5, 1052, 24, 24) << QRect(0, 0, 1920, 1080) << QRect(0, 355, 350, 693);
        QTest::newRow("side-dock-no-work-area")
            << QRect(8, 500, 48, 48) << QRect(0, 0, 1920, 1080) << QRect(60, 177, 350, 693);
        // A screen lower than the window shows its top.
        QTest::newRow("small-screen") << QRect(300, 0, 65, 26) << QRect(0, 26, 800, 574) << QRect(157, 26, 350, 693);
    }

    void testPlacement()
    {
        QFETCH(QRect, anchor);
        QFETCH(QRect, available);
        QFETCH(QRect, expected);
        const QRect screen
            = available.united(anchor).united(QRect(0, 0, available.right() + 1, available.bottom() + 1));
        QCOMPARE(PopoverWindow::placement(anchor, QSize(350, 693), screen, available), expected);
    }

    // On Wayland, from where the pointer was at the click: the layer surface's edges and margins.
    void testLayerPlacement_data()
    {
        QTest::addColumn<QPoint>("click");
        QTest::addColumn<QRect>("screen");
        QTest::addColumn<int>("edges");
        QTest::addColumn<QMargins>("margins");
        const QRect laptop(0, 0, 1280, 800);
        QTest::newRow("top-right") << QPoint(1269, 15) << laptop << int(Qt::TopEdge | Qt::RightEdge)
                                   << QMargins(0, 4, 0, 0);
        QTest::newRow("top-centre-right")
            << QPoint(900, 15) << laptop << int(Qt::TopEdge | Qt::RightEdge) << QMargins(0, 4, 205, 0);
        QTest::newRow("bottom-left") << QPoint(400, 785) << laptop << int(Qt::BottomEdge | Qt::LeftEdge)
                                     << QMargins(225, 0, 0, 4);
        QTest::newRow("corner") << QPoint(3, 3) << laptop << int(Qt::TopEdge | Qt::LeftEdge) << QMargins(0, 4, 0, 0);
        // A second screen: margins count from its own edges.
        QTest::newRow("right-screen") << QPoint(3080, 1070) << QRect(1280, 0, 1920, 1080)
                                      << int(Qt::BottomEdge | Qt::RightEdge) << QMargins(0, 0, 0, 4);
        QTest::newRow("narrow-screen") << QPoint(250, 5) << QRect(0, 0, 300, 600) << int(Qt::TopEdge | Qt::LeftEdge)
                                       << QMargins(0, 4, 0, 0);
    }

    void testLayerPlacement()
    {
        QFETCH(QPoint, click);
        QFETCH(QRect, screen);
        QFETCH(int, edges);
        QFETCH(QMargins, margins);
        const auto placed = LayerShellPlacer::placement(QRect(click, QSize(1, 1)), QSize(350, 693), screen);
        QCOMPARE(int(placed.edges), edges);
        QCOMPARE(placed.margins, margins);
    }

    // Hosts pass the click point only; the panel window under it gives the edge to open from.
    void testPanelStrip_data()
    {
        QTest::addColumn<QRect>("window");
        QTest::addColumn<QPoint>("click");
        QTest::addColumn<QRect>("strip");
        const QRect none;
        QTest::newRow("top-panel") << QRect(0, 0, 1920, 26) << QPoint(1800, 12) << QRect(1800, 0, 1, 26);
        QTest::newRow("bottom-panel") << QRect(0, 1040, 1920, 40) << QPoint(30, 1050) << QRect(30, 1040, 1, 40);
        // A desktop window or a maximised application is no panel.
        QTest::newRow("desktop-window") << QRect(0, 0, 1920, 1080) << QPoint(960, 12) << none;
        QTest::newRow("outside") << QRect(0, 0, 1920, 26) << QPoint(960, 300) << none;
    }

    void testPanelStrip()
    {
        QFETCH(QRect, window);
        QFETCH(QPoint, click);
        QFETCH(QRect, strip);
        const auto found = X11PanelLocator::stripOf(window, click, QRect(0, 0, 1920, 1080));
        QCOMPARE(found.value_or(QRect()), strip);
    }
};

QTEST_MAIN(StatusBarControllerTest)
#include "StatusBarControllerTest.moc"
