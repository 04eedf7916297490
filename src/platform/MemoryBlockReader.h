// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QtGlobal>
#include <optional>

// Installed memory as the kernel's memory blocks count it (/sys/devices/system/memory), which
// unlike MemTotal includes what firmware and the kernel image keep for themselves.
class MemoryBlockReader
{
public:
    explicit MemoryBlockReader(const QString &sysRoot = QStringLiteral("/sys"));

    std::optional<quint64> onlineBytes() const;

private:
    QString m_dir;
};
