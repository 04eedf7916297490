// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLocale>
#include <QObject>
#include <QString>
#include <optional>

class ColorSchemeWatcher;
class PreferenceManager;
class QTranslator;

// Applies the language and the colour scheme of the preferences to every window of the
// application: one translator and one palette for the whole program. A new language posts
// QEvent::LanguageChange to every widget, so open windows relabel themselves without a restart.
class AppearanceController : public QObject
{
    Q_OBJECT

public:
    // watcher may be null: "SystemMode" then follows the platform palette alone.
    AppearanceController(PreferenceManager *preference, ColorSchemeWatcher *watcher, QObject *parent = nullptr);
    ~AppearanceController() override;

    // The process-wide controller, created by the first window root view that asks; later calls
    // return the same one whatever they pass.
    static AppearanceController *attach(PreferenceManager *preference);

    // Table suffix for a language identifier: "zh_CN" and "zh-Hans" are Simplified Chinese
    // ("zh_CN"), "zh-Hant_CN" Traditional ("zh_TW"), "en", "ja", "ms", "de" their own; any other
    // value English.
    static QString translationTable(const QString &languageIdentifier);
    // The locale that number and date formatting use for that identifier.
    static QLocale locale(const QString &languageIdentifier);
    // The scheme a theme value imposes: absent for "SystemMode", light for "LightMode", dark for
    // anything else.
    static std::optional<bool> imposedDark(const QString &themeMode);

    bool isDark() const { return m_dark.value_or(false); }
    QString currentTable() const { return m_table; }

public slots:
    void apply();

signals:
    // After a new palette or translator took effect.
    void applied();

private:
    bool systemPrefersDark() const;

    PreferenceManager *m_preference;
    ColorSchemeWatcher *m_watcher;
    QTranslator *m_translator = nullptr;
    QString m_table;
    std::optional<bool> m_dark;
    bool m_platformDark = false;
};
