// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "preferences/LaunchAtLogin.h"

#include <QWidget>

class QCheckBox;
class QLabel;

// The on/off switch for starting at login. It shows the registration as it is on disk each time
// it is shown or the registration changes, and writes it when the user flips it. Four ways to
// label it: a widget built by the caller, a localisation key (relabelled on a language change),
// a plain text, or nothing ("Launch at login", not localised).
class LaunchAtLogin::Toggle : public QWidget
{
public:
    static Toggle *withLabel(QWidget *label, LaunchAtLogin *launchAtLogin = shared(), QWidget *parent = nullptr);
    static Toggle *withKey(const char *key, LaunchAtLogin *launchAtLogin = shared(), QWidget *parent = nullptr);
    static Toggle *withText(const QString &text, LaunchAtLogin *launchAtLogin = shared(), QWidget *parent = nullptr);
    static Toggle *withDefaultLabel(LaunchAtLogin *launchAtLogin = shared(), QWidget *parent = nullptr);

    QCheckBox *button() const { return m_button; }
    QWidget *label() const { return m_label; }

protected:
    void showEvent(QShowEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    Toggle(QWidget *label, const char *key, LaunchAtLogin *launchAtLogin, QWidget *parent);
    static QLabel *textLabel(const QString &text);
    void refresh();

    LaunchAtLogin *m_launchAtLogin;
    QCheckBox *m_button;
    QWidget *m_label;
    const char *m_key;
};
