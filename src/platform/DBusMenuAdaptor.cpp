// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "DBusMenuAdaptor.h"

#include "DBusMenu.h"

#include <QGuiApplication>

DBusMenuAdaptor::DBusMenuAdaptor(DBusMenu *menu)
    : QDBusAbstractAdaptor(menu)
    , m_menu(menu)
{ }

QString DBusMenuAdaptor::textDirection() const
{
    return QGuiApplication::layoutDirection() == Qt::RightToLeft ? QStringLiteral("rtl") : QStringLiteral("ltr");
}

uint DBusMenuAdaptor::GetLayout(
    int parentId, int recursionDepth, const QStringList &propertyNames, DBusMenuLayoutItem &layout)
{
    layout = m_menu->layout(parentId, recursionDepth, propertyNames);
    return m_menu->revision();
}

DBusMenuItemList DBusMenuAdaptor::GetGroupProperties(const QList<int> &ids, const QStringList &propertyNames)
{
    DBusMenuItemList items;
    for (const int id : ids)
        if (m_menu->contains(id))
            items.append({ id, m_menu->properties(id, propertyNames) });
    return items;
}

QDBusVariant DBusMenuAdaptor::GetProperty(int id, const QString &name)
{
    return QDBusVariant(m_menu->properties(id, { name }).value(name));
}

void DBusMenuAdaptor::Event(int id, const QString &eventId, const QDBusVariant & /*data*/, uint /*timestamp*/)
{
    m_menu->handleEvent(id, eventId);
}

QList<int> DBusMenuAdaptor::EventGroup(const DBusMenuEventList &events)
{
    QList<int> errors;
    for (const DBusMenuEvent &event : events)
        if (!m_menu->handleEvent(event.id, event.eventId))
            errors.append(event.id);
    return errors;
}

bool DBusMenuAdaptor::AboutToShow(int id)
{
    m_menu->handleAboutToShow(id);
    // The entries are always up to date: nothing to fetch first.
    return false;
}

QList<int> DBusMenuAdaptor::AboutToShowGroup(const QList<int> &ids, QList<int> &idErrors)
{
    for (const int id : ids) {
        if (!m_menu->contains(id))
            idErrors.append(id);
        m_menu->handleAboutToShow(id);
    }
    return {};
}
