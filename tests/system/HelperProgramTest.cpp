// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "system/HelperProgram.h"

#include "TavloConfig.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// An installed tavlo finds its helpers in ../libexec/tavlo beside itself, wherever the prefix is.
class HelperProgramTest : public QObject
{
    Q_OBJECT

private slots:
    void testInstalledHelper()
    {
        QTemporaryDir prefix;
        QVERIFY(prefix.isValid());
        const QString bin = prefix.filePath(QStringLiteral("bin"));
        const QString helpers = QDir::cleanPath(bin + u'/' + QStringLiteral(TAVLO_LIBEXEC_FROM_BINDIR));
        QVERIFY(QDir().mkpath(bin) && QDir().mkpath(helpers));
        QFile helper(helpers + QStringLiteral("/system_profiler"));
        QVERIFY(helper.open(QIODevice::WriteOnly));
        helper.close();
        const QString configured = QStringLiteral(TAVLO_LIBEXEC_INSTALL_DIR "/system_profiler");

        // A file that cannot run is not taken for the helper.
        QCOMPARE(installedHelperProgramPath(QStringLiteral("system_profiler"), bin), configured);
        QVERIFY(helper.setPermissions(helper.permissions() | QFileDevice::ExeOwner));
        QCOMPARE(installedHelperProgramPath(QStringLiteral("system_profiler"), bin), helper.fileName());
        QCOMPARE(installedHelperProgramPath(QStringLiteral("system_profiler"), QString()), configured);
    }
};

QTEST_GUILESS_MAIN(HelperProgramTest)
#include "HelperProgramTest.moc"
