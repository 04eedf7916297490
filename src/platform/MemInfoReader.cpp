// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "MemInfoReader.h"

#include "SysInfoFile.h"

#include <charconv>
#include <limits>

MemInfoReader::MemInfoReader(QString procRoot)
    : m_procRoot(std::move(procRoot))
{ }

std::optional<MemInfo> MemInfoReader::read() const
{
    const auto data = SysInfoFile::read(m_procRoot + QStringLiteral("/meminfo"), 16 * 1024);
    if (!data)
        return std::nullopt;
    return parse(*data);
}

MemInfo MemInfoReader::parse(QByteArrayView meminfo)
{
    MemInfo info;
    struct Field
    {
        QByteArrayView name;
        std::optional<quint64> MemInfo::*member;
    };
    static constexpr Field fields[] = {
        { "MemTotal", &MemInfo::memTotal },
        { "MemFree", &MemInfo::memFree },
        { "MemAvailable", &MemInfo::memAvailable },
        { "Buffers", &MemInfo::buffers },
        { "Cached", &MemInfo::cached },
        { "Active", &MemInfo::active },
        { "Inactive", &MemInfo::inactive },
        { "Unevictable", &MemInfo::unevictable },
        { "Zswapped", &MemInfo::zswapped },
    };

    qsizetype lineStart = 0;
    while (lineStart < meminfo.size()) {
        qsizetype lineEnd = meminfo.indexOf('\n', lineStart);
        if (lineEnd < 0)
            lineEnd = meminfo.size();
        const QByteArrayView line = meminfo.sliced(lineStart, lineEnd - lineStart);
        lineStart = lineEnd + 1;

        const qsizetype colon = line.indexOf(':');
        if (colon <= 0)
            continue;
        const QByteArrayView name = line.first(colon);
        for (const Field &field : fields) {
            if (name != field.name)
                continue;
            const QByteArrayView rest = line.sliced(colon + 1).trimmed();
            quint64 value = 0;
            const auto [next, error] = std::from_chars(rest.data(), rest.data() + rest.size(), value);
            if (error != std::errc() || next == rest.data())
                break;
            const QByteArrayView unit = QByteArrayView(next, rest.data() + rest.size()).trimmed();
            // Every size line is in kibibytes; a bare number would be a page or object count.
            if (unit != "kB")
                break;
            if (value > std::numeric_limits<quint64>::max() / 1024)
                break;
            info.*(field.member) = value * 1024;
            break;
        }
    }
    return info;
}
