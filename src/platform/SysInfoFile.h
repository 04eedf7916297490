// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

// Small reads of procfs, sysfs and /etc files. Files under /proc and /sys report a size of 0,
// so they are read until end of file, never by their stated size; every read is capped so a
// hostile or runaway file cannot make us allocate without bound.
class SysInfoFile
{
public:
    static constexpr qsizetype defaultLimit = 256 * 1024;
    // The largest CPU count any kernel configuration allows (NR_CPUS is at most 8192).
    static constexpr int maxCpuCount = 8192;

    // The whole content, or nothing when the file is missing, unreadable (DMI serials and
    // UUIDs are mode 0400 for non-root users) or not a regular file. Never blocks.
    static std::optional<QByteArray> read(const QString &path, qsizetype limit = defaultLimit);

    // The content as UTF-8 text with surrounding white space and NUL padding removed;
    // nothing when unreadable or empty.
    static std::optional<QString> readTrimmed(const QString &path);

    // Entries of a directory (no "." and ".."), sorted by name; empty when absent.
    static QStringList entries(const QString &dir);

    // Parses a kernel CPU list such as "0-3,8,10-11" into the ids it names. Lists out of
    // order, overlapping or beyond the kernel's own maximum are refused rather than expanded.
    static std::optional<QList<int>> parseCpuList(QStringView text);

    // Removes control characters that would break a line-oriented report.
    static QString printable(QStringView text);
};
