// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/StatusNotifierItem.h"

#include "PrivateBus.h"
#include "platform/DBusMenu.h"
#include "platform/NamedIconFolder.h"
#include "platform/PanelItem.h"
#include "platform/SniTypes.h"

#include <QDBusConnectionInterface>
#include <QDBusInterface>
#include <QDBusMessage>
#include <QDBusReply>
#include <QPainter>
#include <QSignalSpy>
#include <QtTest>
#include <functional>

// Stands in for the panel's StatusNotifierWatcher: records who registers.
class FakeWatcher : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierWatcher")

public:
    QStringList registered;

public Q_SLOTS:
    Q_SCRIPTABLE void RegisterStatusNotifierItem(const QString &service) { registered.append(service); }
};

// A watcher whose host comes after it, as in a bar started after us: records who asks and
// who registers, in order.
class HostlessWatcher : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierWatcher")
    Q_PROPERTY(bool IsStatusNotifierHostRegistered READ isHostRegistered)

public:
    QStringList events;
    bool host = false;
    bool isHostRegistered()
    {
        events.append(QStringLiteral("asked"));
        return host;
    }

Q_SIGNALS:
    void StatusNotifierHostRegistered();

public Q_SLOTS:
    Q_SCRIPTABLE void RegisterStatusNotifierItem(const QString &service) { events.append(service); }
};

// Listens to the item's signals on the bus, as a host does.
class SignalLog : public QObject
{
    Q_OBJECT

public:
    QStringList seen;
    // What the host reads when told of a new icon.
    std::function<void()> onIcon;

public Q_SLOTS:
    void signal(const QDBusMessage &message)
    {
        seen.append(message.member());
        if (onIcon && message.member() == QLatin1String("NewIcon"))
            onIcon();
    }
};

class StatusNotifierItemTest : public QObject
{
    Q_OBJECT

private:
    PrivateBus m_bus;

    // Item, host and panel each have a connection of their own, as separate processes do.
    QDBusConnection connect(const char *name) const
    {
        return QDBusConnection::connectToBus(m_bus.address(), QLatin1String(name));
    }

    static QImage picture(QColor color, QSize size)
    {
        QImage image(size, QImage::Format_ARGB32);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.fillRect(QRect(QPoint(1, 1), size - QSize(2, 2)), color);
        return image;
    }

    QString itemService() const
    {
        return QStringLiteral("org.kde.StatusNotifierItem-%1-1").arg(QCoreApplication::applicationPid());
    }

private Q_SLOTS:
    void initTestCase()
    {
        if (const QString why = m_bus.start(false); !why.isEmpty())
            QSKIP(qPrintable(why));
        Sni::registerTypes();
    }

    // Each test's item and watcher leave the bus with their connections.
    void cleanup()
    {
        for (const char *name : { "item", "host", "panel" })
            QDBusConnection::disconnectFromBus(QLatin1String(name));
    }

    // Every property a host may read is there (hosts reject an item that lacks one), the
    // pixmaps are drawn once per change however often they are read, and changes are announced.
    void testItemOnTheBus()
    {
        QDBusConnection bus = connect("item");
        StatusNotifierItem item(QStringLiteral("org.tavlo.Tavlo"), bus);
        QVERIFY(item.registerOnBus());
        int draws = 0;
        item.setPixmapSource([&] {
            ++draws;
            return SniPixmapList { Sni::pixmapFromImage(picture(Qt::red, QSize(22, 22))) };
        });
        item.setMenuPath(QStringLiteral("/MenuBar"));
        item.setIcon(QStringLiteral("tavlo-1"));

        QDBusConnection host = connect("host");
        QDBusMessage introspect = QDBusMessage::createMethodCall(itemService(), Sni::itemPath,
            QStringLiteral("org.freedesktop.DBus.Introspectable"), QStringLiteral("Introspect"));
        const QDBusReply<QString> xml = host.call(introspect, QDBus::BlockWithGui);
        QDBusMessage getAll = QDBusMessage::createMethodCall(
            itemService(), Sni::itemPath, QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("GetAll"));
        getAll << Sni::itemInterface;
        const QDBusReply<QVariantMap> reply = host.call(getAll, QDBus::BlockWithGui);
        QVERIFY2(reply.isValid(), qPrintable(reply.error().message()));
        const QVariantMap properties = reply.value();
        for (const char *name : { "Category", "Id", "Title", "Status", "WindowId", "IconName", "IconThemePath",
                 "IconPixmap", "OverlayIconName", "OverlayIconPixmap", "AttentionIconName", "AttentionIconPixmap",
                 "AttentionMovieName", "IconAccessibleDesc", "AttentionAccessibleDesc", "ToolTip", "ItemIsMenu", "Menu",
                 "XAyatanaLabel", "XAyatanaLabelGuide" }) {
            QVERIFY2(properties.contains(QLatin1String(name)), name);
            QVERIFY2(xml.value().contains(QStringLiteral("<property name=\"%1\"").arg(QLatin1String(name))), name);
        }
        // The types hosts insist on: an object path for the menu, a left click that activates.
        QCOMPARE(properties.value(QStringLiteral("Menu")).value<QDBusObjectPath>().path(), QStringLiteral("/MenuBar"));
        QCOMPARE(properties.value(QStringLiteral("ItemIsMenu")).toBool(), false);
        SniPixmapList pixmaps;
        properties.value(QStringLiteral("IconPixmap")).value<QDBusArgument>() >> pixmaps;
        QCOMPARE(pixmaps.size(), 1);
        QCOMPARE(draws, 1);
        (void)host.call(getAll, QDBus::BlockWithGui);
        QCOMPARE(draws, 1);
        item.setIcon(QStringLiteral("tavlo-2"));
        (void)host.call(getAll, QDBus::BlockWithGui);
        QCOMPARE(draws, 2);
    }

    // A change is announced once, the icon first; the tooltip and title follow only for a
    // host that did not read them along with the icon. Setting what is there announces nothing.
    void testSignalsOnlyOnChange_data()
    {
        QTest::addColumn<QString>("hostReads");
        QTest::addColumn<QStringList>("announced");
        const QString label = QStringLiteral("XAyatanaNewLabel");
        const QString icon = QStringLiteral("NewIcon");
        const QStringList all { label, icon, QStringLiteral("NewToolTip"), QStringLiteral("NewTitle"), icon };
        QTest::newRow("every property") << QStringLiteral("GetAll") << QStringList { label, icon, icon };
        QTest::newRow("the icon alone") << QStringLiteral("Get") << all;
        QTest::newRow("nothing") << QString() << all;
    }

    void testSignalsOnlyOnChange()
    {
        QFETCH(QString, hostReads);
        QDBusConnection bus = connect("item");
        StatusNotifierItem item(QStringLiteral("org.tavlo.Tavlo"), bus);
        QVERIFY(item.registerOnBus());
        QDBusConnection host = connect("host");
        SignalLog log;
        log.onIcon = [&] {
            if (hostReads.isEmpty())
                return;
            QDBusMessage read = QDBusMessage::createMethodCall(
                itemService(), Sni::itemPath, QStringLiteral("org.freedesktop.DBus.Properties"), hostReads);
            read << Sni::itemInterface;
            if (hostReads == QLatin1String("Get"))
                read << QStringLiteral("IconPixmap");
            (void)host.call(read, QDBus::BlockWithGui);
        };
        for (const char *name : { "NewIcon", "NewToolTip", "NewTitle", "XAyatanaNewLabel" })
            QVERIFY(host.connect(itemService(), Sni::itemPath, Sni::itemInterface, QLatin1String(name), &log,
                SLOT(signal(QDBusMessage))));
        // The second round changes the icon alone; what the first held back from a host that
        // read nothing follows with it.
        for (const QString &icon : { QStringLiteral("a"), QStringLiteral("b") }) {
            for (int i = 0; i < 2; ++i) {
                item.setToolTip(QStringLiteral("Tavlo"), QStringLiteral("a"));
                item.setTitle(QStringLiteral("t"));
                item.setLabel(QStringLiteral("l"), QStringLiteral("g"));
            }
            item.setIcon(icon);
            QTRY_VERIFY(log.seen.contains(QStringLiteral("NewIcon")));
        }
        QFETCH(QStringList, announced);
        QTRY_COMPARE(log.seen, announced);
    }

    // The right-click menu as a host reads it, and a click on an entry as a host sends it.
    void testMenu()
    {
        QDBusConnection bus = connect("item");
        DBusMenu menu(bus);
        QVERIFY(menu.registerOnBus(QStringLiteral("/MenuBar")));
        int quits = 0;
        menu.setEntries({ { QStringLiteral("Open_it"), [] {} }, {}, { QStringLiteral("Quit"), [&] { ++quits; } } });
        QDBusConnection host = connect("host");
        const QString service = bus.baseService();
        QDBusMessage get = QDBusMessage::createMethodCall(
            service, QStringLiteral("/MenuBar"), QStringLiteral("com.canonical.dbusmenu"), QStringLiteral("GetLayout"));
        get << 0 << -1 << QStringList();
        const QDBusMessage layoutReply = host.call(get, QDBus::BlockWithGui);
        QCOMPARE(layoutReply.type(), QDBusMessage::ReplyMessage);
        QCOMPARE(layoutReply.signature(), QStringLiteral("u(ia{sv}av)"));
        DBusMenuLayoutItem root;
        layoutReply.arguments().at(1).value<QDBusArgument>() >> root;
        QCOMPARE(root.children.size(), 3);
        QCOMPARE(root.children.at(0).properties.value(QStringLiteral("label")).toString(), QStringLiteral("Open__it"));
        QCOMPARE(root.children.at(1).properties.value(QStringLiteral("type")).toString(), QStringLiteral("separator"));
        QDBusMessage event = QDBusMessage::createMethodCall(
            service, QStringLiteral("/MenuBar"), QStringLiteral("com.canonical.dbusmenu"), QStringLiteral("Event"));
        event << 3 << QStringLiteral("clicked") << QVariant::fromValue(QDBusVariant(QString())) << 0u;
        QCOMPARE(host.call(event, QDBus::BlockWithGui).type(), QDBusMessage::ReplyMessage);
        QTRY_COMPARE(quits, 1);
        // Ayatana's menus send their clicks as a group, after telling that the menu opens.
        QSignalSpy opening(&menu, &DBusMenu::aboutToOpen);
        QDBusMessage show = QDBusMessage::createMethodCall(service, QStringLiteral("/MenuBar"),
            QStringLiteral("com.canonical.dbusmenu"), QStringLiteral("AboutToShowGroup"));
        show << QVariant::fromValue(QList<int> { 0 });
        QCOMPARE(host.call(show, QDBus::BlockWithGui).type(), QDBusMessage::ReplyMessage);
        QCOMPARE(opening.size(), 1);
        QDBusMessage group = QDBusMessage::createMethodCall(service, QStringLiteral("/MenuBar"),
            QStringLiteral("com.canonical.dbusmenu"), QStringLiteral("EventGroup"));
        group << QVariant::fromValue(DBusMenuEventList { { 3, QStringLiteral("clicked"), QDBusVariant(0), 0 } });
        QCOMPARE(host.call(group, QDBus::BlockWithGui).signature(), QStringLiteral("ai"));
        QTRY_COMPARE(quits, 2);
    }

    // Named icons: each picture a name other than the last, a few files at most, the folder
    // private, and nothing left once it is gone.
    void testNamedIconFolder()
    {
        QTemporaryDir runtime;
        QString path;
        {
            NamedIconFolder folder(QStringLiteral("tavlo"), runtime.path());
            QVERIFY(folder.isValid());
            path = folder.path();
            QCOMPARE(QFileInfo(path).permissions() & 0x0077, QFile::Permissions());
            QStringList names;
            for (int i = 0; i < 5; ++i)
                names.append(folder.publish(picture(Qt::red, QSize(48, 48))));
            for (int i = 1; i < names.size(); ++i)
                QVERIFY(!names.at(i).isEmpty() && names.at(i) != names.at(i - 1));
            const QStringList files = QDir(path).entryList(QDir::Files);
            QCOMPARE(files.size(), NamedIconFolder::keptFiles);
            QVERIFY(files.contains(names.last() + QStringLiteral(".png")));
        }
        QVERIFY(!QFileInfo::exists(path));
    }

    // The item registers with the watcher that runs; a panel that restarts within a moment
    // gets it again without a tray icon between; one gone for good leaves the tray icon, and
    // the next watcher gets the item again.
    void testFollowsTheWatcher()
    {
        QDBusConnection bus = connect("item");
        QDBusConnection panel = connect("panel");
        FakeWatcher watcher;
        QVERIFY(panel.registerObject(Sni::watcherPath, &watcher, QDBusConnection::ExportScriptableSlots));
        QVERIFY(panel.registerService(Sni::watcherService));
        PanelItem item(
            QStringLiteral("org.tavlo.Tavlo"), [](QSize size, qreal) { return QImage(size, QImage::Format_ARGB32); },
            bus);
        item.start();
        QTRY_COMPARE(watcher.registered, QStringList { itemService() });
        QCOMPARE(item.mode(), PanelItem::Mode::StatusNotifier);

        QSignalSpy modes(&item, &PanelItem::modeChanged);
        QVERIFY(panel.unregisterService(Sni::watcherService));
        QVERIFY(panel.registerService(Sni::watcherService));
        QTRY_COMPARE(watcher.registered.size(), 2);
        // Past the grace the item allows a restarting panel, it still has not changed.
        QVERIFY(!modes.wait(2500));

        QVERIFY(panel.unregisterService(Sni::watcherService));
        QTRY_COMPARE_WITH_TIMEOUT(item.mode(), PanelItem::Mode::TrayIcon, 5000);
        QVERIFY(panel.registerService(Sni::watcherService));
        QTRY_COMPARE(item.mode(), PanelItem::Mode::StatusNotifier);
        QTRY_COMPARE(watcher.registered.size(), 3);
        QCOMPARE(watcher.registered.last(), itemService());
    }

    // The item registers once the watcher has a host (waybar's host loses an item registered
    // just before it signs up); a watcher that never gets one is given it after a while.
    void testWaitsForTheHost()
    {
        QDBusConnection bus = connect("item");
        QDBusConnection panel = connect("panel");
        HostlessWatcher watcher;
        QVERIFY(panel.registerObject(Sni::watcherPath, &watcher,
            QDBusConnection::ExportScriptableSlots | QDBusConnection::ExportAllProperties
                | QDBusConnection::ExportAllSignals));
        QVERIFY(panel.registerService(Sni::watcherService));
        PanelItem item(
            QStringLiteral("org.tavlo.Tavlo"), [](QSize size, qreal) { return QImage(size, QImage::Format_ARGB32); },
            bus);
        item.start();
        QTRY_VERIFY(watcher.events.contains(QLatin1String("asked")));
        QCOMPARE(watcher.events, QStringList { QStringLiteral("asked") });
        watcher.host = true;
        Q_EMIT watcher.StatusNotifierHostRegistered();
        QTRY_COMPARE(watcher.events, (QStringList { QStringLiteral("asked"), itemService() }));

        watcher.host = false;
        watcher.events.clear();
        QVERIFY(panel.unregisterService(Sni::watcherService));
        QVERIFY(panel.registerService(Sni::watcherService));
        QTRY_COMPARE_WITH_TIMEOUT(watcher.events, (QStringList { QStringLiteral("asked"), itemService() }), 5000);
    }
};

QTEST_MAIN(StatusNotifierItemTest)
#include "StatusNotifierItemTest.moc"
