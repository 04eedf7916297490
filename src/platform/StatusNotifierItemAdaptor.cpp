// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "StatusNotifierItemAdaptor.h"

#include "StatusNotifierItem.h"

StatusNotifierItemAdaptor::StatusNotifierItemAdaptor(StatusNotifierItem *item)
    : QDBusAbstractAdaptor(item)
    , m_item(item)
{ }

QString StatusNotifierItemAdaptor::id() const
{
    return m_item->id();
}

QString StatusNotifierItemAdaptor::title() const
{
    m_item->noteRead(StatusNotifierItem::TitleProperty);
    return m_item->title();
}

QString StatusNotifierItemAdaptor::iconAccessibleDesc() const
{
    return m_item->title();
}

QString StatusNotifierItemAdaptor::iconName() const
{
    m_item->noteIconNameRead();
    return m_item->iconName();
}

QString StatusNotifierItemAdaptor::iconThemePath() const
{
    return m_item->iconThemePath();
}

SniPixmapList StatusNotifierItemAdaptor::iconPixmap() const
{
    m_item->noteRead(StatusNotifierItem::IconProperty);
    return m_item->pixmaps();
}

QDBusObjectPath StatusNotifierItemAdaptor::menu() const
{
    // "/NO_DBUSMENU" is what items without a menu name, by convention.
    return QDBusObjectPath(m_item->menuPath().isEmpty() ? QStringLiteral("/NO_DBUSMENU") : m_item->menuPath());
}

SniToolTip StatusNotifierItemAdaptor::toolTip() const
{
    m_item->noteRead(StatusNotifierItem::ToolTipProperty);
    return m_item->toolTip();
}

QString StatusNotifierItemAdaptor::xAyatanaLabel() const
{
    return m_item->label();
}

QString StatusNotifierItemAdaptor::xAyatanaLabelGuide() const
{
    return m_item->labelGuide();
}

void StatusNotifierItemAdaptor::Activate(int x, int y)
{
    m_item->activate(QPoint(x, y));
}

void StatusNotifierItemAdaptor::SecondaryActivate(int /*x*/, int /*y*/) { }

void StatusNotifierItemAdaptor::ContextMenu(int /*x*/, int /*y*/) { }

void StatusNotifierItemAdaptor::Scroll(int /*delta*/, const QString & /*orientation*/) { }
