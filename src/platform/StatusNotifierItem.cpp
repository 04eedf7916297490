// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "StatusNotifierItem.h"

#include "StatusNotifierItemAdaptor.h"

#include <QCoreApplication>
#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QTimer>
#include <algorithm>
#include <utility>

StatusNotifierItem::StatusNotifierItem(const QString &id, QDBusConnection bus, QObject *parent)
    : QObject(parent)
    , m_bus(std::move(bus))
    , m_adaptor(new StatusNotifierItemAdaptor(this))
    , m_id(id)
    // The watcher and the hosts know items by this name; the trailing number tells apart
    // several items of one process.
    , m_serviceName(QStringLiteral("org.kde.StatusNotifierItem-%1-1").arg(QCoreApplication::applicationPid()))
    , m_announceTimer(new QTimer(this))
    , m_settleTimer(new QTimer(this))
{
    Sni::registerTypes();
    m_announceTimer->setSingleShot(true);
    m_announceTimer->setInterval(0);
    connect(m_announceTimer, &QTimer::timeout, this, &StatusNotifierItem::announce);
    // A host reads what it reads in one call: it is over by the time this timer runs.
    m_settleTimer->setSingleShot(true);
    m_settleTimer->setInterval(0);
    connect(m_settleTimer, &QTimer::timeout, this, &StatusNotifierItem::settleHeld);
}

StatusNotifierItem::~StatusNotifierItem()
{
    // The watcher sees the name go and tells the hosts to drop the item.
    if (m_registered) {
        m_bus.unregisterService(m_serviceName);
        m_bus.unregisterObject(Sni::itemPath);
    }
}

bool StatusNotifierItem::registerOnBus()
{
    if (m_registered)
        return true;
    if (!m_bus.isConnected())
        return false;
    if (!m_bus.registerObject(Sni::itemPath, this, QDBusConnection::ExportAdaptors))
        return false;
    if (!m_bus.registerService(m_serviceName)) {
        m_bus.unregisterObject(Sni::itemPath);
        return false;
    }
    m_registered = true;
    return true;
}

void StatusNotifierItem::registerWithWatcher(bool byPath)
{
    if (!m_registered)
        return;
    QDBusMessage call = QDBusMessage::createMethodCall(
        Sni::watcherService, Sni::watcherPath, Sni::watcherService, QStringLiteral("RegisterStatusNotifierItem"));
    call << (byPath ? Sni::itemPath : m_serviceName);
    // Fire and forget: a watcher that is gone or slow must not hold up the main thread, and
    // the service watcher brings us back here when a new one appears.
    m_bus.asyncCall(call);
}

void StatusNotifierItem::setIcon(const QString &iconName)
{
    m_iconName = iconName;
    m_pixmapsStale = true;
    m_pixmaps.clear();
    changed(IconProperty);
}

SniPixmapList StatusNotifierItem::pixmaps()
{
    if (m_pixmapsStale && m_source) {
        m_pixmaps = m_source();
        m_pixmapsStale = false;
    }
    return m_pixmaps;
}

void StatusNotifierItem::setToolTip(const QString &title, const QString &description)
{
    if (title == m_toolTip.title && description == m_toolTip.description)
        return;
    m_toolTip.title = title;
    m_toolTip.description = description;
    changed(ToolTipProperty);
}

void StatusNotifierItem::setTitle(const QString &title)
{
    if (title == m_title)
        return;
    m_title = title;
    changed(TitleProperty);
}

void StatusNotifierItem::setLabel(const QString &label, const QString &guide)
{
    if (label == m_label && guide == m_labelGuide)
        return;
    m_label = label;
    m_labelGuide = guide;
    Q_EMIT m_adaptor->XAyatanaNewLabel(label, guide);
}

void StatusNotifierItem::changed(Property property)
{
    m_unannounced |= 1U << property;
    if (!m_announceTimer->isActive())
        m_announceTimer->start();
}

void StatusNotifierItem::announce()
{
    m_settleTimer->stop();
    // No host came for the last change: whoever listens hears of all of it now.
    if (m_held != 0 && leadReads() == 0)
        emitHeld(false);
    if (m_unannounced == 0)
        return;
    for (int property = 0; property < PropertyCount; ++property) {
        if (m_unannounced & (1U << property)) {
            m_lead = Property(property);
            break;
        }
    }
    m_reads.fill(0);
    m_iconNameReads = 0;
    m_held = m_unannounced & ~(1U << m_lead);
    m_unannounced = 0;
    emitChange(m_lead);
}

void StatusNotifierItem::noteRead(Property property)
{
    ++m_reads.at(property);
    if (property == m_lead && m_held != 0 && !m_settleTimer->isActive())
        m_settleTimer->start();
}

void StatusNotifierItem::noteIconNameRead()
{
    ++m_iconNameReads;
    if (m_lead == IconProperty && m_held != 0 && !m_settleTimer->isActive())
        m_settleTimer->start();
}

int StatusNotifierItem::leadReads() const
{
    // A host that reads both the name and the pixmaps of the icon is one reader, not two.
    const int reads = m_reads.at(m_lead);
    return m_lead == IconProperty ? std::max(reads, m_iconNameReads) : reads;
}

void StatusNotifierItem::settleHeld()
{
    emitHeld(true);
}

void StatusNotifierItem::emitHeld(bool unread)
{
    for (int property = 0; property < PropertyCount; ++property) {
        const unsigned bit = 1U << property;
        // Every host that came for the first change took this one along: nothing to tell.
        if ((m_held & bit) && (!unread || m_reads.at(property) < leadReads())) {
            m_held &= ~bit;
            emitChange(Property(property));
        }
    }
}

void StatusNotifierItem::emitChange(Property property)
{
    switch (property) {
    case IconProperty:
        Q_EMIT m_adaptor->NewIcon();
        break;
    case ToolTipProperty:
        Q_EMIT m_adaptor->NewToolTip();
        break;
    case TitleProperty:
        Q_EMIT m_adaptor->NewTitle();
        break;
    case PropertyCount:
        break;
    }
}

void StatusNotifierItem::activate(QPoint position)
{
    Q_EMIT activated(position);
}
