// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ProcStatReader.h"

#include "SysInfoFile.h"

#include <array>
#include <charconv>

ProcStatReader::ProcStatReader(QString procRoot)
    : m_procRoot(std::move(procRoot))
{ }

std::optional<ProcCpuTimes> ProcStatReader::cpuTimes() const
{
    // The aggregate line is the first; 4 KiB holds it even on machines with thousands of CPUs.
    const auto data = SysInfoFile::read(m_procRoot + QStringLiteral("/stat"), 4096);
    if (!data)
        return std::nullopt;
    return parse(*data);
}

std::optional<ProcCpuTimes> ProcStatReader::parse(QByteArrayView stat)
{
    qsizetype lineStart = 0;
    while (lineStart < stat.size()) {
        qsizetype lineEnd = stat.indexOf('\n', lineStart);
        if (lineEnd < 0)
            lineEnd = stat.size();
        const QByteArrayView line = stat.sliced(lineStart, lineEnd - lineStart);
        lineStart = lineEnd + 1;
        if (!line.startsWith("cpu ") && !line.startsWith("cpu\t"))
            continue;

        std::array<quint64, 8> values {};
        int count = 0;
        const char *pos = line.data() + 3;
        const char *end = line.data() + line.size();
        while (count < int(values.size())) {
            while (pos < end && (*pos == ' ' || *pos == '\t'))
                ++pos;
            if (pos == end)
                break;
            const auto [next, error] = std::from_chars(pos, end, values[count]);
            if (error != std::errc() || (next < end && *next != ' ' && *next != '\t'))
                return std::nullopt;
            pos = next;
            ++count;
        }
        // user, nice, system and idle have been there since the first kernels.
        if (count < 4)
            return std::nullopt;
        return ProcCpuTimes { values[0], values[1], values[2], values[3], values[4], values[5], values[6], values[7] };
    }
    return std::nullopt;
}
