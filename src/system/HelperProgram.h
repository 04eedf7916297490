// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Path of one of our private helper programs: in $TAVLO_LIBEXEC_DIR when set (the build tree
// and the tests run them in place), else in the libexec folder of the installation the running
// program belongs to.
QString helperProgramPath(const QString &name);

// The installed helper for a program that lives in programDir: looked up relative to that
// folder, so a prefix that was moved or copied elsewhere still finds its own helpers, and only
// failing that where the build was configured to install them.
QString installedHelperProgramPath(const QString &name, const QString &programDir);
