// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// A small desktop panel for the virtual desktop and the end-to-end tests: it is the
// StatusNotifierWatcher and a StatusNotifierHost, draws each registered item's picture in a
// strip along the top of the screen, and calls Activate(x, y) with the click position when
// an item is clicked, as panel hosts do. It prints "item <service> <x> <y> <w> <h>" each
// time an item is laid out, so scripts know where to click and what to photograph.
//
// Like the real panels it is strict: an item that lacks a property some host needs is not
// shown, and only square pictures are drawn (a host squeezes any other shape into its
// square slot).
//
//   --label    draw the item's label beside the picture, as GNOME and MATE do
#include "platform/SniTypes.h"

#include <QApplication>
#include <QDBusAbstractAdaptor>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusServiceWatcher>
#include <QDBusVariant>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QTextStream>
#include <QWidget>
#include <cstdio>

namespace {
constexpr int panelHeight = 26;
constexpr int iconHeight = 22;
constexpr int spacing = 6;

enum class Style
{
    Square,
    Label
};

// What the strictest hosts (Ayatana's, GNOME's) insist on before they show an item.
const QStringList requiredProperties { QStringLiteral("Id"), QStringLiteral("Category"), QStringLiteral("Status"),
    QStringLiteral("IconName"), QStringLiteral("Menu"), QStringLiteral("IconPixmap") };

struct Item
{
    QString service;
    QString path;
    QImage picture;
    QString label;
    QString guide;
    QRect rect;
};
} // namespace

class Panel : public QWidget
{
    Q_OBJECT

public:
    explicit Panel(Style style)
        : QWidget(nullptr, Qt::FramelessWindowHint | Qt::X11BypassWindowManagerHint | Qt::WindowStaysOnTopHint)
        , m_style(style)
    {
        setWindowTitle(QStringLiteral("panel"));
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        setGeometry(screen.x(), screen.y(), screen.width(), panelHeight);
        QPalette pal = palette();
        pal.setColor(QPalette::Window, QColor(0xe8, 0xe8, 0xe8));
        setPalette(pal);
        setAutoFillBackground(true);
    }

    void addItem(const QString &service, const QString &path)
    {
        for (const Item &item : std::as_const(m_items))
            if (item.service == service)
                return;
        m_items.append({ service, path, {}, {}, {}, {} });
        QDBusConnection bus = QDBusConnection::sessionBus();
        for (const char *signal : { "NewIcon", "NewToolTip", "NewTitle", "XAyatanaNewLabel" })
            bus.connect(service, path, Sni::itemInterface, QLatin1String(signal), this, SLOT(refreshAll()));
        refresh(service);
    }

    void removeItem(const QString &service)
    {
        m_items.removeIf([&](const Item &item) { return item.service == service; });
        relayout();
    }

public Q_SLOTS:
    void refreshAll()
    {
        for (const Item &item : std::as_const(m_items))
            refresh(item.service);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        for (const Item &item : std::as_const(m_items)) {
            const QImage &picture = item.picture;
            const QSize logical = picture.size() / std::max<qreal>(1.0, picture.devicePixelRatio());
            const QRect target(item.rect.topLeft() + QPoint(0, (panelHeight - logical.height()) / 2), logical);
            painter.drawImage(target, picture);
            if (m_style == Style::Label) {
                painter.setPen(palette().color(QPalette::WindowText));
                QRect text = item.rect.adjusted(logical.width() + 3, 0, 0, 0);
                painter.drawText(text, Qt::AlignLeft | Qt::AlignVCenter, item.label);
            }
        }
    }

    void mouseReleaseEvent(QMouseEvent *event) override
    {
        for (const Item &item : std::as_const(m_items)) {
            if (!item.rect.contains(event->position().toPoint()))
                continue;
            const QPoint global = event->globalPosition().toPoint();
            QDBusMessage call = QDBusMessage::createMethodCall(
                item.service, item.path, Sni::itemInterface, QStringLiteral("Activate"));
            call << global.x() << global.y();
            QDBusConnection::sessionBus().asyncCall(call);
        }
    }

private Q_SLOTS:
    void refresh(const QString &service)
    {
        const auto found
            = std::find_if(m_items.begin(), m_items.end(), [&](const Item &item) { return item.service == service; });
        if (found == m_items.end())
            return;
        QDBusMessage call = QDBusMessage::createMethodCall(
            service, found->path, QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("GetAll"));
        call << Sni::itemInterface;
        auto *watcher = new QDBusPendingCallWatcher(QDBusConnection::sessionBus().asyncCall(call), this);
        connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, service](QDBusPendingCallWatcher *w) {
            w->deleteLater();
            const QDBusPendingReply<QVariantMap> reply = *w;
            if (!reply.isValid())
                return;
            const QVariantMap properties = reply.value();
            for (const QString &name : requiredProperties) {
                if (!properties.contains(name)) {
                    QTextStream(stderr) << "reject " << service << ": no " << name << Qt::endl;
                    return;
                }
            }
            for (Item &item : m_items) {
                if (item.service != service)
                    continue;
                SniPixmapList pixmaps;
                properties.value(QStringLiteral("IconPixmap")).value<QDBusArgument>() >> pixmaps;
                item.picture = choose(pixmaps);
                item.label = properties.value(QStringLiteral("XAyatanaLabel")).toString();
                item.guide = properties.value(QStringLiteral("XAyatanaLabelGuide")).toString();
            }
            relayout();
        });
    }

private:
    QImage choose(const SniPixmapList &pixmaps) const
    {
        // The picture made for the slot, else the smallest larger one scaled down.
        const SniPixmap *best = nullptr;
        for (const SniPixmap &pixmap : pixmaps) {
            if (pixmap.width != pixmap.height || pixmap.height < iconHeight)
                continue;
            if (!best || pixmap.width < best->width)
                best = &pixmap;
        }
        if (!best)
            return {};
        return Sni::imageFromPixmap(*best).scaled(
            iconHeight, iconHeight, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }

    void relayout()
    {
        int right = width() - spacing;
        for (Item &item : m_items) {
            int itemWidth = std::max(iconHeight, item.picture.width());
            if (m_style == Style::Label)
                itemWidth += 3 + fontMetrics().horizontalAdvance(item.guide.isEmpty() ? item.label : item.guide);
            const QRect rect(right - itemWidth, 0, itemWidth, panelHeight);
            right = rect.left() - spacing;
            if (rect != item.rect) {
                item.rect = rect;
                const QPoint global = mapToGlobal(rect.topLeft());
                QTextStream(stdout) << "item " << item.service << ' ' << global.x() << ' ' << global.y() << ' '
                                    << rect.width() << ' ' << rect.height() << Qt::endl;
            }
        }
        update();
    }

    Style m_style;
    QList<Item> m_items;
};

class WatcherAdaptor : public QDBusAbstractAdaptor
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierWatcher")
    Q_PROPERTY(QStringList RegisteredStatusNotifierItems READ registeredItems)
    Q_PROPERTY(bool IsStatusNotifierHostRegistered READ isHostRegistered)
    Q_PROPERTY(int ProtocolVersion READ protocolVersion)

public:
    WatcherAdaptor(QObject *parent, Panel *panel)
        : QDBusAbstractAdaptor(parent)
        , m_panel(panel)
        , m_services(new QDBusServiceWatcher(this))
    {
        m_services->setConnection(QDBusConnection::sessionBus());
        m_services->setWatchMode(QDBusServiceWatcher::WatchForUnregistration);
        connect(m_services, &QDBusServiceWatcher::serviceUnregistered, this, [this](const QString &service) {
            m_services->removeWatchedService(service);
            m_items.removeIf([&](const QString &item) { return item.startsWith(service + QLatin1Char('/')); });
            m_panel->removeItem(service);
            Q_EMIT StatusNotifierItemUnregistered(service);
        });
    }

    QStringList registeredItems() const { return m_items; }
    bool isHostRegistered() const { return true; }
    int protocolVersion() const { return 0; }

public Q_SLOTS:
    void RegisterStatusNotifierItem(const QString &serviceOrPath, const QDBusMessage &message)
    {
        // Items give either their bus name or, with the sender as bus name, an object path.
        QString service = serviceOrPath;
        QString path = Sni::itemPath;
        if (serviceOrPath.startsWith(QLatin1Char('/'))) {
            service = message.service();
            path = serviceOrPath;
        }
        const QString entry = service + path;
        if (!m_items.contains(entry)) {
            m_items.append(entry);
            m_services->addWatchedService(service);
        }
        m_panel->addItem(service, path);
        Q_EMIT StatusNotifierItemRegistered(entry);
    }
    void RegisterStatusNotifierHost(const QString & /*service*/) { }

Q_SIGNALS:
    void StatusNotifierItemRegistered(const QString &service);
    void StatusNotifierItemUnregistered(const QString &service);
    void StatusNotifierHostRegistered();

private:
    Panel *m_panel;
    QDBusServiceWatcher *m_services;
    QStringList m_items;
};

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    Sni::registerTypes();
    Style style = Style::Square;
    if (app.arguments().contains(QStringLiteral("--label")))
        style = Style::Label;

    Panel panel(style);
    panel.show();

    QObject watcher;
    new WatcherAdaptor(&watcher, &panel);
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.registerObject(Sni::watcherPath, &watcher, QDBusConnection::ExportAdaptors)
        || !bus.registerService(QStringLiteral("org.kde.StatusNotifierHost-%1").arg(QCoreApplication::applicationPid()))
        || !bus.registerService(Sni::watcherService)) {
        std::fputs("tray host: the session bus refused our names\n", stderr);
        return 1;
    }
    QTextStream(stdout) << "ready" << Qt::endl;
    return QApplication::exec();
}

#include "TrayHost.moc"
