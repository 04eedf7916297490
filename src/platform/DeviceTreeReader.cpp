// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "DeviceTreeReader.h"

#include "SysInfoFile.h"

#include <QDir>

DeviceTreeReader::DeviceTreeReader(const QString &procRoot)
    : m_dir(procRoot + QStringLiteral("/device-tree"))
{ }

bool DeviceTreeReader::present() const
{
    return QDir(m_dir).exists();
}

std::optional<QString> DeviceTreeReader::stringProperty(const QString &name) const
{
    const auto raw = SysInfoFile::read(m_dir + u'/' + name, 4096);
    if (!raw)
        return std::nullopt;
    // Only the first string of a list property.
    const qsizetype nul = raw->indexOf('\0');
    const QString value = SysInfoFile::printable(QString::fromUtf8(nul < 0 ? *raw : raw->left(nul)));
    if (value.isEmpty())
        return std::nullopt;
    return value;
}

std::optional<QString> DeviceTreeReader::model() const
{
    return stringProperty(QStringLiteral("model"));
}

QStringList DeviceTreeReader::compatible() const
{
    QStringList list;
    const auto raw = SysInfoFile::read(m_dir + QStringLiteral("/compatible"), 4096);
    if (!raw)
        return list;
    for (const QByteArray &piece : raw->split('\0')) {
        const QString value = SysInfoFile::printable(QString::fromUtf8(piece));
        if (!value.isEmpty())
            list.append(value);
    }
    return list;
}

std::optional<QString> DeviceTreeReader::serialNumber() const
{
    return stringProperty(QStringLiteral("serial-number"));
}

std::optional<QString> DeviceTreeReader::chassisType() const
{
    return stringProperty(QStringLiteral("chassis-type"));
}
