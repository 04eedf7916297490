// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArrayView>
#include <QString>
#include <QtGlobal>
#include <optional>

// The /proc/meminfo fields the memory figures use, in bytes. A field the kernel does not
// print is absent: MemAvailable arrived in 3.14, Zswapped in 5.19.
struct MemInfo
{
    std::optional<quint64> memTotal;
    std::optional<quint64> memFree;
    std::optional<quint64> memAvailable;
    std::optional<quint64> buffers;
    std::optional<quint64> cached;
    std::optional<quint64> active;
    std::optional<quint64> inactive;
    std::optional<quint64> unevictable;
    std::optional<quint64> zswapped;
};

class MemInfoReader
{
public:
    explicit MemInfoReader(QString procRoot = QStringLiteral("/proc"));

    // Nothing when the file cannot be read at all.
    std::optional<MemInfo> read() const;

    static MemInfo parse(QByteArrayView meminfo);

private:
    QString m_procRoot;
};
