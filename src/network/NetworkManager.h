// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/NetworkPath.h"

#include <QObject>
#include <QString>

class QThread;

// Four facts about the machine's default network path, kept current by a kernel route
// monitor on the "AppNetworkManager" thread and written only on the main thread.
class NetworkManager : public QObject
{
    Q_OBJECT
    Q_PROPERTY(bool isConnected READ isConnected NOTIFY isConnectedChanged)
    Q_PROPERTY(bool isSupportsIPv4 READ isSupportsIPv4 NOTIFY isSupportsIPv4Changed)
    Q_PROPERTY(bool isSupportsIPv6 READ isSupportsIPv6 NOTIFY isSupportsIPv6Changed)
    Q_PROPERTY(InterfaceType currentConnectedType READ currentConnectedType NOTIFY currentConnectedTypeChanged)

public:
    // The value names are what the network section prints.
    enum class InterfaceType
    {
        other,
        wifi,
        cellular,
        wiredEthernet,
        loopback,
    };
    Q_ENUM(InterfaceType)

    // The one instance the application uses, made on first use on the main thread and kept
    // until the application object goes.
    static NetworkManager &shared();

    // A separate instance watching the calling thread's network namespace, with interface
    // kinds read under sysRoot.
    explicit NetworkManager(const QString &sysRoot = QStringLiteral("/sys"), QObject *parent = nullptr);
    ~NetworkManager() override;

    bool isConnected() const { return m_isConnected; }
    bool isSupportsIPv4() const { return m_isSupportsIPv4; }
    bool isSupportsIPv6() const { return m_isSupportsIPv6; }
    InterfaceType currentConnectedType() const { return m_currentConnectedType; }

    // "other", "wifi", "cellular", "wiredEthernet" or "loopback".
    static QString interfaceTypeName(InterfaceType type);

signals:
    void isConnectedChanged(bool isConnected);
    void isSupportsIPv4Changed(bool isSupportsIPv4);
    void isSupportsIPv6Changed(bool isSupportsIPv6);
    void currentConnectedTypeChanged(NetworkManager::InterfaceType currentConnectedType);

private:
    void applyPath(const NetworkPath &path);

    QThread *m_thread = nullptr;
    bool m_isConnected = false;
    InterfaceType m_currentConnectedType = InterfaceType::other;
    bool m_isSupportsIPv4 = false;
    bool m_isSupportsIPv6 = false;
};
