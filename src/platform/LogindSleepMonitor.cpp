// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "LogindSleepMonitor.h"

LogindSleepMonitor::LogindSleepMonitor(QDBusConnection bus, QObject *parent)
    : QObject(parent)
{
    if (!bus.isConnected())
        return;
    // Matching on the well-known name lets the bus deliver the signal from whichever process
    // owns logind's name, also one that starts after us.
    m_listening = bus.connect(QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1"),
        QStringLiteral("org.freedesktop.login1.Manager"), QStringLiteral("PrepareForSleep"), this,
        SLOT(onPrepareForSleep(bool)));
}

void LogindSleepMonitor::onPrepareForSleep(bool sleeping)
{
    // true arrives before the machine sleeps, false after it woke.
    if (sleeping)
        Q_EMIT aboutToSleep();
    else
        Q_EMIT resumed();
}
