// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "system/AppInfoManager.h"

#include "FixtureFiles.h"
#include "platform/HostNameSource.h"

#include <QTemporaryDir>
#include <QTest>

namespace {
AppInfoManager::Sources fixture(const QString &machine)
{
    const QString root = QStringLiteral(TAVLO_TEST_DATA "/system/") + machine;
    return AppInfoManager::Sources { root + QStringLiteral("/proc"), root + QStringLiteral("/sys"),
        root + QStringLiteral("/etc"), root + QStringLiteral("/usr/lib"), false, 0 };
}
} // namespace

class AppInfoManagerTest : public QObject
{
    Q_OBJECT

private slots:
    void testImageByName_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("chassis"); // empty: unknown
        QTest::addColumn<QString>("image");
        QTest::newRow("MacBook Pro without the space") << "Ana's MacBook Pro"
                                                       << ""
                                                       << "MacBookPro";
        QTest::newRow("iMac before Mac mini") << "iMac and Mac mini"
                                              << ""
                                              << "iMac";
        QTest::newRow("Mac Book with a space") << "Old Mac Book"
                                               << "desktop"
                                               << "MacBookPro";
        QTest::newRow("name is case-sensitive") << "my imac"
                                                << ""
                                                << "MacBookPro";
        QTest::newRow("laptop chassis") << "x1carbon"
                                        << "laptop"
                                        << "MacBookPro";
        QTest::newRow("hostnamed desktop") << "forge"
                                           << "desktop"
                                           << "macpro";
        QTest::newRow("SMBIOS tower") << "forge"
                                      << "7"
                                      << "macpro";
        QTest::newRow("SMBIOS all in one") << "kitchen"
                                           << "13"
                                           << "iMac";
        QTest::newRow("SMBIOS mini PC") << "nuc"
                                        << "35"
                                        << "macmini";
    }
    void testImageByName()
    {
        QFETCH(QString, name);
        QFETCH(QString, chassis);
        QTEST(AppInfoManager::deviceImageNameFor(name, chassis.isEmpty() ? std::nullopt : std::optional(chassis)),
            "image");
    }

    void testMachines_data()
    {
        QTest::addColumn<QString>("machine");
        QTest::addColumn<QString>("systemName");
        QTest::addColumn<QString>("systemVersion");
        QTest::addColumn<QString>("image");
        QTest::addColumn<QString>("hostName");
        // Ubuntu's /etc/debian_version names the Debian release it is based on, not its own.
        QTest::newRow("laptop") << "laptop"
                                << "Ubuntu"
                                << "24.04"
                                << "MacBookPro"
                                << "Ana's ThinkPad";
        QTest::newRow("desktop") << "desktop-hybrid"
                                 << "Fedora Linux"
                                 << "40"
                                 << "macpro"
                                 << "forge";
        QTest::newRow("virtual machine") << "vm-nodmi"
                                         << "Debian GNU/Linux"
                                         << "12.11"
                                         << "MacBookPro"
                                         << "vm";
        QTest::newRow("arm board") << "arm-board"
                                   << "Debian GNU/Linux"
                                   << "12.5"
                                   << "MacBookPro"
                                   << "raspberrypi";
    }
    void testMachines()
    {
        QFETCH(QString, machine);
        const AppInfoManager info(fixture(machine));
        QTEST(info.systemName(), "systemName");
        QTEST(info.systemVersion(), "systemVersion");
        QTEST(info.deviceImageName(), "image");
        const auto sources = fixture(machine);
        QTEST(
            HostNameSource(nullptr, sources.etcRoot, sources.procRoot).localizedName().value_or(QString()), "hostName");
    }

    void testOsRelease_data()
    {
        QTest::addColumn<QByteArray>("osRelease");
        QTest::addColumn<QByteArray>("debianVersion");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("version");
        // Only the vendor's copy under /usr/lib, as on a system with nothing in /etc.
        QTest::newRow("vendor copy") << QByteArray("NAME=openSUSE Tumbleweed\nVERSION_ID=\"20240601\"\n")
                                     << QByteArray("usr/lib") << "openSUSE Tumbleweed"
                                     << "20240601";
        QTest::newRow("quoted with escapes")
            << QByteArray("NAME=\"My \\\"Quoted\\\" OS\"\nVERSION_ID='1.2'\n") << QByteArray() << "My \"Quoted\" OS"
            << "1.2";
        QTest::newRow("Debian point release") << QByteArray("NAME=\"Debian GNU/Linux\"\nID=debian\nVERSION_ID=\"12\"\n")
                                              << QByteArray("12.8\n") << "Debian GNU/Linux"
                                              << "12.8";
        QTest::newRow("point release of another major")
            << QByteArray("NAME=Debian\nID=debian\nVERSION_ID=12\n") << QByteArray("11.9\n") << "Debian"
            << "12";
        QTest::newRow("markup stays text")
            << QByteArray("NAME=\"<b>OS</b>\tX\"\nVERSION_ID=7\n") << QByteArray() << "<b>OS</b> X"
            << "7";
        QTest::newRow("empty file") << QByteArray("") << QByteArray() << "unkown"
                                    << "unkown";
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
        QTEST(info.systemName(), "name");
        QTEST(info.systemVersion(), "version");
    }

    void testThisMachine()
    {
        const AppInfoManager info(AppInfoManager::Sources {});
        QVERIFY(!info.systemName().isEmpty());
        QVERIFY(!info.systemVersion().isEmpty());
        QVERIFY(QStringList({ "iMac", "MacBookPro", "macmini", "macpro" }).contains(info.deviceImageName()));
    }
};

QTEST_GUILESS_MAIN(AppInfoManagerTest)
#include "AppInfoManagerTest.moc"
