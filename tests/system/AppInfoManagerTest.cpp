// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "system/AppInfoManager.h"

#include "FixtureFiles.h"
#include "platform/HostNameSource.h"

#include <QTemporaryDir>
#include <QTest>

class AppInfoManagerTest : public QObject
{
    Q_OBJECT

private slots:
    void testImageByName_data()
    {
        QTest::addColumn<QStringList>("nameChassisImage"); // an empty chassis is unknown
        QTest::newRow("MacBook Pro without the space") << QStringList { "Ana's MacBook Pro", "", "MacBookPro" };
        QTest::newRow("iMac before Mac mini") << QStringList { "iMac and Mac mini", "", "iMac" };
        QTest::newRow("Mac Book with a space") << QStringList { "Old Mac Book", "desktop", "MacBookPro" };
        QTest::newRow("name is case-sensitive") << QStringList { "my imac", "", "MacBookPro" };
        QTest::newRow("laptop chassis") << QStringList { "x1carbon", "laptop", "MacBookPro" };
        QTest::newRow("hostnamed desktop") << QStringList { "forge", "desktop", "macpro" };
        QTest::newRow("SMBIOS tower") << QStringList { "forge", "7", "macpro" };
        QTest::newRow("SMBIOS all in one") << QStringList { "kitchen", "13", "iMac" };
        QTest::newRow("SMBIOS mini PC") << QStringList { "nuc", "35", "macmini" };
    }
    void testImageByName()
    {
        QFETCH(QStringList, nameChassisImage);
        const QString chassis = nameChassisImage[1];
        QCOMPARE(AppInfoManager::deviceImageNameFor(
                     nameChassisImage[0], chassis.isEmpty() ? std::nullopt : std::optional(chassis)),
            nameChassisImage[2]);
    }

    // Ubuntu's /etc/debian_version names the Debian release it is based on, not its own.
    void testMachines_data()
    {
        QTest::addColumn<QString>("machine");
        QTest::addColumn<QStringList>("expected"); // system name, version, image, host name
        QTest::newRow("laptop") << "laptop" << QStringList { "Ubuntu", "24.04", "MacBookPro", "Ana's ThinkPad" };
        QTest::newRow("desktop") << "desktop-hybrid" << QStringList { "Fedora Linux", "40", "macpro", "forge" };
        QTest::newRow("virtual machine") << "vm-nodmi"
                                         << QStringList { "Debian GNU/Linux", "12.11", "MacBookPro", "vm" };
        QTest::newRow("arm board") << "arm-board"
                                   << QStringList { "Debian GNU/Linux", "12.5", "MacBookPro", "raspberrypi" };
    }
    void testMachines()
    {
        QFETCH(QString, machine);
        const QString root = QStringLiteral(TAVLO_TEST_DATA "/system/") + machine;
        const AppInfoManager::Sources sources { root + QStringLiteral("/proc"), root + QStringLiteral("/sys"),
            root + QStringLiteral("/etc"), root + QStringLiteral("/usr/lib"), false, 0 };
        const AppInfoManager info(sources);
        const QStringList actual { info.systemName(), info.systemVersion(), info.deviceImageName(),
            HostNameSource(nullptr, sources.etcRoot, sources.procRoot).localizedName().value_or(QString()) };
        QTEST(actual, "expected");
    }

    void testOsRelease_data()
    {
        QTest::addColumn<QByteArray>("osRelease");
        QTest::addColumn<QByteArray>("debianVersion"); // "usr/lib": only the vendor's copy, nothing in /etc
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("vendor copy") << QByteArray("NAME=openSUSE Tumbleweed\nVERSION_ID=\"20240601\"\n")
                                     << QByteArray("usr/lib") << QStringList { "openSUSE Tumbleweed", "20240601" };
        QTest::newRow("quoted with escapes") << QByteArray("NAME=\"My \\\"Quoted\\\" OS\"\nVERSION_ID='1.2'\n")
                                             << QByteArray() << QStringList { "My \"Quoted\" OS", "1.2" };
        QTest::newRow("Debian point release") << QByteArray("NAME=\"Debian GNU/Linux\"\nID=debian\nVERSION_ID=\"12\"\n")
                                              << QByteArray("12.8\n") << QStringList { "Debian GNU/Linux", "12.8" };
        QTest::newRow("point release of another major") << QByteArray("NAME=Debian\nID=debian\nVERSION_ID=12\n")
                                                        << QByteArray("11.9\n") << QStringList { "Debian", "12" };
        QTest::newRow("markup stays text") << QByteArray("NAME=\"<b>OS</b>\tX\"\nVERSION_ID=7\n") << QByteArray()
                                           << QStringList { "<b>OS</b> X", "7" };
        QTest::newRow("empty file") << QByteArray("") << QByteArray() << QStringList { "unkown", "unkown" };
    }
    void testOsRelease()
    {
        QFETCH(QByteArray, osRelease);
        QFETCH(QByteArray, debianVersion);
        QTemporaryDir dir;
        const bool vendorOnly = debianVersion == "usr/lib";
        QVERIFY(FixtureFiles::write(dir.filePath(vendorOnly ? "usr/lib/os-release" : "etc/os-release"), osRelease));
        if (!debianVersion.isEmpty() && !vendorOnly)
            QVERIFY(FixtureFiles::write(dir.filePath(QStringLiteral("etc/debian_version")), debianVersion));
        const AppInfoManager info({ dir.path(), dir.path(), dir.filePath(QStringLiteral("etc")),
            dir.filePath(QStringLiteral("usr/lib")), false, 0 });
        QTEST((QStringList { info.systemName(), info.systemVersion() }), "expected");
    }
};

QTEST_GUILESS_MAIN(AppInfoManagerTest)
#include "AppInfoManagerTest.moc"
