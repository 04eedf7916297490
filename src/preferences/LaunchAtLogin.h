// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/AutostartEntry.h"

#include <QObject>
#include <functional>
#include <optional>

// Whether Tavlo starts at login. The state lives in the desktop's autostart entry only: it is
// read from there every time and never cached, so a change made in the desktop's own settings
// shows up the next time anyone asks.
class LaunchAtLogin : public QObject
{
    Q_OBJECT
    Q_PROPERTY(bool isEnabled READ isEnabled WRITE setEnabled NOTIFY isEnabledChanged)

public:
    class Toggle; // the on/off switch, in the views library

    // entry: where the registration lives; executable: the absolute path the entry starts.
    explicit LaunchAtLogin(const AutostartEntry &entry = AutostartEntry(helperIdentifier()),
        const QString &executable = QString(), QObject *parent = nullptr);

    // The one shared instance for the running program, created on first use.
    static LaunchAtLogin *shared();

    // The application id followed by "-LaunchAtLoginHelper"; also the entry's file name.
    static QString helperIdentifier();

    bool isEnabled() const;

    // Creates or removes the entry, even when the value does not change, and notifies in this
    // order: objectWillChange, isEnabledAboutToChange, (the write), isEnabledChanged, stateChanged.
    // The notifications carry the state read back: turning on stays off when there is no
    // existing, executable program path to write or the write fails.
    void setEnabled(bool enabled);

    // The path an entry may start: absolute, an executable file, its name representable.
    static std::optional<QString> validExecutable(QString path);

    // The state stream: `receiver` gets the stream's current value at once (the state read when
    // the stream was first used, or the last value written since), then every written value.
    QMetaObject::Connection subscribe(QObject *context, const std::function<void(bool)> &receiver);

signals:
    void objectWillChange();
    void isEnabledAboutToChange();
    void isEnabledChanged(bool enabled);
    void stateChanged(bool enabled);

private:
    AutostartEntry m_entry;
    QString m_executable;
    std::optional<bool> m_streamValue;
};
