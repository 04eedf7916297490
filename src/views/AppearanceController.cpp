// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "AppearanceController.h"

#include "SystemColors.h"
#include "platform/ColorSchemeWatcher.h"
#include "preferences/PreferenceManager.h"

#include <QApplication>
#include <QStyle>
#include <QStyleFactory>
#include <QTranslator>

AppearanceController::AppearanceController(PreferenceManager *preference, ColorSchemeWatcher *watcher, QObject *parent)
    : QObject(parent)
    , m_preference(preference)
    , m_watcher(watcher)
{
    // The platform's own palette, remembered the first time before any of ours replaces it: the
    // fallback for "SystemMode" where no portal tells the desktop's preference.
    static const bool platformDark = SystemColors::isDark(QGuiApplication::palette());
    m_platformDark = platformDark;
    connect(m_preference, &PreferenceManager::objectWillChange, this, &AppearanceController::apply);
    if (m_watcher) {
        connect(m_watcher, &ColorSchemeWatcher::schemeChanged, this, &AppearanceController::apply);
    }
    apply();
}

AppearanceController::~AppearanceController()
{
    // As a child of the application object it goes after the application has ended, which
    // has let go of its translators already (and warns about any asked of it then).
    if (m_translator && QCoreApplication::instance()) {
        QCoreApplication::removeTranslator(m_translator);
    }
}

AppearanceController *AppearanceController::attach(PreferenceManager *preference)
{
    static AppearanceController *const instance = [preference] {
        // Styles drawn by another toolkit (GTK, Breeze's own colours) ignore an application
        // palette; Fusion draws with it, so light and dark look the same on every desktop.
        if (auto *fusion = QStyleFactory::create(QStringLiteral("Fusion"))) {
            QApplication::setStyle(fusion);
        }
        auto *watcher = new ColorSchemeWatcher(QDBusConnection::sessionBus(), qApp);
        return new AppearanceController(preference, watcher, qApp);
    }();
    return instance;
}

QString AppearanceController::translationTable(const QString &languageIdentifier)
{
    if (languageIdentifier == QLatin1String("zh_CN") || languageIdentifier == QLatin1String("zh-Hans")) {
        return QStringLiteral("zh_CN");
    }
    if (languageIdentifier == QLatin1String("zh-Hant_CN")) {
        return QStringLiteral("zh_TW");
    }
    for (const char *own : { "en", "ja", "ms", "de" }) {
        if (languageIdentifier == QLatin1String(own)) {
            return languageIdentifier;
        }
    }
    return QStringLiteral("en");
}

QLocale AppearanceController::locale(const QString &languageIdentifier)
{
    const QString table = translationTable(languageIdentifier);
    if (table == QLatin1String("zh_CN")) {
        return QLocale(QLocale::Chinese, QLocale::SimplifiedHanScript, QLocale::China);
    }
    if (table == QLatin1String("zh_TW")) {
        return QLocale(QLocale::Chinese, QLocale::TraditionalHanScript, QLocale::China);
    }
    return QLocale(table);
}

std::optional<bool> AppearanceController::imposedDark(const QString &themeMode)
{
    if (themeMode == QLatin1String("SystemMode")) {
        return std::nullopt;
    }
    return themeMode != QLatin1String("LightMode");
}

bool AppearanceController::systemPrefersDark() const
{
    if (m_watcher && m_watcher->scheme()) {
        switch (*m_watcher->scheme()) {
        case ColorSchemeWatcher::Scheme::PreferDark:
            return true;
        case ColorSchemeWatcher::Scheme::PreferLight:
            return false;
        case ColorSchemeWatcher::Scheme::NoPreference:
            break;
        }
    }
    return m_platformDark;
}

void AppearanceController::apply()
{
    bool changed = false;
    const bool dark = imposedDark(m_preference->setAppThemeMode()).value_or(systemPrefersDark());
    if (m_dark != dark) {
        m_dark = dark;
        QApplication::setPalette(dark ? SystemColors::darkPalette() : SystemColors::lightPalette());
        changed = true;
    }

    const QString table = translationTable(m_preference->setApplanguage());
    if (table != m_table) {
        auto *translator = new QTranslator(this);
        if (translator->load(QStringLiteral(":/i18n/tavlo_") + table + QStringLiteral(".qm"))) {
            if (m_translator) {
                QCoreApplication::removeTranslator(m_translator);
                m_translator->deleteLater();
            }
            m_translator = translator;
            QCoreApplication::installTranslator(m_translator);
            m_table = table;
            QLocale::setDefault(locale(m_preference->setApplanguage()));
            changed = true;
        } else {
            delete translator;
        }
    }
    if (changed) {
        emit applied();
    }
}
