// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "HelperProgram.h"

#include "TavloConfig.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

QString helperProgramPath(const QString &name)
{
    const QString dir = qEnvironmentVariable("TAVLO_LIBEXEC_DIR");
    if (!dir.isEmpty())
        return dir + u'/' + name;
    // applicationDirPath() follows /proc/self/exe, so a symlink to tavlo elsewhere in PATH
    // still leads back to the real installation.
    const QString programDir = QCoreApplication::instance() ? QCoreApplication::applicationDirPath() : QString();
    return installedHelperProgramPath(name, programDir);
}

QString installedHelperProgramPath(const QString &name, const QString &programDir)
{
    if (!programDir.isEmpty()) {
        QString beside = QDir::cleanPath(programDir + u'/' + QStringLiteral(TAVLO_LIBEXEC_FROM_BINDIR) + u'/' + name);
        const QFileInfo info(beside);
        if (info.isFile() && info.isExecutable())
            return beside;
    }
    return QStringLiteral(TAVLO_LIBEXEC_INSTALL_DIR) + u'/' + name;
}
