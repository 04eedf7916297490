// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "network/NetworkManager.h"

#include "platform/RtNetlinkPathMonitor.h"

#include <QCoreApplication>
#include <QMetaEnum>
#include <QThread>

namespace {

NetworkManager *sharedInstance = nullptr;

NetworkManager::InterfaceType toInterfaceType(InterfaceKind kind)
{
    switch (kind) {
    case InterfaceKind::wifi:
        return NetworkManager::InterfaceType::wifi;
    case InterfaceKind::cellular:
        return NetworkManager::InterfaceType::cellular;
    case InterfaceKind::wiredEthernet:
        return NetworkManager::InterfaceType::wiredEthernet;
    case InterfaceKind::loopback:
        return NetworkManager::InterfaceType::loopback;
    case InterfaceKind::other:
        break;
    }
    return NetworkManager::InterfaceType::other;
}

} // namespace

NetworkManager &NetworkManager::shared()
{
    // Its fields are written and read on the main thread only.
    Q_ASSERT(
        QCoreApplication::instance() == nullptr || QThread::currentThread() == QCoreApplication::instance()->thread());
    if (sharedInstance == nullptr) {
        // Owned by the application object, so the monitor thread is stopped and joined
        // before the process tears down Qt.
        sharedInstance = new NetworkManager(QStringLiteral("/sys"), QCoreApplication::instance());
    }
    return *sharedInstance;
}

NetworkManager::NetworkManager(const QString &sysRoot, QObject *parent)
    : QObject(parent)
    , m_thread(new QThread(this))
{
    qRegisterMetaType<NetworkPath>();
    // Qt hands the object name to the kernel as the thread's name when the thread starts;
    // the kernel keeps 15 bytes of it ("AppNetworkManag").
    m_thread->setObjectName(QStringLiteral("AppNetworkManager"));
    auto *monitor = new RtNetlinkPathMonitor(sysRoot);
    monitor->moveToThread(m_thread);
    connect(m_thread, &QThread::started, monitor, &RtNetlinkPathMonitor::start);
    // The socket notifier must be deleted on the thread it watches from, and before that
    // thread's event dispatcher goes: finished() is emitted on the thread just in time. A
    // deleteLater() posted there is not reliably run once the application object is gone.
    connect(
        m_thread, &QThread::finished, m_thread, [monitor] { delete monitor; }, Qt::DirectConnection);
    connect(monitor, &RtNetlinkPathMonitor::pathChanged, this, &NetworkManager::applyPath, Qt::QueuedConnection);
    m_thread->start();
}

NetworkManager::~NetworkManager()
{
    m_thread->quit();
    m_thread->wait();
    if (sharedInstance == this) {
        sharedInstance = nullptr;
    }
}

QString NetworkManager::interfaceTypeName(InterfaceType type)
{
    return QString::fromLatin1(QMetaEnum::fromType<InterfaceType>().valueToKey(static_cast<int>(type)));
}

void NetworkManager::applyPath(const NetworkPath &path)
{
    // Each field announces itself, in this order, on every report, whether it changed or
    // not: observers redraw per report, not per difference.
    m_isConnected = path.usable;
    emit isConnectedChanged(m_isConnected);
    m_isSupportsIPv4 = path.supportsIPv4;
    emit isSupportsIPv4Changed(m_isSupportsIPv4);
    m_isSupportsIPv6 = path.supportsIPv6;
    emit isSupportsIPv6Changed(m_isSupportsIPv6);
    m_currentConnectedType = toInterfaceType(path.kind);
    emit currentConnectedTypeChanged(m_currentConnectedType);
}
