// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>

// Carries one command run's results from its worker to the context's thread. Signals emitted
// on the worker are queued to the receiver; Qt drops them if the receiver is destroyed first.
// Internal to CommandRunner.
class CommandRunChannel : public QObject
{
    Q_OBJECT

signals:
    void output(const QString &text);
    void finished(int status);
};
