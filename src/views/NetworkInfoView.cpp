// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "NetworkInfoView.h"

#include "EmptyStateRow.h"
#include "KeyLabel.h"
#include "PanelFont.h"
#include "SymbolImage.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QStackedLayout>
#include <QVBoxLayout>

namespace {
// A 30-point symbol drawn one and a half times as large.
constexpr int kIcon = 45;
} // namespace

NetworkInfoView::NetworkInfoView(NetworkManager *netMonitor, QWidget *parent)
    : GroupBox(parent)
    , m_netMonitor(netMonitor)
    , m_stack(new QStackedLayout)
    , m_connected(new QWidget(this))
    , m_empty(new EmptyStateRow("Nonetwork", this))
    , m_icon(new QLabel(m_connected))
{
    setObjectName(QStringLiteral("NetworkInfoView"));
    static_cast<QVBoxLayout *>(layout())->addLayout(m_stack);
    m_stack->addWidget(m_connected);
    m_stack->addWidget(m_empty);

    auto *row = new QHBoxLayout(m_connected);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    m_icon->setFixedSize(kIcon + 2 * 14, kIcon);
    m_icon->setAlignment(Qt::AlignCenter);
    row->addWidget(m_icon, 0, Qt::AlignVCenter);
    auto *rows = new QVBoxLayout;
    rows->setSpacing(8);
    rows->setContentsMargins(0, 0, 0, 0);
    const QFont font = PanelFont::make(this->font(), 12, QFont::Medium);
    m_type = new FigureRow("NetworkType", font, 6, m_connected);
    m_status = new FigureRow("NetworkStatus", font, 6, m_connected);
    m_ipv4 = new FigureRow("NetworkIPV4", font, 6, m_connected);
    m_ipv6 = new FigureRow("NetworkIPV6", font, 6, m_connected);
    for (FigureRow *figure : { m_type, m_status, m_ipv4, m_ipv6 }) {
        rows->addWidget(figure);
    }
    row->addLayout(rows, 1);

    connect(m_netMonitor, &NetworkManager::isConnectedChanged, this, &NetworkInfoView::refresh);
    connect(m_netMonitor, &NetworkManager::isSupportsIPv4Changed, this, &NetworkInfoView::refresh);
    connect(m_netMonitor, &NetworkManager::isSupportsIPv6Changed, this, &NetworkInfoView::refresh);
    connect(m_netMonitor, &NetworkManager::currentConnectedTypeChanged, this, &NetworkInfoView::refresh);
    refresh();
}

QString NetworkInfoView::symbolName(NetworkManager::InterfaceType type)
{
    switch (type) {
    case NetworkManager::InterfaceType::wifi:
        return QStringLiteral("wifi");
    case NetworkManager::InterfaceType::cellular:
        return QStringLiteral("antenna.radiowaves.left.and.right");
    case NetworkManager::InterfaceType::wiredEthernet:
        return QStringLiteral("network");
    case NetworkManager::InterfaceType::loopback:
        return QStringLiteral("dot.radiowaves.left.and.right");
    case NetworkManager::InterfaceType::other:
        break;
    }
    return QStringLiteral("xmark.icloud.fill");
}

const char *NetworkInfoView::supportKey(bool supported)
{
    return supported ? "NonetworkSupport" : "NonetworkUnsupport";
}

bool NetworkInfoView::showsConnection() const
{
    return m_stack->currentWidget() == m_connected;
}

QStringList NetworkInfoView::rowTexts() const
{
    if (!showsConnection()) {
        return { m_empty->text()->text() };
    }
    QStringList texts;
    for (const FigureRow *figure : { m_type, m_status, m_ipv4, m_ipv6 }) {
        texts << figure->label()->text() + QLatin1Char(' ') + figure->value();
    }
    return texts;
}

void NetworkInfoView::refresh()
{
    setAccessibleName(qtTrId("Page_Network"));
    m_stack->setCurrentWidget(m_netMonitor->isConnected() ? m_connected : static_cast<QWidget *>(m_empty));
    // The kind is printed as the monitor names it, in every language.
    m_type->setValue(NetworkManager::interfaceTypeName(m_netMonitor->currentConnectedType()));
    m_status->setValue(qtTrId("NetworkNormal"));
    m_ipv4->setValue(qtTrId(supportKey(m_netMonitor->isSupportsIPv4())));
    m_ipv6->setValue(qtTrId(supportKey(m_netMonitor->isSupportsIPv6())));
    renderIcon();
}

void NetworkInfoView::renderIcon()
{
    const NetworkManager::InterfaceType type = m_netMonitor->currentConnectedType();
    m_icon->setPixmap(SymbolImage::pixmap(
        symbolName(type), QSize(kIcon, kIcon), palette().color(QPalette::WindowText), devicePixelRatioF()));
    m_icon->setAccessibleName(NetworkManager::interfaceTypeName(type));
}

void NetworkInfoView::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        refresh();
    } else if (event->type() == QEvent::PaletteChange || event->type() == QEvent::ScreenChangeInternal) {
        renderIcon();
    }
    GroupBox::changeEvent(event);
}
