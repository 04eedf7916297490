// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "PanelItem.h"

#include "NamedIconFolder.h"
#include "StatusNotifierItem.h"

#include <QDBusConnectionInterface>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusServiceWatcher>
#include <QDBusVariant>
#include <QFile>
#include <QGuiApplication>
#include <QIcon>
#include <QMenu>
#include <QPixmap>
#include <QSystemTrayIcon>
#include <QTimer>
#include <algorithm>
#include <utility>

namespace {
// The XEmbed tray decides the icon's size only after it has docked it.
constexpr int trayFirstLookMs = 400;
constexpr QSize defaultTraySize(22, 22);
constexpr int watcherGoneGraceMs = 2000;
// How long a watcher that says it has no host is given to get one before the item registers
// all the same (one that never says so, wrongly, still shows it).
constexpr int hostWaitMs = 2000;
const QString ownConnectionName = QStringLiteral("tavlo-panel-item");
} // namespace

PanelItem::PanelItem(const QString &id, Painter painter, QDBusConnection bus, QObject *parent)
    : QObject(parent)
    , m_id(id)
    , m_painter(std::move(painter))
    , m_bus(std::move(bus))
    , m_menu(std::make_unique<DBusMenu>(m_bus))
{ }

PanelItem::~PanelItem()
{
    // Hosts that know the item by the connection's name drop it as the connection closes.
    // Closed before the item and its menu leave it, it never answers a host's last calls
    // with "no such object".
    if (m_bus.name() == ownConnectionName)
        QDBusConnection::disconnectFromBus(ownConnectionName);
}

QDBusConnection PanelItem::ownConnection()
{
    return QDBusConnection::connectToBus(QDBusConnection::SessionBus, ownConnectionName);
}

QList<int> PanelItem::pixmapSizes(qreal devicePixelRatio)
{
    QList<int> sizes { 16, 22, 24, 32, 48 };
    if (devicePixelRatio > 1.0)
        sizes += { 44, 64, 96 };
    std::sort(sizes.begin(), sizes.end());
    return sizes;
}

QImage PanelItem::masterPicture()
{
    if (m_master.isNull()) {
        const int side = pixmapSizes(qGuiApp ? qGuiApp->devicePixelRatio() : 1.0).constLast();
        m_master = m_painter(QSize(side, side), 1.0);
        m_master.setDevicePixelRatio(1.0);
    }
    return m_master;
}

SniPixmapList PanelItem::statusNotifierPixmaps()
{
    // One drawing per change, averaged down for the smaller slots: cheaper than drawing each
    // size, and small type keeps its strokes that way.
    const QImage master = masterPicture();
    SniPixmapList pixmaps;
    for (const int size : pixmapSizes(qGuiApp ? qGuiApp->devicePixelRatio() : 1.0))
        pixmaps.append(Sni::pixmapFromImage(size == master.width()
                ? master
                : master.scaled(size, size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)));
    return pixmaps;
}

void PanelItem::setMenu(const QList<DBusMenu::Entry> &entries)
{
    m_menu->setEntries(entries);
    if (!m_trayMenu)
        return;
    m_trayMenu->clear();
    for (const DBusMenu::Entry &entry : entries) {
        if (entry.action)
            m_trayMenu->addAction(entry.label, m_trayMenu.get(), entry.action);
        else
            m_trayMenu->addSeparator();
    }
}

void PanelItem::start()
{
    if (!m_bus.isConnected()) {
        useTrayIcon();
        return;
    }
    m_watcher = new QDBusServiceWatcher(Sni::watcherService, m_bus,
        QDBusServiceWatcher::WatchForRegistration | QDBusServiceWatcher::WatchForUnregistration, this);
    connect(m_watcher, &QDBusServiceWatcher::serviceRegistered, this, &PanelItem::useStatusNotifier);
    // A panel that restarts is gone for a moment only. The tray icon is not made in that
    // moment: Qt decides once per process whether its tray icons use a watcher, and one
    // made just as the new watcher appears would become a second item under our own name.
    m_fallbackDelay = new QTimer(this);
    m_fallbackDelay->setSingleShot(true);
    m_fallbackDelay->setInterval(watcherGoneGraceMs);
    connect(m_fallbackDelay, &QTimer::timeout, this, &PanelItem::lookForWatcher);
    connect(m_watcher, &QDBusServiceWatcher::serviceUnregistered, m_fallbackDelay, qOverload<>(&QTimer::start));
    m_hostWait = new QTimer(this);
    m_hostWait->setSingleShot(true);
    m_hostWait->setInterval(hostWaitMs);
    connect(m_hostWait, &QTimer::timeout, this, &PanelItem::registerItem);
    m_bus.connect(Sni::watcherService, Sni::watcherPath, Sni::watcherService,
        QStringLiteral("StatusNotifierHostRegistered"), this, SLOT(hostRegistered()));
    lookForWatcher();
}

void PanelItem::lookForWatcher()
{
    QDBusMessage ask = QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.DBus"),
        QStringLiteral("/org/freedesktop/DBus"), QStringLiteral("org.freedesktop.DBus"),
        QStringLiteral("NameHasOwner"));
    ask << Sni::watcherService;
    auto *pending = new QDBusPendingCallWatcher(m_bus.asyncCall(ask, 2000), this);
    connect(pending, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher *call) {
        call->deleteLater();
        const QDBusPendingReply<bool> reply = *call;
        if (reply.isValid() && reply.value()) {
            // The service watcher may have seen it appear already.
            if (m_mode != Mode::StatusNotifier)
                useStatusNotifier();
        } else if (!QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) {
            // On Wayland a tray icon can only be a StatusNotifierItem too, and Qt's own would
            // reach a panel that starts after us as a second, broken item: there the service
            // watcher waits for the panel's watcher instead.
            useTrayIcon();
        }
    });
}

void PanelItem::useStatusNotifier()
{
    if (m_fallbackDelay)
        m_fallbackDelay->stop();
    if (!m_sni) {
        m_sni = std::make_unique<StatusNotifierItem>(m_id, m_bus);
        connect(m_sni.get(), &StatusNotifierItem::activated, this, &PanelItem::activated);
        if (!m_sni->registerOnBus()) {
            m_sni.reset();
            useTrayIcon();
            return;
        }
        m_sni->setPixmapSource([this] { return statusNotifierPixmaps(); });
        if (m_menu->registerOnBus(QLatin1String(menuPath)))
            m_sni->setMenuPath(QLatin1String(menuPath));
        m_icons = std::make_unique<NamedIconFolder>(QStringLiteral("tavlo"));
        if (m_icons->isValid())
            m_sni->setIconThemePath(m_icons->path());
    }
    m_tray.reset();
    m_trayMenu.reset();
    setMode(Mode::StatusNotifier);
    repaint();
    applyTexts();
    askWhoWatches();
}

void PanelItem::askWhoWatches()
{
    // Hosts differ in what they can take, and none says: the watcher's program does.
    // - Most take a named icon over the pixmaps when both are offered, and then look the name
    //   up in the folder after every change, which costs a GTK panel three times what the
    //   pixmaps do. Only Ayatana's indicator service cannot draw pixmaps at all, so the named
    //   icon is written for it alone.
    // - GNOME Shell's AppIndicator extension watches the service name an item registers and
    //   forgets the item's id and menu when it sees that name appear. When our answer to its
    //   first read of the properties comes before that (a busy shell), it drops the item for
    //   good. Registered by its path, the item is known by our connection, and nothing is
    //   watched.
    QDBusMessage ask = QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.DBus"),
        QStringLiteral("/org/freedesktop/DBus"), QStringLiteral("org.freedesktop.DBus"),
        QStringLiteral("GetConnectionUnixProcessID"));
    ask << Sni::watcherService;
    auto *pending = new QDBusPendingCallWatcher(m_bus.asyncCall(ask, 2000), this);
    connect(pending, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher *call) {
        call->deleteLater();
        const QDBusPendingReply<uint> reply = *call;
        QByteArray program;
        if (reply.isValid()) {
            QFile commandLine(QStringLiteral("/proc/%1/cmdline").arg(reply.value()));
            if (commandLine.open(QIODevice::ReadOnly))
                program = commandLine.read(4096);
        }
        const QByteArray file = program.left(program.indexOf('\0'));
        m_registerByPath = file.mid(file.lastIndexOf('/') + 1) == "gnome-shell";
        registerOnceHosted();
        const bool names = program.contains(QByteArrayLiteral("indicator-application"));
        if (names == m_hostWantsNames)
            return;
        m_hostWantsNames = names;
        repaint();
    });
}

void PanelItem::registerOnceHosted()
{
    // waybar's tray, started after us, loses an item that registers between its host's first
    // read of the watcher and its sign-up for the watcher's news: the item stays unseen until
    // it registers again. Registered once the watcher has a host, it is always seen. Watchers
    // that cannot say whether a host is there are given the item at once.
    QDBusMessage ask = QDBusMessage::createMethodCall(Sni::watcherService, Sni::watcherPath,
        QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    ask << Sni::watcherService << QStringLiteral("IsStatusNotifierHostRegistered");
    auto *pending = new QDBusPendingCallWatcher(m_bus.asyncCall(ask, 2000), this);
    connect(pending, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher *call) {
        call->deleteLater();
        const QDBusPendingReply<QDBusVariant> reply = *call;
        if (reply.isValid() && reply.value().variant().typeId() == QMetaType::Bool
            && !reply.value().variant().toBool()) {
            m_hostWait->start();
            return;
        }
        registerItem();
    });
}

void PanelItem::hostRegistered()
{
    if (m_hostWait && m_hostWait->isActive())
        registerItem();
}

void PanelItem::registerItem()
{
    m_hostWait->stop();
    if (m_sni)
        m_sni->registerWithWatcher(m_registerByPath);
}

void PanelItem::useTrayIcon()
{
    if (m_tray)
        return;
    // Keep the StatusNotifierItem object on the bus: a watcher that comes back (a restarted
    // panel) is given the same item again.
    m_tray = std::make_unique<QSystemTrayIcon>();
    connect(m_tray.get(), &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        if (reason == QSystemTrayIcon::Trigger)
            Q_EMIT activated(QPoint());
    });
    m_traySize = QSize();
    m_trayMenu = std::make_unique<QMenu>();
    m_tray->setContextMenu(m_trayMenu.get());
    setMenu(m_menu->entries());
    paintTrayIcon();
    applyTexts();
    m_tray->show();
    setMode(Mode::TrayIcon);
    QTimer::singleShot(trayFirstLookMs, this, [this] { paintTrayIcon(); });
}

void PanelItem::setMode(Mode mode)
{
    if (mode == m_mode)
        return;
    m_mode = mode;
    Q_EMIT modeChanged(mode);
}

QRect PanelItem::geometry() const
{
    return m_tray ? m_tray->geometry() : QRect();
}

void PanelItem::repaint()
{
    m_master = QImage();
    if (m_mode == Mode::StatusNotifier && m_sni) {
        // The pixmaps are converted when a host reads them; the named icon has to be there first.
        QString name;
        if (m_icons && m_icons->isValid() && m_hostWantsNames) {
            const QImage master = masterPicture();
            name = m_icons->publish(master.width() == namedIconSize
                    ? master
                    : master.scaled(namedIconSize, namedIconSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
        }
        m_sni->setIcon(name);
    } else if (m_mode == Mode::TrayIcon) {
        paintTrayIcon();
    }
}

void PanelItem::paintTrayIcon()
{
    if (!m_tray)
        return;
    QSize size = m_tray->geometry().size();
    if (size.isEmpty())
        size = defaultTraySize;
    const qreal ratio = qApp ? qGuiApp->devicePixelRatio() : 1.0;
    const QImage image = m_painter(size, ratio);
    // QSystemTrayIcon repaints and re-sends the whole icon on every setIcon().
    if (size == m_traySize && image == m_trayImage)
        return;
    m_traySize = size;
    m_trayImage = image;
    m_tray->setIcon(QIcon(QPixmap::fromImage(image)));
}

void PanelItem::setTexts(const QString &toolTipTitle, const QString &toolTip, const QString &accessibleName,
    const QString &label, const QString &labelGuide)
{
    m_toolTipTitle = toolTipTitle;
    m_toolTip = toolTip;
    m_accessibleName = accessibleName;
    m_label = label;
    m_labelGuide = labelGuide;
    applyTexts();
}

void PanelItem::applyTexts()
{
    if (m_sni) {
        m_sni->setToolTip(m_toolTipTitle, m_toolTip);
        // Hosts read the item's title as its accessible name.
        m_sni->setTitle(m_accessibleName);
        m_sni->setLabel(m_label, m_labelGuide);
    }
    if (m_tray)
        m_tray->setToolTip(m_toolTipTitle + QLatin1Char('\n') + m_toolTip);
}
