// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "SniTypes.h"

#include <QDBusConnection>
#include <QObject>
#include <QPoint>
#include <array>
#include <functional>

class QTimer;
class StatusNotifierItemAdaptor;

// Our panel item as a StatusNotifierItem object on the session bus. It holds what the host
// reads (pictures, icon name, tooltip, title, label, menu) and announces each change once;
// it does not decide what to show. Pictures are drawn when a host first reads them after a
// change, and once per change however many hosts read them.
//
// Changes made together are announced together: the first changed of icon, tooltip and title
// at once, the others only to hosts that read the first without them. Most panels answer any
// signal by reading every property, and would otherwise read and redraw everything once per
// signal; a host that reads one property per signal is told of the others as soon as its
// read is answered.
class StatusNotifierItem : public QObject
{
    Q_OBJECT

public:
    using PixmapSource = std::function<SniPixmapList()>;

    explicit StatusNotifierItem(
        const QString &id, QDBusConnection bus = QDBusConnection::sessionBus(), QObject *parent = nullptr);
    ~StatusNotifierItem() override;

    // Takes the item's bus name and object path. False if the bus refused either.
    bool registerOnBus();
    // Asks the watcher, if one runs, to show the item. Asynchronous; safe to repeat.
    // By the service name, or by the object path (the watcher then uses our connection's name).
    void registerWithWatcher(bool byPath = false);
    QString serviceName() const { return m_serviceName; }

    void setPixmapSource(PixmapSource source) { m_source = std::move(source); }
    // The picture changed: the pixmaps are drawn again when next read, and iconName (in
    // iconThemePath) names the same picture as a file. Announced once.
    void setIcon(const QString &iconName);
    void setIconThemePath(const QString &path) { m_iconThemePath = path; }
    void setMenuPath(const QString &path) { m_menuPath = path; }
    void setToolTip(const QString &title, const QString &description);
    void setTitle(const QString &title);
    void setLabel(const QString &label, const QString &guide);

    QString id() const { return m_id; }
    QString title() const { return m_title; }
    QString iconName() const { return m_iconName; }
    QString iconThemePath() const { return m_iconThemePath; }
    QString menuPath() const { return m_menuPath; }
    SniPixmapList pixmaps();
    SniToolTip toolTip() const { return m_toolTip; }
    QString label() const { return m_label; }
    QString labelGuide() const { return m_labelGuide; }

    // Called by the adaptor when the host relays the user's action.
    void activate(QPoint position);

    // What a host can read, as the adaptor tells when it is read.
    enum Property
    {
        IconProperty,
        ToolTipProperty,
        TitleProperty,
        PropertyCount
    };
    void noteRead(Property property);
    // The icon by name, which is all some hosts read of it.
    void noteIconNameRead();

Q_SIGNALS:
    void activated(QPoint position);

private:
    void changed(Property property);
    void announce();
    // After a host's read of the first change: the others for a host that did not read them.
    void settleHeld();
    // The held signals: all of them, or with `unread` those some reader of the first lacks.
    void emitHeld(bool unread);
    void emitChange(Property property);
    int leadReads() const;

    QDBusConnection m_bus;
    StatusNotifierItemAdaptor *m_adaptor;
    QString m_id;
    QString m_serviceName;
    QString m_title;
    PixmapSource m_source;
    SniPixmapList m_pixmaps;
    bool m_pixmapsStale = true;
    QString m_iconName;
    QString m_iconThemePath;
    QString m_menuPath;
    SniToolTip m_toolTip;
    QString m_label;
    QString m_labelGuide;
    bool m_registered = false;
    // Bits by Property: changed and not yet announced, and changed but held back.
    unsigned m_unannounced = 0;
    unsigned m_held = 0;
    Property m_lead = IconProperty;
    std::array<int, PropertyCount> m_reads {};
    int m_iconNameReads = 0;
    QTimer *m_announceTimer;
    QTimer *m_settleTimer;
};
