// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>
#include <memory>

class QLocalServer;
class QLockFile;

// Keeps Tavlo to one process per user session, so two processes never write the preferences
// file at once. The first instance holds a lock file and listens on a local socket, both in
// $XDG_RUNTIME_DIR; a later launch finds the lock taken, asks the first one to open its
// dashboard and should then exit.
class SingleInstance : public QObject
{
    Q_OBJECT

public:
    // directory: where the lock and the socket live (by default the user's runtime directory);
    // name: their base name.
    explicit SingleInstance(const QString &directory = defaultDirectory(),
        const QString &name = QStringLiteral("org.tavlo.Tavlo"), QObject *parent = nullptr);
    ~SingleInstance() override;

    static QString defaultDirectory();

    // True when this process is now the running instance. False when another one runs: it has
    // then been asked to show its dashboard (if it answered within `timeoutMs`).
    bool claim(int timeoutMs = 2000);

    bool isPrimary() const { return m_server != nullptr; }

signals:
    // A later launch asked the running instance to show itself.
    void activationRequested();

private:
    bool notifyRunningInstance(int timeoutMs) const;

    QString m_lockPath;
    QString m_socketPath;
    std::unique_ptr<QLockFile> m_lock;
    QLocalServer *m_server = nullptr;
};
