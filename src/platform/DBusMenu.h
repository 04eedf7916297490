// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "DBusMenuTypes.h"

#include <QDBusConnection>
#include <QObject>
#include <functional>

class DBusMenuAdaptor;

// The panel item's right-click menu as a com.canonical.dbusmenu object: a flat list of
// entries and separators that the panel draws in its own style and whose clicks it sends
// back. Entry ids are their positions, counted from 1; 0 is the menu itself.
class DBusMenu : public QObject
{
    Q_OBJECT

public:
    struct Entry
    {
        QString label;
        // A separator has none.
        std::function<void()> action;
    };

    explicit DBusMenu(QDBusConnection bus = QDBusConnection::sessionBus(), QObject *parent = nullptr);
    ~DBusMenu() override;

    bool registerOnBus(const QString &path);
    QString path() const { return m_path; }

    // Replaces the entries; hosts are told to read the menu again when anything changed.
    void setEntries(const QList<Entry> &entries);
    const QList<Entry> &entries() const { return m_entries; }
    uint revision() const { return m_revision; }

    // What the adaptor answers. Unknown ids give an empty item and an empty map.
    DBusMenuLayoutItem layout(int parentId, int depth, const QStringList &names) const;
    QVariantMap properties(int id, const QStringList &names) const;
    bool contains(int id) const { return id >= 0 && id <= m_entries.size(); }
    // A host's event for an entry; "clicked" runs its action on the next turn of the event
    // loop, after the reply has gone (Quit among them).
    bool handleEvent(int id, const QString &eventId);
    // A host is about to show entry id's submenu; for 0, the menu itself, which it does right
    // after the user clicked the item.
    void handleAboutToShow(int id);

Q_SIGNALS:
    void aboutToOpen();

private:
    QDBusConnection m_bus;
    DBusMenuAdaptor *m_adaptor;
    QString m_path;
    QList<Entry> m_entries;
    uint m_revision = 1;
};
