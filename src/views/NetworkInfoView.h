// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "GroupBox.h"
#include "network/NetworkManager.h"

class EmptyStateRow;
class FigureRow;
class QLabel;
class QStackedLayout;

// The network page: the icon of the connection's interface kind beside four rows (kind,
// status, IPv4, IPv6), or the "no network" row while there is no usable path. Redrawn on
// every change of the monitor's fields.
class NetworkInfoView : public GroupBox
{
    Q_OBJECT

public:
    explicit NetworkInfoView(NetworkManager *netMonitor, QWidget *parent = nullptr);

    static QString symbolName(NetworkManager::InterfaceType type);
    // Key of the IPv4 and IPv6 rows' value.
    static const char *supportKey(bool supported);

    bool showsConnection() const;
    QStringList rowTexts() const;

protected:
    void changeEvent(QEvent *event) override;

private:
    void refresh();
    void renderIcon();

    NetworkManager *m_netMonitor;
    QStackedLayout *m_stack;
    QWidget *m_connected;
    EmptyStateRow *m_empty;
    QLabel *m_icon;
    FigureRow *m_type;
    FigureRow *m_status;
    FigureRow *m_ipv4;
    FigureRow *m_ipv6;
};
