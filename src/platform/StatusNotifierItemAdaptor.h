// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "SniTypes.h"

#include <QDBusAbstractAdaptor>

class StatusNotifierItem;

// The org.kde.StatusNotifierItem interface. The introspection data is written out by hand
// because hosts (Qt's own among them) only trust an item whose introspection lists its
// properties, and the generated data would leave out the structured ones.
class StatusNotifierItemAdaptor : public QDBusAbstractAdaptor
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierItem")
    Q_CLASSINFO("D-Bus Introspection",
        "  <interface name=\"org.kde.StatusNotifierItem\">\n"
        "    <property name=\"Category\" type=\"s\" access=\"read\"/>\n"
        "    <property name=\"Id\" type=\"s\" access=\"read\"/>\n"
        "    <property name=\"Title\" type=\"s\" access=\"read\"/>\n"
        "    <property name=\"Status\" type=\"s\" access=\"read\"/>\n"
        "    <property name=\"WindowId\" type=\"i\" access=\"read\"/>\n"
        "    <property name=\"IconName\" type=\"s\" access=\"read\"/>\n"
        "    <property name=\"IconPixmap\" type=\"a(iiay)\" access=\"read\">\n"
        "      <annotation name=\"org.qtproject.QtDBus.QtTypeName\" value=\"SniPixmapList\"/>\n"
        "    </property>\n"
        "    <property name=\"ToolTip\" type=\"(sa(iiay)ss)\" access=\"read\">\n"
        "      <annotation name=\"org.qtproject.QtDBus.QtTypeName\" value=\"SniToolTip\"/>\n"
        "    </property>\n"
        "    <property name=\"ItemIsMenu\" type=\"b\" access=\"read\"/>\n"
        "    <property name=\"XAyatanaLabel\" type=\"s\" access=\"read\"/>\n"
        "    <property name=\"XAyatanaLabelGuide\" type=\"s\" access=\"read\"/>\n"
        "    <method name=\"Activate\">\n"
        "      <arg name=\"x\" type=\"i\" direction=\"in\"/>\n"
        "      <arg name=\"y\" type=\"i\" direction=\"in\"/>\n"
        "    </method>\n"
        "    <method name=\"SecondaryActivate\">\n"
        "      <arg name=\"x\" type=\"i\" direction=\"in\"/>\n"
        "      <arg name=\"y\" type=\"i\" direction=\"in\"/>\n"
        "    </method>\n"
        "    <method name=\"ContextMenu\">\n"
        "      <arg name=\"x\" type=\"i\" direction=\"in\"/>\n"
        "      <arg name=\"y\" type=\"i\" direction=\"in\"/>\n"
        "    </method>\n"
        "    <method name=\"Scroll\">\n"
        "      <arg name=\"delta\" type=\"i\" direction=\"in\"/>\n"
        "      <arg name=\"orientation\" type=\"s\" direction=\"in\"/>\n"
        "    </method>\n"
        "    <signal name=\"NewTitle\"/>\n"
        "    <signal name=\"NewIcon\"/>\n"
        "    <signal name=\"NewToolTip\"/>\n"
        "    <signal name=\"NewStatus\">\n"
        "      <arg name=\"status\" type=\"s\"/>\n"
        "    </signal>\n"
        "    <signal name=\"XAyatanaNewLabel\">\n"
        "      <arg name=\"label\" type=\"s\"/>\n"
        "      <arg name=\"guide\" type=\"s\"/>\n"
        "    </signal>\n"
        "  </interface>\n")
    Q_PROPERTY(QString Category READ category)
    Q_PROPERTY(QString Id READ id)
    Q_PROPERTY(QString Title READ title)
    Q_PROPERTY(QString Status READ status)
    Q_PROPERTY(int WindowId READ windowId)
    Q_PROPERTY(QString IconName READ iconName)
    Q_PROPERTY(SniPixmapList IconPixmap READ iconPixmap)
    Q_PROPERTY(SniToolTip ToolTip READ toolTip)
    Q_PROPERTY(bool ItemIsMenu READ itemIsMenu)
    Q_PROPERTY(QString XAyatanaLabel READ xAyatanaLabel)
    Q_PROPERTY(QString XAyatanaLabelGuide READ xAyatanaLabelGuide)

public:
    explicit StatusNotifierItemAdaptor(StatusNotifierItem *item);

    QString category() const { return QStringLiteral("SystemServices"); }
    QString id() const;
    QString title() const;
    QString status() const { return QStringLiteral("Active"); }
    int windowId() const { return 0; }
    QString iconName() const { return {}; }
    SniPixmapList iconPixmap() const;
    SniToolTip toolTip() const;
    bool itemIsMenu() const { return false; }
    QString xAyatanaLabel() const;
    QString xAyatanaLabelGuide() const;

public Q_SLOTS:
    void Activate(int x, int y);
    // Middle click, right click and the wheel have no action of their own; the dashboard
    // holds everything the item offers.
    void SecondaryActivate(int x, int y);
    void ContextMenu(int x, int y);
    void Scroll(int delta, const QString &orientation);

Q_SIGNALS:
    void NewTitle();
    void NewIcon();
    void NewToolTip();
    void NewStatus(const QString &status);
    void XAyatanaNewLabel(const QString &label, const QString &guide);

private:
    StatusNotifierItem *m_item;
};
