// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "HelperProgram.h"

#include "TavloConfig.h"

QString helperProgramPath(const QString &name)
{
    QString dir = qEnvironmentVariable("TAVLO_LIBEXEC_DIR");
    if (dir.isEmpty())
        dir = QStringLiteral(TAVLO_LIBEXEC_INSTALL_DIR);
    return dir + u'/' + name;
}
