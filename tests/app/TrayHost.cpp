// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// A small panel for the virtual desktop and the end-to-end tests: the StatusNotifierWatcher
// and a host that draws each item's picture in a strip along the top of the screen, sends
// Activate(x, y) on a click and prints "item <service> <x> <y> <w> <h>" when it lays an item out.
// Only square pictures are drawn, as hosts show a square slot. (That the item has every property
// a host reads is the item's own test.) With --label the item's label is drawn beside the
// picture, as GNOME and MATE do.
#include "platform/SniTypes.h"

#include <QApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusServiceWatcher>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QTextStream>
#include <QWidget>

namespace {
constexpr int panelHeight = 26;
constexpr int iconSize = 22;

struct Item
{
    QString service, path, label, guide;
    QImage picture;
    QRect rect;
};
} // namespace

class Panel : public QWidget
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierWatcher")

public:
    explicit Panel(bool label)
        : QWidget(nullptr, Qt::FramelessWindowHint | Qt::X11BypassWindowManagerHint | Qt::WindowStaysOnTopHint)
        , m_label(label)
    {
        setGeometry(0, 0, QGuiApplication::primaryScreen()->geometry().width(), panelHeight);
        m_gone.setConnection(QDBusConnection::sessionBus());
        m_gone.setWatchMode(QDBusServiceWatcher::WatchForUnregistration);
        connect(&m_gone, &QDBusServiceWatcher::serviceUnregistered, this, [this](const QString &service) {
            m_items.removeIf([&](const Item &item) { return item.service == service; });
            relayout();
        });
    }

public Q_SLOTS:
    // Items give either their bus name or, with the sender as bus name, an object path.
    Q_SCRIPTABLE void RegisterStatusNotifierItem(const QString &serviceOrPath, const QDBusMessage &message)
    {
        const bool isPath = serviceOrPath.startsWith(QLatin1Char('/'));
        const QString service = isPath ? message.service() : serviceOrPath;
        if (std::none_of(m_items.begin(), m_items.end(), [&](const Item &item) { return item.service == service; })) {
            m_items.append({ service, isPath ? serviceOrPath : Sni::itemPath, {}, {}, {}, {} });
            m_gone.addWatchedService(service);
            for (const char *signal : { "NewIcon", "XAyatanaNewLabel" })
                QDBusConnection::sessionBus().connect(
                    service, m_items.last().path, Sni::itemInterface, QLatin1String(signal), this, SLOT(refresh()));
        }
        refresh();
    }
    Q_SCRIPTABLE void RegisterStatusNotifierHost(const QString &) { }

private Q_SLOTS:
    void refresh()
    {
        for (const Item &item : std::as_const(m_items)) {
            QDBusMessage call = QDBusMessage::createMethodCall(
                item.service, item.path, QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("GetAll"));
            call << Sni::itemInterface;
            auto *watcher = new QDBusPendingCallWatcher(QDBusConnection::sessionBus().asyncCall(call), this);
            connect(watcher, &QDBusPendingCallWatcher::finished, this,
                [this, service = item.service](QDBusPendingCallWatcher *w) {
                    w->deleteLater();
                    if (const QDBusPendingReply<QVariantMap> reply = *w; reply.isValid())
                        take(service, reply.value());
                });
        }
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), QColor(0xe8, 0xe8, 0xe8));
        for (const Item &item : std::as_const(m_items)) {
            painter.drawImage(item.rect.topLeft() + QPoint(0, (panelHeight - iconSize) / 2), item.picture);
            if (m_label)
                painter.drawText(item.rect.adjusted(iconSize + 3, 0, 0, 0), Qt::AlignVCenter, item.label);
        }
    }

    void mouseReleaseEvent(QMouseEvent *event) override
    {
        for (const Item &item : std::as_const(m_items)) {
            if (!item.rect.contains(event->position().toPoint()))
                continue;
            QDBusMessage call = QDBusMessage::createMethodCall(
                item.service, item.path, Sni::itemInterface, QStringLiteral("Activate"));
            call << event->globalPosition().toPoint().x() << event->globalPosition().toPoint().y();
            QDBusConnection::sessionBus().asyncCall(call);
        }
    }

private:
    void take(const QString &service, const QVariantMap &properties)
    {
        SniPixmapList pixmaps;
        properties.value(QStringLiteral("IconPixmap")).value<QDBusArgument>() >> pixmaps;
        // The smallest square picture that fills the slot, scaled down.
        const SniPixmap *best = nullptr;
        for (const SniPixmap &pixmap : pixmaps)
            if (pixmap.width == pixmap.height && pixmap.height >= iconSize && (!best || pixmap.width < best->width))
                best = &pixmap;
        for (Item &item : m_items) {
            if (item.service != service)
                continue;
            item.picture = best ? Sni::imageFromPixmap(*best).scaled(
                               iconSize, iconSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                                : QImage();
            item.label = properties.value(QStringLiteral("XAyatanaLabel")).toString();
            item.guide = properties.value(QStringLiteral("XAyatanaLabelGuide")).toString();
        }
        relayout();
    }

    void relayout()
    {
        int right = width() - 6;
        for (Item &item : m_items) {
            int itemWidth = iconSize;
            if (m_label)
                itemWidth += 3 + fontMetrics().horizontalAdvance(item.guide.isEmpty() ? item.label : item.guide);
            const QRect rect(right - itemWidth, 0, itemWidth, panelHeight);
            right = rect.left() - 6;
            if (rect != std::exchange(item.rect, rect))
                QTextStream(stdout) << "item " << item.service << ' ' << rect.x() << ' ' << rect.y() << ' '
                                    << rect.width() << ' ' << rect.height() << Qt::endl;
        }
        update();
    }

    bool m_label;
    QDBusServiceWatcher m_gone;
    QList<Item> m_items;
};

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    Sni::registerTypes();
    Panel panel(app.arguments().contains(QStringLiteral("--label")));
    panel.show();
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.registerObject(Sni::watcherPath, &panel, QDBusConnection::ExportScriptableSlots)
        || !bus.registerService(Sni::watcherService)) {
        QTextStream(stderr) << "tray host: the session bus refused our names" << Qt::endl;
        return 1;
    }
    QTextStream(stdout) << "ready" << Qt::endl;
    return QApplication::exec();
}

#include "TrayHost.moc"
