// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "PreferenceManager.h"

#include <QCoreApplication>
#include <QThread>

PreferenceManager::PreferenceManager(const QString &configDirectory, const QLocale &systemLocale, QObject *parent)
    : QObject(parent)
    , m_file(configDirectory)
    , m_autoLaunchWhenStart(QStringLiteral("set_auto_launch_start"), true, &m_file)
    , m_appThemeMode(QStringLiteral("set_theme_mode"), QStringLiteral("SystemMode"), &m_file)
    , m_applanguage(QStringLiteral("set_app_language"), defaultLanguage(systemLocale), &m_file)
    , m_showIPAddress(QStringLiteral("set_show_ip"), false, &m_file)
    , m_showUUID(QStringLiteral("set_show_uuid"), false, &m_file)
    , m_serialNumber(QStringLiteral("set_show_serialNumber"), false, &m_file)
    , m_appBgStyle(QStringLiteral("set_bg_style"), QStringLiteral("DefaultStyle"), &m_file)
{ }

PreferenceManager *PreferenceManager::shared()
{
    // A function-local static is initialised once even when threads race for it.
    static PreferenceManager *const instance = [] {
        auto *manager = new PreferenceManager();
        if (auto *app = QCoreApplication::instance()) {
            manager->moveToThread(app->thread());
        }
        return manager;
    }();
    return instance;
}

QString PreferenceManager::defaultLanguage(const QLocale &systemLocale)
{
    // The C and POSIX locales carry no language; they count as English.
    const QLocale::Language language = systemLocale.language();
    switch (language) {
    case QLocale::Chinese:
        return QStringLiteral("zh-Hans");
    case QLocale::Japanese:
        return QStringLiteral("ja");
    case QLocale::Malay:
        return QStringLiteral("ms");
    default:
        return QStringLiteral("en");
    }
}

template<typename Value> void PreferenceManager::write(PreferenceStorage<Value> &storage, const Value &value)
{
    storage.store(value);
    // Queued even when called on the main thread: observers hear of the change on a later turn
    // of the event loop, once per write, after the value is already stored.
    QMetaObject::invokeMethod(this, &PreferenceManager::objectWillChange, Qt::QueuedConnection);
}

void PreferenceManager::setSetAutoLaunchWhenStart(bool value)
{
    write(m_autoLaunchWhenStart, value);
}

void PreferenceManager::setSetAppThemeMode(const QString &value)
{
    write(m_appThemeMode, value);
}

void PreferenceManager::setSetApplanguage(const QString &value)
{
    write(m_applanguage, value);
}

void PreferenceManager::setSetShowIPAddress(bool value)
{
    write(m_showIPAddress, value);
}

void PreferenceManager::setSetShowUUID(bool value)
{
    write(m_showUUID, value);
}

void PreferenceManager::setSetSerialNumber(bool value)
{
    write(m_serialNumber, value);
}

void PreferenceManager::setSetAppBgStyle(const QString &value)
{
    write(m_appBgStyle, value);
}

std::optional<QRect> PreferenceManager::windowFrame(const QString &name) const
{
    return m_file.windowFrame(name);
}

void PreferenceManager::setWindowFrame(const QString &name, const QRect &frame)
{
    m_file.setWindowFrame(name, frame);
}
