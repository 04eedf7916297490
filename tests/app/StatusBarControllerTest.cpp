// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/StatusBarController.h"

#include "app/MouseEventManager.h"
#include "app/PanelPicture.h"
#include "app/StatusTitle.h"
#include "network/SpeedFormat.h"
#include "platform/LayerShellPlacer.h"
#include "platform/PanelItem.h"
#include "platform/PopoverWindow.h"
#include "platform/X11PanelLocator.h"

#include <QFontMetricsF>
#include <QSignalSpy>
#include <QWindow>
#include <QtTest>
#include <memory>
#include <optional>
#include <thread>

namespace {
// The rows of `image` holding text: pixels of the plate's area that stand out from it,
// right of the markers.
QList<QPair<int, int>> textBands(const QImage &image, QColor plate)
{
    QList<QPair<int, int>> bands;
    int start = -1;
    for (int y = 0; y <= image.height(); ++y) {
        bool inked = false;
        for (int x = image.width() / 3; y < image.height() && x < image.width() && !inked; ++x)
            inked = qAlpha(image.pixel(x, y)) == 255 && PanelPicture::contrast(QColor(image.pixel(x, y)), plate) > 2.0;
        if (inked && start < 0)
            start = y;
        if (!inked && start >= 0) {
            bands.append({ start, y - 1 });
            start = -1;
        }
    }
    return bands;
}
} // namespace

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

    void testPlacement_data()
    {
        QTest::addColumn<QRect>("anchor");
        QTest::addColumn<QRect>("available");
        QTest::addColumn<QRect>("expected");
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
        QTest::newRow("top-centre-right")
            << QPoint(900, 15) << laptop << int(Qt::TopEdge | Qt::RightEdge) << QMargins(0, 4, 205, 0);
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

    void testPicture_data()
    {
        QTest::addColumn<int>("size");
        QTest::addColumn<QString>("upload");
        QTest::addColumn<QString>("download");
        QTest::addColumn<QColor>("plate");
        QTest::addColumn<bool>("open");
        const QString widest = QStringLiteral("1000.0 Mb/s");
        const QColor light(0xf6, 0xf6, 0xf6);
        const QColor dark(0x24, 0x24, 0x24);
        for (const int size : PanelItem::pixmapSizes(2.0)) {
            const QByteArray tag = QByteArray::number(size);
            QTest::newRow(tag + "-widest-light") << size << widest << widest << light << false;
            QTest::newRow(tag + "-mixed-dark")
                << size << QStringLiteral("0  b/s") << QStringLiteral("512  b/s") << dark << false;
            QTest::newRow(tag + "-giga-open") << size << QStringLiteral("1.5 Gb/s") << QStringLiteral("99.99 Gb/s")
                                              << QColor(0x30, 0x8c, 0xc6) << true;
        }
    }

    // Both lines are drawn whole and apart, as tall as the square allows, and their glyphs
    // stand out from the plate under them by at least 4.5:1, whatever the plate's colour.
    void testPicture()
    {
        QFETCH(int, size);
        QFETCH(QString, upload);
        QFETCH(QString, download);
        QFETCH(QColor, plate);
        QFETCH(bool, open);
        const QColor text = PanelPicture::textColorFor(plate);
        const PanelPicture::Colors colors { plate, text, plate, text };
        const QImage image
            = PanelPicture::render(makeStatusTitle(upload, download), QSize(size, size), 1.0, open, colors);
        QCOMPARE(image.size(), QSize(size, size));
        const QList<QPair<int, int>> bands = textBands(image, plate);
        QCOMPARE(bands.size(), 2);
        QVERIFY2(bands.first().first > 0 && bands.last().second < size - 1, "text touches the edge");
        for (const auto &[top, bottom] : bands)
            QVERIFY2(bottom - top + 1 >= size / 4, qPrintable(QStringLiteral("a line %1 px").arg(bottom - top + 1)));
        qreal best = 1;
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x)
                if (qAlpha(image.pixel(x, y)) == 255)
                    best = std::max(best, PanelPicture::contrast(QColor(image.pixel(x, y)), plate));
        QVERIFY2(best >= 4.5, qPrintable(QString::number(best)));
    }

    void testCompactRate_data()
    {
        QTest::addColumn<QString>("speed");
        QTest::addColumn<QString>("compact");
        QTest::newRow("placeholder") << QStringLiteral("--Byte/s") << QStringLiteral("--");
        QTest::newRow("bytes") << QStringLiteral("999  b/s") << QStringLiteral("999");
        QTest::newRow("kilo-small") << QStringLiteral("0.98 Kb/s") << QStringLiteral("1K");
        QTest::newRow("kilo-rounds-up") << QStringLiteral("9.5 Kb/s") << QStringLiteral("10K");
        QTest::newRow("kilo-top") << QStringLiteral("999.4 Kb/s") << QStringLiteral("999K");
        QTest::newRow("kilo-full") << QStringLiteral("1000.0 Kb/s") << QStringLiteral("1M");
        QTest::newRow("giga-full") << QStringLiteral("1000.0 Gb/s") << QStringLiteral("max");
        QTest::newRow("unknown") << QStringLiteral("garbage text") << QStringLiteral("garb");
        QTest::newRow("empty") << QString() << QString();
    }

    void testCompactRate()
    {
        QFETCH(QString, speed);
        QFETCH(QString, compact);
        QCOMPARE(PanelPicture::compactRate(speed), compact);
    }

    // The label guide must be at least as wide as any label the sampler can produce, or the
    // host's reserved width is too small and the neighbours move after all.
    void testLabelGuideIsWidest()
    {
        const QFontMetricsF metrics(QGuiApplication::font());
        const qreal guide = metrics.horizontalAdvance(statusLabelGuide());
        // The widest text of each tier, just below where the next begins.
        const QList<qint64> differences { 999, 1023999, 1048575999, 1073741823999, 1073741824000 };
        for (const qint64 d : differences) {
            const QString speed = formatSpeed(0, d);
            const QString label = statusLabel(speed, speed);
            QVERIFY2(metrics.horizontalAdvance(label) <= guide, qPrintable(label));
        }
        const QString placeholder = QLatin1String(statusTitlePlaceholder);
        QVERIFY(metrics.horizontalAdvance(statusLabel(placeholder, placeholder)) <= guide);
    }
};

QTEST_MAIN(StatusBarControllerTest)
#include "StatusBarControllerTest.moc"
