// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "BatteryInfoView.h"

#include "EmptyStateRow.h"
#include "KeyLabel.h"
#include "PanelFont.h"
#include "RingGauge.h"
#include "battery/BatteryManager.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QStackedLayout>
#include <QVBoxLayout>
#include <cmath>

BatteryInfoView::BatteryInfoView(BatteryManager *viewModel, QWidget *parent)
    : GroupBox(parent)
    , m_viewModel(viewModel)
    , m_stack(new QStackedLayout)
    , m_present(new QWidget(this))
    , m_empty(new EmptyStateRow("NOBattery", this))
    , m_ring(new RingGauge(m_present))
{
    setObjectName(QStringLiteral("BatteryInfoView"));
    m_viewModel->setParent(this);
    static_cast<QVBoxLayout *>(layout())->addLayout(m_stack);
    m_stack->addWidget(m_present);
    m_stack->addWidget(m_empty);

    const QFont font = PanelFont::make(this->font(), 11, QFont::DemiBold);
    m_state = new FigureRow("BatteryState", font, 0, m_present);
    m_capacity = new FigureRow("BatteryCapacity", font, 0, m_present);
    m_cycles = new FigureRow("BatteryCycle", font, 0, m_present);
    m_temperature = new FigureRow("BatteryTemperature", font, 0, m_present);

    auto *row = new QHBoxLayout(m_present);
    row->setContentsMargins(0, 0, 15, 0);
    auto *rows = new QVBoxLayout;
    rows->setContentsMargins(5, 0, 5, 0);
    rows->setSpacing(12);
    rows->addStretch();
    rows->addWidget(m_state);
    rows->addWidget(m_capacity);
    auto *third = new QHBoxLayout;
    third->setSpacing(8);
    third->addWidget(m_cycles);
    third->addWidget(m_temperature);
    third->addStretch();
    rows->addLayout(third);
    rows->addStretch();
    row->addLayout(rows);
    row->addStretch();
    row->addWidget(m_ring, 0, Qt::AlignVCenter);

    connect(m_viewModel, &BatteryManager::batteryChanged, this, [this] {
        refresh();
        // The first reading may land after the page appeared: start then.
        startIfPresent();
    });
    refresh();
}

const char *BatteryInfoView::stateKey(const Battery &battery)
{
    if (battery.isCharging.value_or(false)) {
        return "BatteryCharging";
    }
    if (battery.isCharged.value_or(false)) {
        return "BatteryChargedFull";
    }
    return "BatteryConsuming";
}

QString BatteryInfoView::capacityText(const Battery &battery)
{
    return QStringLiteral("%1 / %2 mAh").arg(battery.currentCapacity.value_or(0)).arg(battery.maxCapacity.value_or(0));
}

QString BatteryInfoView::cycleText(const Battery &battery)
{
    return battery.cycleCount ? QString::asprintf("%lld", static_cast<long long>(*battery.cycleCount)) : QString();
}

QString BatteryInfoView::temperatureText(const Battery &battery)
{
    return battery.temperature ? QString::asprintf("%.1f ℃", *battery.temperature) : QString();
}

double BatteryInfoView::chargeFraction(const Battery &battery)
{
    if (!battery.currentCapacity || !battery.maxCapacity || *battery.maxCapacity <= 0) {
        return 0;
    }
    return double(*battery.currentCapacity) / double(*battery.maxCapacity);
}

QString BatteryInfoView::percentText(const Battery &battery)
{
    return QString::asprintf("%.2f%%", chargeFraction(battery) * 100);
}

bool BatteryInfoView::showsBattery() const
{
    return m_stack->currentWidget() == m_present;
}

QStringList BatteryInfoView::rowTexts() const
{
    if (!showsBattery()) {
        return { m_empty->text()->text() };
    }
    QStringList texts;
    for (const FigureRow *figure : { m_state, m_capacity, m_cycles, m_temperature }) {
        texts << (figure->label()->text() + figure->value()).trimmed();
    }
    return texts << m_ring->accessibleName();
}

void BatteryInfoView::refresh()
{
    setAccessibleName(qtTrId("Page_Battery"));
    const std::optional<Battery> &battery = m_viewModel->battery();
    m_stack->setCurrentWidget(battery ? m_present : static_cast<QWidget *>(m_empty));
    if (!battery) {
        return;
    }
    m_state->setValue(qtTrId(stateKey(*battery)));
    m_capacity->setValue(capacityText(*battery));
    m_cycles->setValue(cycleText(*battery));
    m_temperature->setValue(temperatureText(*battery));
    const QString percent = percentText(*battery);
    m_ring->setValue(chargeFraction(*battery), percent);
    m_ring->setAccessibleName(qtTrId("Page_Battery") + QLatin1Char(' ') + percent);
}

void BatteryInfoView::startIfPresent()
{
    if (isVisible() && m_viewModel->battery() && !m_viewModel->isStarted()) {
        m_viewModel->start();
    }
}

void BatteryInfoView::showEvent(QShowEvent *event)
{
    startIfPresent();
    GroupBox::showEvent(event);
}

void BatteryInfoView::hideEvent(QHideEvent *event)
{
    // Also when the battery went away meanwhile: a stopped page reads nothing.
    if (m_viewModel->isStarted()) {
        m_viewModel->stop();
    }
    GroupBox::hideEvent(event);
}

void BatteryInfoView::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        refresh();
    }
    GroupBox::changeEvent(event);
}
