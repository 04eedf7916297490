// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "DBusMenu.h"
#include "SniTypes.h"

#include <QDBusConnection>
#include <QImage>
#include <QObject>
#include <QPoint>
#include <QRect>
#include <functional>
#include <memory>

class NamedIconFolder;
class QDBusServiceWatcher;
class QMenu;
class QSystemTrayIcon;
class QTimer;
class StatusNotifierItem;

// The application's one item in the desktop panel. Where a StatusNotifierWatcher runs, the
// item is our own StatusNotifierItem (it carries a text label and learns where the user
// clicked); otherwise it falls back to an XEmbed tray icon. It follows the watcher: when
// one appears the item registers with it, when it goes the tray icon takes over. Both carry
// the same right-click menu.
class PanelItem : public QObject
{
    Q_OBJECT

public:
    enum class Mode
    {
        None,
        StatusNotifier,
        TrayIcon
    };
    Q_ENUM(Mode)

    // Draws the picture for a slot of the given logical size at the given pixel ratio.
    using Painter = std::function<QImage(QSize logicalSize, qreal devicePixelRatio)>;

    // The item has a session bus connection of its own unless it is given one.
    PanelItem(const QString &id, Painter painter, QDBusConnection bus = ownConnection(), QObject *parent = nullptr);
    ~PanelItem() override;

    static QDBusConnection ownConnection();

    // Looks for a watcher (asynchronously) and shows the item one way or the other.
    void start();

    // Redraws the pictures and publishes those that changed.
    void repaint();
    void setTexts(const QString &toolTipTitle, const QString &toolTip, const QString &accessibleName,
        const QString &label, const QString &labelGuide);
    void setMenu(const QList<DBusMenu::Entry> &entries);

    Mode mode() const { return m_mode; }
    // Where the item is on screen, when the host says so (the XEmbed tray does, SNI hosts
    // only pass the click position to activate()). Null otherwise.
    QRect geometry() const;
    StatusNotifierItem *statusNotifierItem() const { return m_sni.get(); }
    DBusMenu *menu() const { return m_menu.get(); }
    NamedIconFolder *iconFolder() const { return m_icons.get(); }

    // The pictures offered to StatusNotifierItem hosts, in pixels: squares only, since every
    // host shows the item in a square slot (16 to 32 pixels at 1x or 2x) and squeezes any
    // other shape into it; the 2x ones only where a screen has that ratio, or they would be
    // drawn and sent with every change for nobody.
    static QList<int> pixmapSizes(qreal devicePixelRatio);
    // The picture written for hosts that draw only the icon name; they scale it to their slot.
    static constexpr int namedIconSize = 48;
    static constexpr const char *menuPath = "/MenuBar";

Q_SIGNALS:
    // position is where the host says the user clicked, null when it does not say.
    void activated(QPoint position);
    void modeChanged(PanelItem::Mode mode);

private Q_SLOTS:
    void hostRegistered();

private:
    void lookForWatcher();
    void useStatusNotifier();
    void useTrayIcon();
    void setMode(Mode mode);
    void paintTrayIcon();
    void applyTexts();
    void askWhoWatches();
    void registerOnceHosted();
    void registerItem();
    SniPixmapList statusNotifierPixmaps();
    // The change's one drawing, at the largest size offered; the others are scaled from it.
    QImage masterPicture();

    QString m_id;
    Painter m_painter;
    QDBusConnection m_bus;
    Mode m_mode = Mode::None;
    std::unique_ptr<StatusNotifierItem> m_sni;
    std::unique_ptr<DBusMenu> m_menu;
    std::unique_ptr<NamedIconFolder> m_icons;
    // Declared before the tray icon, which points at it, so it outlives the icon.
    std::unique_ptr<QMenu> m_trayMenu;
    std::unique_ptr<QSystemTrayIcon> m_tray;
    QDBusServiceWatcher *m_watcher = nullptr;
    QTimer *m_fallbackDelay = nullptr;
    // Runs while the watcher has no host yet: the item registers as one comes, or as it ends.
    QTimer *m_hostWait = nullptr;
    // GNOME Shell's watcher is given the item's path, not its service name.
    bool m_registerByPath = false;
    QString m_toolTipTitle;
    QString m_toolTip;
    QString m_accessibleName;
    QString m_label;
    QString m_labelGuide;
    QImage m_master;
    // The watcher is Ayatana's indicator service, which draws an item only by its icon name.
    bool m_hostWantsNames = false;
    QSize m_traySize;
    QImage m_trayImage;
};
