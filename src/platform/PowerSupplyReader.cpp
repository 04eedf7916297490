// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "PowerSupplyReader.h"

#include "SysInfoFile.h"

#include <QDir>

namespace {

// sysfs attributes are at most one page; anything longer is not an attribute we understand.
constexpr qint64 kMaxAttributeSize = 4096;

std::optional<QString> readAttribute(const QString &path)
{
    const std::optional<QByteArray> bytes = SysInfoFile::read(path, kMaxAttributeSize + 1);
    // A failed read (the driver answered -ENODATA, say) and an oversized one both count as
    // nothing read.
    if (!bytes || bytes->size() > kMaxAttributeSize) {
        return std::nullopt;
    }
    return QString::fromUtf8(*bytes).trimmed();
}

} // namespace

std::optional<QString> PowerSupply::text(const QString &attribute) const
{
    const auto it = attributes.constFind(attribute);
    if (it == attributes.constEnd() || it->isEmpty()) {
        return std::nullopt;
    }
    return *it;
}

std::optional<qint64> PowerSupply::integer(const QString &attribute) const
{
    const std::optional<QString> value = text(attribute);
    if (!value) {
        return std::nullopt;
    }
    bool ok = false;
    const qint64 number = value->toLongLong(&ok, 10);
    if (!ok) {
        return std::nullopt;
    }
    return number;
}

PowerSupplyReader::PowerSupplyReader(const QString &sysRoot)
    : m_classDir(sysRoot + QStringLiteral("/class/power_supply"))
{ }

QStringList PowerSupplyReader::supplyNames() const
{
    // Entries are symbolic links into /sys/devices; QDir follows them.
    return QDir(m_classDir).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
}

PowerSupply PowerSupplyReader::read(const QString &name, const QStringList &attributes) const
{
    PowerSupply supply;
    supply.name = name;
    const QString dir = m_classDir + QLatin1Char('/') + name + QLatin1Char('/');
    for (const QString &attribute : attributes) {
        if (std::optional<QString> value = readAttribute(dir + attribute)) {
            supply.attributes.insert(attribute, *value);
        }
    }
    return supply;
}
