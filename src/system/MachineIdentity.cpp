// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "MachineIdentity.h"

#include <QDBusConnection>
#include <QPromise>
#include <QThreadPool>
#include <memory>

MachineIdentity *MachineIdentity::shared()
{
    // Never destroyed: a lookup stalled on the bus must not hold up the exit.
    static auto *instance = new MachineIdentity(AppInfoManager::Sources {});
    return instance;
}

MachineIdentity::MachineIdentity(AppInfoManager::Sources sources, QObject *parent)
    : QObject(parent)
    , m_sources(std::move(sources))
{
    // Files only: quick, and good enough until hostnamed answers.
    AppInfoManager::Sources local = m_sources;
    local.useHostnamed = false;
    m_identity = AppInfoManager(local).identity();
    connect(&m_watcher, &QFutureWatcherBase::finished, this, &MachineIdentity::lookupFinished);
    if (m_sources.useHostnamed)
        refresh();
    else
        m_settled = true;
}

MachineIdentity::~MachineIdentity()
{
    // The worker holds only its own copies; its late result goes nowhere.
    m_watcher.disconnect(this);
}

void MachineIdentity::refresh()
{
    if (m_watcher.isRunning()) {
        m_lookupAgain = true;
        return;
    }
    auto promise = std::make_shared<QPromise<AppInfoManager::Identity>>();
    m_watcher.setFuture(promise->future());
    promise->start();
    QThreadPool::globalInstance()->start([promise, sources = m_sources] {
        promise->addResult(AppInfoManager(sources).identity());
        promise->finish();
    });
}

void MachineIdentity::lookupFinished()
{
    const QFuture<AppInfoManager::Identity> future = m_watcher.future();
    if (future.resultCount() > 0) {
        const AppInfoManager::Identity identity = future.result();
        m_settled = true;
        if (identity != m_identity) {
            m_identity = identity;
            emit changed();
        }
    }
    watchHostnamed();
    if (std::exchange(m_lookupAgain, false))
        refresh();
}

void MachineIdentity::watchHostnamed()
{
    if (m_watching || !m_sources.useHostnamed)
        return;
    m_watching = true;
    // The worker has connected to the system bus by now, so this costs no round trip. Matching
    // any sender spares the name-owner look-up that a service name would need; the interface
    // argument tells hostnamed's changes from others.
    QDBusConnection::systemBus().connect(QString(), QStringLiteral("/org/freedesktop/hostname1"),
        QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("PropertiesChanged"), this,
        SLOT(hostnamedPropertiesChanged(QString, QVariantMap, QStringList)));
}

void MachineIdentity::hostnamedPropertiesChanged(
    const QString &interface, const QVariantMap & /*changedProperties*/, const QStringList & /*invalidated*/)
{
    if (interface == QLatin1String("org.freedesktop.hostname1"))
        refresh();
}
