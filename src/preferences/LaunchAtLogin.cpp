// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "LaunchAtLogin.h"

#include "TavloConfig.h"

#include <QCoreApplication>

LaunchAtLogin::LaunchAtLogin(const AutostartEntry &entry, const QString &executable, QObject *parent)
    : QObject(parent)
    , m_entry(entry)
    , m_executable(executable)
{ }

LaunchAtLogin *LaunchAtLogin::shared()
{
    static LaunchAtLogin *const instance = [] {
        auto *launchAtLogin = new LaunchAtLogin();
        if (auto *app = QCoreApplication::instance()) {
            launchAtLogin->moveToThread(app->thread());
        }
        return launchAtLogin;
    }();
    return instance;
}

QString LaunchAtLogin::helperIdentifier()
{
    static const QString identifier = QStringLiteral(TAVLO_APP_ID) + QStringLiteral("-LaunchAtLoginHelper");
    return identifier;
}

bool LaunchAtLogin::isEnabled() const
{
    return m_entry.isRegistered();
}

void LaunchAtLogin::setEnabled(bool enabled)
{
    emit objectWillChange();
    emit isEnabledAboutToChange();
    // The path of the program that is running now, resolved through /proc/self/exe, so the
    // entry starts this very build even when it was launched through a symlink.
    const QString executable = m_executable.isEmpty() ? QCoreApplication::applicationFilePath() : m_executable;
    m_entry.setRegistered(enabled, executable, QStringLiteral(TAVLO_DISPLAY_NAME), QStringLiteral(TAVLO_APP_ID));
    emit isEnabledChanged(enabled);
    if (m_streamValue) {
        m_streamValue = enabled;
    }
    emit stateChanged(enabled);
}

QMetaObject::Connection LaunchAtLogin::subscribe(QObject *context, const std::function<void(bool)> &receiver)
{
    if (!m_streamValue) {
        m_streamValue = isEnabled();
    }
    receiver(*m_streamValue);
    return connect(this, &LaunchAtLogin::stateChanged, context, receiver);
}
