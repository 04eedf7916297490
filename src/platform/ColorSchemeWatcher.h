// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDBusConnection>
#include <QObject>
#include <optional>

class QDBusMessage;

// The desktop's light or dark preference, from the XDG desktop portal's
// org.freedesktop.appearance color-scheme setting (GNOME, KDE and others publish it there).
// The first read is asynchronous; later changes arrive as the portal's SettingChanged signal.
class ColorSchemeWatcher : public QObject
{
    Q_OBJECT

public:
    enum class Scheme
    {
        NoPreference,
        PreferDark,
        PreferLight,
    };
    Q_ENUM(Scheme)

    explicit ColorSchemeWatcher(const QDBusConnection &bus = QDBusConnection::sessionBus(), QObject *parent = nullptr);

    // Absent until the portal has answered, and for good where no portal runs.
    std::optional<Scheme> scheme() const { return m_scheme; }

signals:
    void schemeChanged();

private slots:
    void onSettingChanged(const QDBusMessage &message);

private:
    void setScheme(const QVariant &value);

    QDBusConnection m_bus;
    std::optional<Scheme> m_scheme;
};
