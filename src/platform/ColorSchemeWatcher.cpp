// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ColorSchemeWatcher.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusVariant>

namespace {

const QString kService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString kPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString kInterface = QStringLiteral("org.freedesktop.portal.Settings");
const QString kGroup = QStringLiteral("org.freedesktop.appearance");
const QString kKey = QStringLiteral("color-scheme");

// Read() of portal versions before 2 wraps the value in a second variant.
QVariant unwrap(QVariant value)
{
    for (int depth = 0;
         depth < 4 && value.canConvert<QDBusVariant>() && value.userType() == qMetaTypeId<QDBusVariant>(); ++depth) {
        value = value.value<QDBusVariant>().variant();
    }
    return value;
}

} // namespace

ColorSchemeWatcher::ColorSchemeWatcher(const QDBusConnection &bus, QObject *parent)
    : QObject(parent)
    , m_bus(bus)
{
    if (!m_bus.isConnected()) {
        return;
    }
    // Taken as a whole message: a slot typed (QString, QString, QDBusVariant) is refused now and
    // then, depending on whether QtDBus has registered its variant type yet.
    m_bus.connect(
        kService, kPath, kInterface, QStringLiteral("SettingChanged"), this, SLOT(onSettingChanged(QDBusMessage)));

    QDBusMessage read = QDBusMessage::createMethodCall(kService, kPath, kInterface, QStringLiteral("Read"));
    read << kGroup << kKey;
    // Bounded, and never waited for on the main thread: the answer arrives as a reply event.
    auto *watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(read, 3000), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, watcher] {
        watcher->deleteLater();
        const QDBusPendingReply<QVariant> reply = *watcher;
        if (reply.isError() || m_scheme) {
            // No portal, or a SettingChanged already told us something newer.
            return;
        }
        setScheme(unwrap(reply.value()));
    });
}

void ColorSchemeWatcher::onSettingChanged(const QDBusMessage &message)
{
    const QList<QVariant> arguments = message.arguments();
    if (arguments.size() == 3 && arguments.at(0).toString() == kGroup && arguments.at(1).toString() == kKey) {
        setScheme(unwrap(arguments.at(2)));
    }
}

void ColorSchemeWatcher::setScheme(const QVariant &value)
{
    bool ok = false;
    const uint number = value.toUInt(&ok);
    Scheme scheme = Scheme::NoPreference;
    if (ok && number == 1) {
        scheme = Scheme::PreferDark;
    } else if (ok && number == 2) {
        scheme = Scheme::PreferLight;
    }
    if (m_scheme == scheme) {
        return;
    }
    m_scheme = scheme;
    emit schemeChanged();
}
