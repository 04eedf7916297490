// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ScrollableView.h"

#include "BatteryInfoView.h"
#include "NetworkInfoView.h"
#include "TLPageControl.h"
#include "network/NetworkManager.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QPropertyAnimation>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <algorithm>
#include <functional>

namespace {

// The strip's frame. A wheel that only turns vertically still moves the strip, since nothing
// here scrolls up and down.
class StripArea : public QScrollArea
{
public:
    using QScrollArea::QScrollArea;

    std::function<void()> userScrolled;

protected:
    void wheelEvent(QWheelEvent *event) override
    {
        const QPoint pixels = event->pixelDelta();
        const QPoint angle = event->angleDelta();
        const auto larger
            = [](const QPoint &delta) { return std::abs(delta.x()) >= std::abs(delta.y()) ? delta.x() : delta.y(); };
        // A wheel notch (120) moves three steps, as Qt's own scroll areas do.
        const int step
            = pixels.isNull() ? larger(angle) * 3 * horizontalScrollBar()->singleStep() / 120 : larger(pixels);
        if (step == 0) {
            event->ignore();
            return;
        }
        if (userScrolled) {
            userScrolled();
        }
        horizontalScrollBar()->setValue(horizontalScrollBar()->value() - step);
        event->accept();
    }
};

} // namespace

ScrollableView::ScrollableView(bool selectedNetwork, bool selectedBattery, QWidget *parent)
    : QWidget(parent)
    , m_selectedNetwork(selectedNetwork)
    , m_selectedBattery(selectedBattery)
    , m_scroll(new StripArea(this))
    , m_strip(new QWidget)
    , m_networkDot(new TLPageControl(this))
    , m_batteryDot(new TLPageControl(this))
    , m_scrollAnimation(new QPropertyAnimation(this))
{
    setObjectName(QStringLiteral("ScrollableView"));
    setFixedHeight(kHeight);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(5, 0, 5, 0);
    layout->setSpacing(4);

    m_scroll->setFrameShape(QFrame::NoFrame);
    m_scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_scroll->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_scroll->setFocusPolicy(Qt::NoFocus);
    m_scroll->setFixedHeight(kPageSize.height());
    m_scroll->viewport()->setAutoFillBackground(false);
    auto *stripLayout = new QHBoxLayout(m_strip);
    stripLayout->setContentsMargins(0, 0, 0, 0);
    stripLayout->setSpacing(8);
    m_scroll->setWidget(m_strip);
    // The scroll area paints its content opaque by default; the dashboard's background shows.
    m_strip->setAutoFillBackground(false);
    static_cast<StripArea *>(m_scroll)->userScrolled = [this] { m_scrollAnimation->stop(); };
    layout->addWidget(m_scroll);

    auto *dots = new QHBoxLayout;
    dots->setSpacing(0);
    dots->setContentsMargins(0, 0, 0, 0);
    dots->addStretch();
    dots->addWidget(m_networkDot);
    dots->addWidget(m_batteryDot);
    dots->addStretch();
    layout->addLayout(dots);
    m_networkDot->setSelected(m_selectedNetwork);
    m_batteryDot->setSelected(m_selectedBattery);
    connect(m_networkDot, &QAbstractButton::clicked, this, &ScrollableView::selectNetwork);
    connect(m_batteryDot, &QAbstractButton::clicked, this, &ScrollableView::selectBattery);

    m_scrollAnimation->setTargetObject(m_scroll->horizontalScrollBar());
    m_scrollAnimation->setPropertyName("value");
    m_scrollAnimation->setDuration(kScrollDurationMs);
    m_scrollAnimation->setEasingCurve(QEasingCurve::InOutQuad);

    rebuildPages();
    retranslate();
}

void ScrollableView::rebuildPages(const BatteryManager::Options &batteryOptions)
{
    delete m_networkPage;
    delete m_batteryPage;
    m_networkPage = new NetworkInfoView(&NetworkManager::shared(), m_strip);
    m_batteryPage = new BatteryInfoView(new BatteryManager(batteryOptions), m_strip);
    for (QWidget *page : { static_cast<QWidget *>(m_networkPage), static_cast<QWidget *>(m_batteryPage) }) {
        page->setFixedSize(kPageSize);
        m_strip->layout()->addWidget(page);
    }
    m_strip->adjustSize();
    if (isVisible()) {
        m_networkPage->show();
        m_batteryPage->show();
    }
    // The strip keeps showing the page whose dot is lit.
    m_scroll->horizontalScrollBar()->setValue(
        scrollTarget(m_selectedNetwork ? 0 : m_batteryPage->x(), m_strip->width(), kPageSize.width()));
}

int ScrollableView::scrollOffset() const
{
    return m_scroll->horizontalScrollBar()->value();
}

int ScrollableView::scrollTarget(int pageX, int stripWidth, int viewportWidth)
{
    return std::clamp(pageX, 0, std::max(0, stripWidth - viewportWidth));
}

void ScrollableView::setFlags(bool network, bool battery)
{
    m_selectedBattery = battery;
    m_selectedNetwork = network;
    m_batteryDot->setSelected(battery);
    m_networkDot->setSelected(network);
    emit pageChanged();
}

void ScrollableView::selectNetwork()
{
    if (m_selectedNetwork) {
        return;
    }
    setFlags(true, false);
    scrollToPage(m_networkPage);
}

void ScrollableView::selectBattery()
{
    if (m_selectedBattery) {
        return;
    }
    setFlags(false, true);
    scrollToPage(m_batteryPage);
}

void ScrollableView::scrollToPage(QWidget *page)
{
    QScrollBar *bar = m_scroll->horizontalScrollBar();
    m_scrollAnimation->stop();
    m_scrollAnimation->setStartValue(bar->value());
    m_scrollAnimation->setEndValue(scrollTarget(page->x(), m_strip->width(), m_scroll->viewport()->width()));
    m_scrollAnimation->start();
}

void ScrollableView::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        retranslate();
    }
    QWidget::changeEvent(event);
}

void ScrollableView::retranslate()
{
    m_networkDot->setAccessibleName(qtTrId("Page_Network"));
    m_batteryDot->setAccessibleName(qtTrId("Page_Battery"));
}
