// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "AppInfoManager.h"

#include <QFutureWatcher>
#include <QObject>
#include <QString>
#include <QVariantMap>

// The machine's name and device picture for the dashboard, kept for the whole process. Asking
// hostnamed takes a bus round trip per question and up to its time-out each when the service
// is slow to start, so the answer is looked up on a worker thread and handed back to this
// object's thread; until then the files that need no bus (machine-info, the kernel's host name,
// the firmware's chassis type) stand in. A PropertiesChanged of hostnamed (the owner renamed
// the machine) looks it up again.
class MachineIdentity : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString localizedName READ localizedName NOTIFY changed)
    Q_PROPERTY(QString deviceImageName READ deviceImageName NOTIFY changed)

public:
    // The instance over the real machine, created on first use and kept; ask from the main thread.
    static MachineIdentity *shared();

    explicit MachineIdentity(AppInfoManager::Sources sources, QObject *parent = nullptr);
    ~MachineIdentity() override;

    QString localizedName() const { return m_identity.computerName; }
    QString deviceImageName() const { return m_identity.deviceImageName; }
    // True once the full lookup (hostnamed included) has answered at least once.
    bool isSettled() const { return m_settled; }

    // Looks the identity up again in the background; changed() follows if it differs.
    void refresh();

signals:
    void changed();

private slots:
    void hostnamedPropertiesChanged(
        const QString &interface, const QVariantMap &changedProperties, const QStringList &invalidated);

private:
    void lookupFinished();
    void watchHostnamed();

    AppInfoManager::Sources m_sources;
    AppInfoManager::Identity m_identity;
    QFutureWatcher<AppInfoManager::Identity> m_watcher;
    bool m_settled = false;
    bool m_lookupAgain = false;
    bool m_watching = false;
};
