// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "battery/BatteryManager.h"

#include <QWidget>

class BatteryInfoView;
class NetworkInfoView;
class QPropertyAnimation;
class QScrollArea;
class TLPageControl;

// The section switcher: a horizontal strip of the network page and the battery page, one in
// view at a time, and a page dot for each below it. A press on the unlit dot lights it and
// scrolls its page into view with an animation; the lit dot does nothing. The wheel or a
// touchpad moves the strip freely without changing the dots.
class ScrollableView : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kHeight = 115;
    static constexpr QSize kPageSize { 332, 100 };
    static constexpr int kScrollDurationMs = 300;

    ScrollableView(bool selectedNetwork, bool selectedBattery, QWidget *parent = nullptr);

    bool selectedNetwork() const { return m_selectedNetwork; }
    bool selectedBattery() const { return m_selectedBattery; }

    // The dots' actions.
    void selectNetwork();
    void selectBattery();

    // Builds the pages again, the battery page with a new monitor reading these sources.
    void rebuildPages(const BatteryManager::Options &batteryOptions = {});

    NetworkInfoView *networkPage() const { return m_networkPage; }
    BatteryInfoView *batteryPage() const { return m_batteryPage; }
    TLPageControl *networkDot() const { return m_networkDot; }
    TLPageControl *batteryDot() const { return m_batteryDot; }
    int scrollOffset() const;

    // Where the strip scrolls to bring a page at pageX into view, leading edge first, clamped
    // to the strip's ends.
    static int scrollTarget(int pageX, int stripWidth, int viewportWidth);

signals:
    void pageChanged();

protected:
    void changeEvent(QEvent *event) override;

private:
    void retranslate();
    void scrollToPage(QWidget *page);
    void setFlags(bool network, bool battery);

    bool m_selectedNetwork;
    bool m_selectedBattery;
    QScrollArea *m_scroll;
    QWidget *m_strip;
    NetworkInfoView *m_networkPage = nullptr;
    BatteryInfoView *m_batteryPage = nullptr;
    TLPageControl *m_networkDot;
    TLPageControl *m_batteryDot;
    QPropertyAnimation *m_scrollAnimation;
};
