// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

namespace FixtureFiles {
// Writes the file, making its folders first.
bool write(const QString &path, const QByteArray &bytes);
// The whole file, or an empty array when it cannot be read.
QByteArray read(const QString &path);
// Copies a tree of folders and plain files (a fixture's sysfs, say) into a writable place.
bool copyTree(const QString &from, const QString &to);
} // namespace FixtureFiles
