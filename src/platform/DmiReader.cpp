// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "DmiReader.h"

#include "SysInfoFile.h"

#include <QDir>

DmiReader::DmiReader(const QString &sysRoot)
    : m_dir(sysRoot + QStringLiteral("/class/dmi/id"))
{ }

bool DmiReader::present() const
{
    return QDir(m_dir).exists();
}

std::optional<QString> DmiReader::field(const QString &name) const
{
    const auto raw = SysInfoFile::readTrimmed(m_dir + u'/' + name);
    if (!raw)
        return std::nullopt;
    const QString value = SysInfoFile::printable(*raw);
    if (value.isEmpty() || isPlaceholder(value))
        return std::nullopt;
    return value;
}

std::optional<int> DmiReader::chassisType() const
{
    const auto raw = SysInfoFile::readTrimmed(m_dir + QStringLiteral("/chassis_type"));
    if (!raw)
        return std::nullopt;
    bool ok = false;
    const int type = raw->toInt(&ok);
    if (!ok || type <= 0)
        return std::nullopt;
    return type;
}

bool DmiReader::isPlaceholder(const QString &value)
{
    static const QStringList fillers = {
        QStringLiteral("To Be Filled By O.E.M."),
        QStringLiteral("To be filled by O.E.M."),
        QStringLiteral("Default string"),
        QStringLiteral("Not Specified"),
        QStringLiteral("Not Applicable"),
        QStringLiteral("System Product Name"),
        QStringLiteral("System Version"),
        QStringLiteral("System Serial Number"),
        QStringLiteral("System manufacturer"),
        QStringLiteral("Type1ProductConfigId"),
        QStringLiteral("OEM"),
        QStringLiteral("O.E.M."),
        QStringLiteral("None"),
        QStringLiteral("N/A"),
        QStringLiteral("0123456789"),
        QStringLiteral("Chassis Serial Number"),
        QStringLiteral("Default String"),
        QStringLiteral("INVALID"),
        // The sample UUID of a reference BIOS, left in place by many cheap boards.
        QStringLiteral("03000200-0400-0500-0006-000700080009"),
    };
    for (const QString &filler : fillers) {
        if (value.compare(filler, Qt::CaseInsensitive) == 0)
            return true;
    }
    // Blank serials and UUIDs come as runs of one character: 00000000-0000-..., FFFF..., "0".
    QString compact = value;
    compact.remove(u'-');
    compact.remove(u' ');
    if (compact.isEmpty())
        return true;
    const QChar first = compact.front().toUpper();
    if ((first == u'0' || first == u'F' || first == u'X') && compact.toUpper().count(first) == compact.size())
        return true;
    return false;
}
