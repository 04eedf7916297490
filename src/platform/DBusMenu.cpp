// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "DBusMenu.h"

#include "DBusMenuAdaptor.h"

#include <QTimer>
#include <utility>

DBusMenu::DBusMenu(QDBusConnection bus, QObject *parent)
    : QObject(parent)
    , m_bus(std::move(bus))
    , m_adaptor(new DBusMenuAdaptor(this))
{
    DBusMenuTypes::registerTypes();
}

DBusMenu::~DBusMenu()
{
    if (!m_path.isEmpty())
        m_bus.unregisterObject(m_path);
}

bool DBusMenu::registerOnBus(const QString &path)
{
    if (!m_path.isEmpty())
        return true;
    if (!m_bus.isConnected() || !m_bus.registerObject(path, this, QDBusConnection::ExportAdaptors))
        return false;
    m_path = path;
    return true;
}

void DBusMenu::setEntries(const QList<Entry> &entries)
{
    bool same = entries.size() == m_entries.size();
    for (qsizetype i = 0; same && i < entries.size(); ++i)
        same = entries.at(i).label == m_entries.at(i).label
            && bool(entries.at(i).action) == bool(m_entries.at(i).action);
    m_entries = entries;
    if (same)
        return;
    ++m_revision;
    Q_EMIT m_adaptor->LayoutUpdated(m_revision, 0);
}

QVariantMap DBusMenu::properties(int id, const QStringList &names) const
{
    QVariantMap all;
    if (id == 0) {
        all.insert(QStringLiteral("children-display"), QStringLiteral("submenu"));
    } else if (contains(id)) {
        const Entry &entry = m_entries.at(id - 1);
        if (entry.action) {
            // Underscores mark the access key in this protocol; a label's own are doubled.
            QString label = entry.label;
            all.insert(QStringLiteral("label"), label.replace(QLatin1Char('_'), QStringLiteral("__")));
            all.insert(QStringLiteral("enabled"), true);
            all.insert(QStringLiteral("visible"), true);
        } else {
            all.insert(QStringLiteral("type"), QStringLiteral("separator"));
        }
    }
    if (names.isEmpty())
        return all;
    QVariantMap wanted;
    for (const QString &name : names)
        if (all.contains(name))
            wanted.insert(name, all.value(name));
    return wanted;
}

DBusMenuLayoutItem DBusMenu::layout(int parentId, int depth, const QStringList &names) const
{
    DBusMenuLayoutItem item { parentId, properties(parentId, names), {} };
    // Only the menu itself has children; depth 0 asks for none, -1 for all.
    if (parentId == 0 && depth != 0)
        for (int id = 1; id <= m_entries.size(); ++id)
            item.children.append({ id, properties(id, names), {} });
    return item;
}

void DBusMenu::handleAboutToShow(int id)
{
    if (id == 0)
        Q_EMIT aboutToOpen();
}

bool DBusMenu::handleEvent(int id, const QString &eventId)
{
    if (id <= 0 || !contains(id))
        return false;
    if (eventId == QLatin1String("clicked") && m_entries.at(id - 1).action)
        QTimer::singleShot(0, this, [action = m_entries.at(id - 1).action] { action(); });
    return true;
}
