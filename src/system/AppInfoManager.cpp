// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "AppInfoManager.h"

#include "TavloConfig.h"
#include "platform/DeviceTreeReader.h"
#include "platform/DmiReader.h"
#include "platform/HostNameSource.h"
#include "platform/HostnamedClient.h"
#include "platform/OsReleaseReader.h"

AppInfoManager &AppInfoManager::shared()
{
    static AppInfoManager instance { Sources {} };
    return instance;
}

AppInfoManager::AppInfoManager(Sources sources)
    : m_sources(std::move(sources))
{ }

QString AppInfoManager::appVersion() const
{
    const QString version = QStringLiteral(TAVLO_VERSION);
    return version.isEmpty() ? QStringLiteral("Unkown App Version") : version;
}

QString AppInfoManager::appName() const
{
    const QString name = QStringLiteral(TAVLO_DISPLAY_NAME);
    return name.isEmpty() ? QStringLiteral("Unkown App Name") : name;
}

std::optional<QString> AppInfoManager::chassis() const
{
    const auto dmiType = DmiReader(m_sources.sysRoot).chassisType();
    if (m_sources.useHostnamed) {
        const HostnamedClient hostnamed(QDBusConnection::systemBus(), m_sources.hostnamedTimeoutMs);
        if (auto kind = hostnamed.property(QStringLiteral("Chassis"))) {
            // hostnamed folds all-in-ones and mini PCs into "desktop"; the firmware is finer.
            const int type = dmiType.value_or(0);
            if (*kind == QLatin1String("desktop") && (type == 13 || type == 35))
                return QString::number(*dmiType);
            return kind;
        }
    }
    if (dmiType)
        return QString::number(*dmiType);
    return DeviceTreeReader(m_sources.procRoot).chassisType();
}

AppInfoManager::Identity AppInfoManager::identity() const
{
    std::optional<HostnamedClient> hostnamed;
    if (m_sources.useHostnamed)
        hostnamed.emplace(QDBusConnection::systemBus(), m_sources.hostnamedTimeoutMs);
    const HostNameSource names(hostnamed ? &*hostnamed : nullptr, m_sources.etcRoot, m_sources.procRoot);
    const QString name = names.localizedName().value_or(QStringLiteral("unkown name"));
    return { name, deviceImageNameFor(name, chassis()) };
}

QString AppInfoManager::deviceImageName() const
{
    return identity().deviceImageName;
}

QString AppInfoManager::deviceImageNameFor(const QString &computerName, const std::optional<QString> &chassis)
{
    if (computerName.contains(QLatin1String("iMac")))
        return QStringLiteral("iMac");
    if (computerName.contains(QLatin1String("Mac Book")))
        return QStringLiteral("MacBookPro");
    if (computerName.contains(QLatin1String("Mac mini")))
        return QStringLiteral("macmini");
    if (computerName.contains(QLatin1String("Mac Pro")))
        return QStringLiteral("macpro");
    if (!chassis)
        return QStringLiteral("MacBookPro");

    const QString kind = chassis->toLower();
    // SMBIOS chassis types: 3-7 desktops and towers, 8-10 and 14 portables, 13 all in one,
    // 15-16 space-saving and lunch box, 17 and 23 servers, 30-32 tablets and convertibles,
    // 35 mini PC.
    static const QHash<QString, QString> byKind = {
        { QStringLiteral("laptop"), QStringLiteral("MacBookPro") },
        { QStringLiteral("notebook"), QStringLiteral("MacBookPro") },
        { QStringLiteral("convertible"), QStringLiteral("MacBookPro") },
        { QStringLiteral("tablet"), QStringLiteral("MacBookPro") },
        { QStringLiteral("desktop"), QStringLiteral("macpro") },
        { QStringLiteral("server"), QStringLiteral("macpro") },
        { QStringLiteral("3"), QStringLiteral("macpro") },
        { QStringLiteral("4"), QStringLiteral("macpro") },
        { QStringLiteral("5"), QStringLiteral("macpro") },
        { QStringLiteral("6"), QStringLiteral("macpro") },
        { QStringLiteral("7"), QStringLiteral("macpro") },
        { QStringLiteral("8"), QStringLiteral("MacBookPro") },
        { QStringLiteral("9"), QStringLiteral("MacBookPro") },
        { QStringLiteral("10"), QStringLiteral("MacBookPro") },
        { QStringLiteral("13"), QStringLiteral("iMac") },
        { QStringLiteral("14"), QStringLiteral("MacBookPro") },
        { QStringLiteral("15"), QStringLiteral("macpro") },
        { QStringLiteral("16"), QStringLiteral("macpro") },
        { QStringLiteral("17"), QStringLiteral("macpro") },
        { QStringLiteral("23"), QStringLiteral("macpro") },
        { QStringLiteral("30"), QStringLiteral("MacBookPro") },
        { QStringLiteral("31"), QStringLiteral("MacBookPro") },
        { QStringLiteral("32"), QStringLiteral("MacBookPro") },
        { QStringLiteral("35"), QStringLiteral("macmini") },
    };
    return byKind.value(kind, QStringLiteral("MacBookPro"));
}

QString AppInfoManager::systemVersion() const
{
    return OsReleaseReader(m_sources.etcRoot, m_sources.usrLibRoot).version().value_or(QStringLiteral("unkown"));
}

QString AppInfoManager::systemName() const
{
    return OsReleaseReader(m_sources.etcRoot, m_sources.usrLibRoot).name().value_or(QStringLiteral("unkown"));
}
