// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDBusConnection>
#include <QObject>

// The machine going to sleep and waking, from logind's PrepareForSleep signal on the system
// bus. Without a system bus (a container, a minimal session) it never says anything.
class LogindSleepMonitor : public QObject
{
    Q_OBJECT

public:
    explicit LogindSleepMonitor(QDBusConnection bus = QDBusConnection::systemBus(), QObject *parent = nullptr);

    bool isListening() const { return m_listening; }

Q_SIGNALS:
    void aboutToSleep();
    void resumed();

private Q_SLOTS:
    void onPrepareForSleep(bool sleeping);

private:
    bool m_listening = false;
};
