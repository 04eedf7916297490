// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "HostNameSource.h"

#include "HostnamedClient.h"
#include "OsReleaseReader.h"
#include "SysInfoFile.h"

HostNameSource::HostNameSource(const HostnamedClient *hostnamed, QString etcRoot, QString procRoot)
    : m_hostnamed(hostnamed)
    , m_etcRoot(std::move(etcRoot))
    , m_procRoot(std::move(procRoot))
{ }

std::optional<QString> HostNameSource::localizedName() const
{
    if (m_hostnamed) {
        if (auto pretty = m_hostnamed->property(QStringLiteral("PrettyHostname")))
            return pretty;
    }
    // machine-info uses the same assignment syntax as os-release.
    if (const auto info = SysInfoFile::read(m_etcRoot + QStringLiteral("/machine-info"), 64 * 1024)) {
        const QString pretty = OsReleaseReader::parse(*info).value(QStringLiteral("PRETTY_HOSTNAME"));
        if (!pretty.isEmpty())
            return pretty;
    }
    // What gethostname() returns for this UTS namespace.
    if (auto kernel = SysInfoFile::readTrimmed(m_procRoot + QStringLiteral("/sys/kernel/hostname"))) {
        const QString name = SysInfoFile::printable(*kernel);
        if (!name.isEmpty() && name != QLatin1String("(none)"))
            return name;
    }
    return std::nullopt;
}
