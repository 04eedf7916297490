// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "LaunchAtLogin.h"

#include "TavloConfig.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

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

std::optional<QString> LaunchAtLogin::validExecutable(QString path)
{
    // A program replaced while it runs (a package upgrade) shows in /proc/self/exe as
    // "<path> (deleted)"; the new program at the same path is the one to start next time.
    const QLatin1String deleted(" (deleted)");
    if (path.endsWith(deleted) && !QFileInfo::exists(path)) {
        path.chop(deleted.size());
    }
    // A folder name that is not UTF-8 decodes with replacement characters into a path that
    // does not exist, so it is refused here too: the entry could not name it.
    const QFileInfo file(path);
    if (!QDir::isAbsolutePath(path) || !file.isFile() || !file.isExecutable()
        || QFile::decodeName(QFile::encodeName(path)) != path) {
        return std::nullopt;
    }
    return path;
}

void LaunchAtLogin::setEnabled(bool enabled)
{
    emit objectWillChange();
    emit isEnabledAboutToChange();
    // The path of the program that is running now, resolved through /proc/self/exe, so the
    // entry starts this very build even when it was launched through a symlink.
    QString executable = m_executable;
    if (executable.isEmpty()) {
        executable = QCoreApplication::applicationFilePath();
    }
    if (executable.isEmpty()) {
        executable = QFile::symLinkTarget(QStringLiteral("/proc/self/exe"));
    }
    const std::optional<QString> valid = validExecutable(executable);
    // Without a program to start, turning on writes nothing; either way what is announced is
    // the state on disk, so a refused or failed write never shows as done.
    if (valid || !enabled) {
        m_entry.setRegistered(
            enabled, valid.value_or(executable), QStringLiteral(TAVLO_DISPLAY_NAME), QStringLiteral(TAVLO_APP_ID));
    }
    const bool state = isEnabled();
    emit isEnabledChanged(state);
    if (m_streamValue) {
        m_streamValue = state;
    }
    emit stateChanged(state);
}

QMetaObject::Connection LaunchAtLogin::subscribe(QObject *context, const std::function<void(bool)> &receiver)
{
    if (!m_streamValue) {
        m_streamValue = isEnabled();
    }
    receiver(*m_streamValue);
    return connect(this, &LaunchAtLogin::stateChanged, context, receiver);
}
