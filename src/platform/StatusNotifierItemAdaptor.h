// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "SniTypes.h"

#include <QDBusAbstractAdaptor>
#include <QDBusObjectPath>

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
        "    <property name=\"IconThemePath\" type=\"s\" access=\"read\"/>\n"
        "    <property name=\"IconPixmap\" type=\"a(iiay)\" access=\"read\">\n"
        "      <annotation name=\"org.qtproject.QtDBus.QtTypeName\" value=\"SniPixmapList\"/>\n"
        "    </property>\n"
        "    <property name=\"OverlayIconName\" type=\"s\" access=\"read\"/>\n"
        "    <property name=\"OverlayIconPixmap\" type=\"a(iiay)\" access=\"read\">\n"
        "      <annotation name=\"org.qtproject.QtDBus.QtTypeName\" value=\"SniPixmapList\"/>\n"
        "    </property>\n"
        "    <property name=\"AttentionIconName\" type=\"s\" access=\"read\"/>\n"
        "    <property name=\"AttentionIconPixmap\" type=\"a(iiay)\" access=\"read\">\n"
        "      <annotation name=\"org.qtproject.QtDBus.QtTypeName\" value=\"SniPixmapList\"/>\n"
        "    </property>\n"
        "    <property name=\"AttentionMovieName\" type=\"s\" access=\"read\"/>\n"
        "    <property name=\"IconAccessibleDesc\" type=\"s\" access=\"read\"/>\n"
        "    <property name=\"AttentionAccessibleDesc\" type=\"s\" access=\"read\"/>\n"
        "    <property name=\"ToolTip\" type=\"(sa(iiay)ss)\" access=\"read\">\n"
        "      <annotation name=\"org.qtproject.QtDBus.QtTypeName\" value=\"SniToolTip\"/>\n"
        "    </property>\n"
        "    <property name=\"ItemIsMenu\" type=\"b\" access=\"read\"/>\n"
        "    <property name=\"Menu\" type=\"o\" access=\"read\"/>\n"
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
        "    <signal name=\"NewAttentionIcon\"/>\n"
        "    <signal name=\"NewOverlayIcon\"/>\n"
        "    <signal name=\"NewMenu\"/>\n"
        "    <signal name=\"NewToolTip\"/>\n"
        "    <signal name=\"NewStatus\">\n"
        "      <arg name=\"status\" type=\"s\"/>\n"
        "    </signal>\n"
        "    <signal name=\"NewIconThemePath\">\n"
        "      <arg name=\"icon_theme_path\" type=\"s\"/>\n"
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
    Q_PROPERTY(QString IconThemePath READ iconThemePath)
    Q_PROPERTY(SniPixmapList IconPixmap READ iconPixmap)
    Q_PROPERTY(QString OverlayIconName READ noName)
    Q_PROPERTY(SniPixmapList OverlayIconPixmap READ noPixmaps)
    Q_PROPERTY(QString AttentionIconName READ noName)
    Q_PROPERTY(SniPixmapList AttentionIconPixmap READ noPixmaps)
    Q_PROPERTY(QString AttentionMovieName READ noName)
    // What screen readers say for the picture: the rates, as the title carries them.
    Q_PROPERTY(QString IconAccessibleDesc READ iconAccessibleDesc)
    Q_PROPERTY(QString AttentionAccessibleDesc READ noName)
    Q_PROPERTY(SniToolTip ToolTip READ toolTip)
    Q_PROPERTY(bool ItemIsMenu READ itemIsMenu)
    Q_PROPERTY(QDBusObjectPath Menu READ menu)
    Q_PROPERTY(QString XAyatanaLabel READ xAyatanaLabel)
    Q_PROPERTY(QString XAyatanaLabelGuide READ xAyatanaLabelGuide)

public:
    explicit StatusNotifierItemAdaptor(StatusNotifierItem *item);

    QString category() const { return QStringLiteral("SystemServices"); }
    QString id() const;
    QString title() const;
    QString iconAccessibleDesc() const;
    QString status() const { return QStringLiteral("Active"); }
    int windowId() const { return 0; }
    QString iconName() const;
    QString iconThemePath() const;
    SniPixmapList iconPixmap() const;
    // The item never asks for attention and has no overlay: those stay empty.
    QString noName() const { return {}; }
    SniPixmapList noPixmaps() const { return {}; }
    SniToolTip toolTip() const;
    // A left click opens the dashboard; the menu is for the right click.
    bool itemIsMenu() const { return false; }
    QDBusObjectPath menu() const;
    QString xAyatanaLabel() const;
    QString xAyatanaLabelGuide() const;

public Q_SLOTS:
    void Activate(int x, int y);
    // Middle click and the wheel have no action of their own; hosts that draw no menu of
    // their own ask the item to show one (ContextMenu): ours lives in the panel.
    void SecondaryActivate(int x, int y);
    void ContextMenu(int x, int y);
    void Scroll(int delta, const QString &orientation);

Q_SIGNALS:
    void NewTitle();
    void NewIcon();
    void NewAttentionIcon();
    void NewOverlayIcon();
    void NewMenu();
    void NewToolTip();
    void NewIconThemePath(const QString &iconThemePath);
    void NewStatus(const QString &status);
    void XAyatanaNewLabel(const QString &label, const QString &guide);

private:
    StatusNotifierItem *m_item;
};
