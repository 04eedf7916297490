// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "preferences/LaunchAtLogin.h"

#include <QList>
#include <QWidget>

class PreferenceManager;
class QCheckBox;
class QComboBox;
class QLabel;

// The Settings window's content: one column of pickers and toggles, each bound both ways to a
// preference (or to the autostart entry) and writing through the moment it changes. There is no
// apply button: a new language or scheme shows in every open window at once.
class SettingView : public QWidget
{
    Q_OBJECT

public:
    struct Option
    {
        const char *key;
        const char *value;
    };

    explicit SettingView(PreferenceManager *preference, LaunchAtLogin *launchAtLogin = LaunchAtLogin::shared(),
        QWidget *parent = nullptr);

    // The options of the background, language and appearance pickers, in the order shown.
    static const QList<Option> &backgroundOptions();
    static const QList<Option> &languageOptions();
    static const QList<Option> &appearanceOptions();

    QComboBox *backgroundPicker() const { return m_background; }
    QComboBox *languagePicker() const { return m_language; }
    QComboBox *appearancePicker() const { return m_appearance; }
    LaunchAtLogin::Toggle *launchToggle() const { return m_launch; }
    QCheckBox *showIPToggle() const { return m_showIP; }
    QCheckBox *showUUIDToggle() const { return m_showUUID; }
    QCheckBox *showSerialToggle() const { return m_showSerial; }

protected:
    void changeEvent(QEvent *event) override;

private:
    struct Labelled
    {
        QWidget *widget;
        const char *key;
    };

    QComboBox *picker(const QList<Option> &options, void (PreferenceManager::*setter)(const QString &));
    QCheckBox *toggle(void (PreferenceManager::*setter)(bool));
    QLabel *note(const char *key);
    void retranslate();
    void recolour();
    // Shows the stored values; a stored value no option carries selects nothing.
    void refresh();

    PreferenceManager *m_preference;
    LaunchAtLogin *m_launchAtLogin;
    QLabel *m_heading;
    QComboBox *m_background;
    QComboBox *m_language;
    QComboBox *m_appearance;
    LaunchAtLogin::Toggle *m_launch;
    QCheckBox *m_showIP;
    QCheckBox *m_showUUID;
    QCheckBox *m_showSerial;
    // Accessible names of the controls, the pickers' labels and the notes, by key.
    QList<Labelled> m_labelled;
    QList<Labelled> m_pickerLabels;
    QList<Labelled> m_notes;
};
