// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Path of one of our private helper programs: in $TAVLO_LIBEXEC_DIR when set (the build tree
// and the tests run them in place), else where the installation put them.
QString helperProgramPath(const QString &name);
