// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "GroupBox.h"
#include "battery/Battery.h"

class BatteryManager;
class EmptyStateRow;
class FigureRow;
class QStackedLayout;
class RingGauge;

// The battery page: charging state, charge against full capacity, cycles and temperature
// beside a ring of the charge, or the "no battery" row. While shown it keeps its monitor
// reading every 10 seconds; a battery whose first reading lands after the page appeared
// still starts it.
class BatteryInfoView : public GroupBox
{
    Q_OBJECT

public:
    // Takes ownership of the monitor.
    explicit BatteryInfoView(BatteryManager *viewModel, QWidget *parent = nullptr);

    BatteryManager *viewModel() const { return m_viewModel; }

    static const char *stateKey(const Battery &battery);
    // "4012 / 4382 mAh"; an absent capacity reads 0.
    static QString capacityText(const Battery &battery);
    // Empty when the battery does not report it.
    static QString cycleText(const Battery &battery);
    static QString temperatureText(const Battery &battery);
    // Charge ÷ full capacity, 0 when either is absent or the full capacity is not positive.
    static double chargeFraction(const Battery &battery);
    static QString percentText(const Battery &battery);

    bool showsBattery() const;
    QStringList rowTexts() const;

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void refresh();
    void startIfPresent();

    BatteryManager *m_viewModel;
    QStackedLayout *m_stack;
    QWidget *m_present;
    EmptyStateRow *m_empty;
    FigureRow *m_state;
    FigureRow *m_capacity;
    FigureRow *m_cycles;
    FigureRow *m_temperature;
    RingGauge *m_ring;
};
