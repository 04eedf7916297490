// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "preferences/PreferenceManager.h"
#include "views/AppearanceController.h"
#include "views/LaunchAtLoginToggle.h"

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>

class TestLaunchAtLoginToggle : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;

    LaunchAtLogin *makeLaunchAtLogin()
    {
        return new LaunchAtLogin(
            AutostartEntry(LaunchAtLogin::helperIdentifier(), m_dir.path(), {}), QStringLiteral("/bin/sh"), this);
    }

private slots:
    void testLabels()
    {
        LaunchAtLogin *launchAtLogin = makeLaunchAtLogin();
        auto *custom = new QLabel(QStringLiteral("custom"));
        std::unique_ptr<QWidget> withLabel(LaunchAtLogin::Toggle::withLabel(custom, launchAtLogin));
        QCOMPARE(static_cast<LaunchAtLogin::Toggle *>(withLabel.get())->label(), custom);
        std::unique_ptr<LaunchAtLogin::Toggle> withText(
            LaunchAtLogin::Toggle::withText(QStringLiteral("Start me"), launchAtLogin));
        QCOMPARE(static_cast<QLabel *>(withText->label())->text(), QStringLiteral("Start me"));
        std::unique_ptr<LaunchAtLogin::Toggle> plain(LaunchAtLogin::Toggle::withDefaultLabel(launchAtLogin));
        QCOMPARE(static_cast<QLabel *>(plain->label())->text(), QStringLiteral("Launch at login"));

        QTemporaryDir config;
        PreferenceManager preferences(config.path(), QLocale(QLocale::English));
        AppearanceController controller(&preferences, nullptr);
        std::unique_ptr<LaunchAtLogin::Toggle> keyed(LaunchAtLogin::Toggle::withKey("Auto_launch", launchAtLogin));
        keyed->show();
        QCOMPARE(static_cast<QLabel *>(keyed->label())->text(), QStringLiteral("Launch at login"));
        preferences.setSetApplanguage(QStringLiteral("de"));
        QTRY_COMPARE(static_cast<QLabel *>(keyed->label())->text(), QStringLiteral("Beim Anmelden starten"));
        // The plain text is never localised.
        QCOMPARE(static_cast<QLabel *>(plain->label())->text(), QStringLiteral("Launch at login"));
    }

    void testShowsAndWritesRegistration()
    {
        LaunchAtLogin *launchAtLogin = makeLaunchAtLogin();
        std::unique_ptr<LaunchAtLogin::Toggle> toggle(LaunchAtLogin::Toggle::withDefaultLabel(launchAtLogin));
        toggle->show();
        QVERIFY(!toggle->button()->isChecked());
        toggle->button()->click();
        QVERIFY(launchAtLogin->isEnabled());
        QVERIFY(toggle->button()->isChecked());
        // Removed behind our back (the desktop's settings): shown as off the next time it shows.
        QVERIFY(QFile::remove(m_dir.path() + QStringLiteral("/autostart/org.tavlo.Tavlo-LaunchAtLoginHelper.desktop")));
        toggle->hide();
        toggle->show();
        QVERIFY(!toggle->button()->isChecked());
        // A second toggle on the same registration follows the first.
        std::unique_ptr<LaunchAtLogin::Toggle> other(LaunchAtLogin::Toggle::withDefaultLabel(launchAtLogin));
        toggle->button()->click();
        QVERIFY(other->button()->isChecked());
    }
};

QTEST_MAIN(TestLaunchAtLoginToggle)
#include "tst_LaunchAtLoginToggle.moc"
