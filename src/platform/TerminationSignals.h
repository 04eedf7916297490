// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

class QSocketNotifier;

// Turns SIGTERM, SIGINT and SIGHUP (the session ending, Ctrl+C, the terminal closing) into a
// signal on the main thread, so the application leaves its event loop and cleans up (the
// panel item leaves the bus, its icon files go) instead of dying where it stands. One
// instance per process.
class TerminationSignals : public QObject
{
    Q_OBJECT

public:
    explicit TerminationSignals(QObject *parent = nullptr);
    ~TerminationSignals() override;

    bool isWatching() const { return m_notifier != nullptr; }

Q_SIGNALS:
    void received(int signalNumber);

private:
    QSocketNotifier *m_notifier = nullptr;
};
