// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "AutostartEntry.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <optional>

namespace {

// Value of `key` in the [Desktop Entry] group. A key written twice is an error in the file; the
// last one counts, as in the session managers' own readers (GKeyFile, KConfig).
std::optional<QString> desktopEntryValue(const QByteArray &text, const QByteArray &key)
{
    std::optional<QString> value;
    bool inMainGroup = false;
    for (QByteArray line : text.split('\n')) {
        line = line.trimmed();
        if (line.isEmpty() || line.startsWith('#')) {
            continue;
        }
        if (line.startsWith('[')) {
            inMainGroup = line == "[Desktop Entry]";
            continue;
        }
        if (!inMainGroup) {
            continue;
        }
        const qsizetype equals = line.indexOf('=');
        if (equals > 0 && line.left(equals).trimmed() == key) {
            value = QString::fromUtf8(line.mid(equals + 1).trimmed());
        }
    }
    return value;
}

bool enabledEntry(const QString &path)
{
    QFile file(path);
    // Entries are small; a huge file is not one.
    if (!file.open(QIODevice::ReadOnly) || file.size() > 1024 * 1024) {
        return false;
    }
    return AutostartEntry::isEnabledText(file.readAll());
}

bool writeFile(const QString &path, const QString &text)
{
    if (!QDir().mkpath(QFileInfo(path).absolutePath())) {
        return false;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return false;
    }
    file.write(text.toUtf8());
    return file.commit();
}

} // namespace

AutostartEntry::AutostartEntry(const QString &id, const QString &configHome, const QStringList &configDirs)
    : m_id(id)
    , m_configHome(configHome)
    , m_configDirs(configDirs)
{ }

QString AutostartEntry::defaultConfigHome()
{
    QString fromEnvironment = qEnvironmentVariable("XDG_CONFIG_HOME");
    // The base directory rules ignore relative paths.
    if (QDir::isAbsolutePath(fromEnvironment)) {
        return fromEnvironment;
    }
    return QDir::homePath() + QStringLiteral("/.config");
}

QStringList AutostartEntry::defaultConfigDirs()
{
    QStringList dirs;
    const QStringList listed = qEnvironmentVariable("XDG_CONFIG_DIRS").split(QLatin1Char(':'), Qt::SkipEmptyParts);
    for (const QString &dir : listed) {
        if (QDir::isAbsolutePath(dir)) {
            dirs.append(dir);
        }
    }
    if (dirs.isEmpty()) {
        dirs.append(QStringLiteral("/etc/xdg"));
    }
    return dirs;
}

QString AutostartEntry::userEntryPath() const
{
    return m_configHome + QStringLiteral("/autostart/") + m_id + QStringLiteral(".desktop");
}

bool AutostartEntry::isRegistered() const
{
    QStringList candidates { userEntryPath() };
    for (const QString &dir : m_configDirs) {
        candidates.append(dir + QStringLiteral("/autostart/") + m_id + QStringLiteral(".desktop"));
    }
    for (const QString &path : std::as_const(candidates)) {
        if (QFileInfo::exists(path)) {
            return enabledEntry(path);
        }
    }
    return false;
}

bool AutostartEntry::setRegistered(
    bool registered, const QString &executable, const QString &displayName, const QString &iconName)
{
    if (registered) {
        return writeFile(userEntryPath(), entryText(executable, displayName, iconName));
    }
    if (QFileInfo::exists(userEntryPath()) && !QFile::remove(userEntryPath())) {
        return false;
    }
    if (!isRegistered()) {
        return true;
    }
    // A system-wide entry of the same name would still start us: mask it for this user.
    return writeFile(userEntryPath(),
        QStringLiteral("[Desktop Entry]\nType=Application\nName=%1\nExec=%2\nHidden=true\n")
            .arg(displayName, quoteExecArgument(executable)));
}

bool AutostartEntry::isEnabledText(const QByteArray &text)
{
    if (!text.contains("[Desktop Entry]")) {
        return false;
    }
    if (desktopEntryValue(text, "Hidden") == QStringLiteral("true")) {
        return false;
    }
    return desktopEntryValue(text, "X-GNOME-Autostart-enabled") != QStringLiteral("false");
}

QString AutostartEntry::entryText(const QString &executable, const QString &displayName, const QString &iconName)
{
    return QStringLiteral("[Desktop Entry]\n"
                          "Type=Application\n"
                          "Name=%1\n"
                          "Exec=%2\n"
                          "Icon=%3\n"
                          "Terminal=false\n"
                          "NoDisplay=true\n"
                          "X-GNOME-Autostart-enabled=true\n")
        .arg(displayName, quoteExecArgument(executable), iconName);
}

QString AutostartEntry::quoteExecArgument(const QString &argument)
{
    // First the Exec key's own rules: inside double quotes, ", `, $ and \ take a backslash, and
    // a literal % is written %% so it is not read as a field code.
    QString quoted;
    for (const QChar c : argument) {
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') || c == QLatin1Char('\\')) {
            quoted += QLatin1Char('\\');
        } else if (c == QLatin1Char('%')) {
            quoted += QLatin1Char('%');
        }
        quoted += c;
    }
    quoted = QLatin1Char('"') + quoted + QLatin1Char('"');
    // Then the general rules for string values, applied on top: backslashes double again, and
    // control characters become escapes so the entry stays one line.
    QString value;
    for (const QChar c : std::as_const(quoted)) {
        if (c == QLatin1Char('\\')) {
            value += QStringLiteral("\\\\");
        } else if (c == QLatin1Char('\n')) {
            value += QStringLiteral("\\n");
        } else if (c == QLatin1Char('\t')) {
            value += QStringLiteral("\\t");
        } else if (c == QLatin1Char('\r')) {
            value += QStringLiteral("\\r");
        } else {
            value += c;
        }
    }
    return value;
}
