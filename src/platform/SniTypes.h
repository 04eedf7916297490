// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QDBusArgument>
#include <QImage>
#include <QList>
#include <QMetaType>
#include <QString>

// The picture and tooltip structures of the StatusNotifierItem protocol: a(iiay) pixmaps
// hold ARGB32 pixels in network byte order, whatever the host's endianness.
struct SniPixmap
{
    int width = 0;
    int height = 0;
    QByteArray bytes;

    bool operator==(const SniPixmap &other) const = default;
};
using SniPixmapList = QList<SniPixmap>;

struct SniToolTip
{
    QString iconName;
    SniPixmapList pixmaps;
    QString title;
    QString description;
};

Q_DECLARE_METATYPE(SniPixmap)
Q_DECLARE_METATYPE(SniToolTip)

QDBusArgument &operator<<(QDBusArgument &argument, const SniPixmap &pixmap);
const QDBusArgument &operator>>(const QDBusArgument &argument, SniPixmap &pixmap);
QDBusArgument &operator<<(QDBusArgument &argument, const SniToolTip &toolTip);
const QDBusArgument &operator>>(const QDBusArgument &argument, SniToolTip &toolTip);

namespace Sni {
void registerTypes();
SniPixmap pixmapFromImage(const QImage &image);
// A pixmap whose byte count does not match its size gives a null image.
QImage imageFromPixmap(const SniPixmap &pixmap);

inline const QString watcherService = QStringLiteral("org.kde.StatusNotifierWatcher");
inline const QString watcherPath = QStringLiteral("/StatusNotifierWatcher");
inline const QString itemInterface = QStringLiteral("org.kde.StatusNotifierItem");
inline const QString itemPath = QStringLiteral("/StatusNotifierItem");
} // namespace Sni
