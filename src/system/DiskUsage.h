// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The root volume's capacity as the disk card shows it, in decimal gigabytes.
struct DiskUsage
{
    QString freeText;
    QString totalText;
    double usedRatio = 0; // used ÷ (used + free), as df computes its Use%
    QString percentText;
    QString usedText;
};

// Sizes as df reports them: free is what an ordinary user can still write, used excludes the
// blocks reserved for root. An unreadable volume gives 0MB everywhere and a ratio of 0.
DiskUsage diskUsage(const QString &path = QStringLiteral("/"));
DiskUsage diskUsageFromBytes(double usedBytes, double freeBytes, double totalBytes);
