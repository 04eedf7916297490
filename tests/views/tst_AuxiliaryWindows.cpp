// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The footer's buttons and the Settings, About and Feedback windows, offscreen.
#include "platform/UrlSchemeHandlers.h"
#include "preferences/PreferenceManager.h"
#include "views/AboutView.h"
#include "views/AppearanceController.h"
#include "views/AuxiliaryWindow.h"
#include "views/CustomWindow.h"
#include "views/FeedbackView.h"
#include "views/FunctionView.h"
#include "views/LaunchAtLoginToggle.h"
#include "views/SettingView.h"
#include "views/WindowParts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QGuiApplication>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLayout>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

Q_DECLARE_METATYPE(CustomWindow::Kind)

class TestAuxiliaryWindows : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_config;
    PreferenceManager *m_preferences = nullptr;

    QJsonObject stored() const
    {
        QFile file(m_preferences->filePath());
        return file.open(QIODevice::ReadOnly) ? QJsonDocument::fromJson(file.readAll()).object() : QJsonObject();
    }

    std::unique_ptr<AuxiliaryWindow> open(CustomWindow::Kind kind)
    {
        return std::unique_ptr<AuxiliaryWindow>(CustomWindow(m_preferences).window(kind));
    }

private slots:
    void initTestCase()
    {
        m_preferences = new PreferenceManager(m_config.path(), QLocale(QLocale::English), this);
        AppearanceController::attach(m_preferences);
    }

    void testWindows_data()
    {
        QTest::addColumn<CustomWindow::Kind>("kind");
        QTest::addColumn<QString>("title");
        QTest::addColumn<bool>("closesOnEscape");
        QTest::newRow("About") << CustomWindow::Kind::About << "About" << true;
        QTest::newRow("Feedback") << CustomWindow::Kind::Feedback << "Feedback" << true;
        QTest::newRow("Settings") << CustomWindow::Kind::Setting << "Settings" << false;
    }

    void testWindows()
    {
        QFETCH(CustomWindow::Kind, kind);
        QFETCH(QString, title);
        QFETCH(bool, closesOnEscape);
        CustomWindow host(m_preferences);
        QPointer<AuxiliaryWindow> window = host.window(kind);
        QCOMPARE(host.window(kind), window.data());
        QVERIFY(window->isVisible());
        QCOMPARE(window->windowTitle(), title);
        QVERIFY(!window->windowIcon().isNull());
        // Fixed: never narrower or shorter than its content size, and not maximisable.
        QCOMPARE(window->minimumSize(), window->maximumSize());
        QCOMPARE(window->width(), CustomWindow::contentSize(kind).width());
        QVERIFY(window->height() >= CustomWindow::contentSize(kind).height());
        QVERIFY(!(window->windowFlags() & Qt::WindowMaximizeButtonHint));
        QVERIFY((window->geometry().center() - window->screen()->availableGeometry().center()).manhattanLength() <= 1);

        // Another host, another window; every control has a name and is reached with Tab.
        std::unique_ptr<AuxiliaryWindow> second = open(kind);
        QVERIFY(second.get() != window);
        for (QWidget *control : second->findChildren<QWidget *>()) {
            if (qobject_cast<QComboBox *>(control) || qobject_cast<QAbstractButton *>(control)) {
                QVERIFY2(!control->accessibleName().isEmpty(), qPrintable(control->metaObject()->className()));
                QVERIFY(control->focusPolicy() & Qt::TabFocus);
            }
        }

        QTest::keyClick(window, Qt::Key_Escape);
        QTRY_COMPARE(window.isNull(), closesOnEscape);
        delete window;
    }

    void testSettingsWriteThrough_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("property");
        QTest::addColumn<QJsonValue>("value");
        QTest::newRow("language") << "language"
                                  << "set_app_language"
                                  << "setApplanguage" << QJsonValue("ms");
        QTest::newRow("appearance") << "appearance"
                                    << "set_theme_mode"
                                    << "setAppThemeMode" << QJsonValue("SystemMode");
        QTest::newRow("background") << "background"
                                    << "set_bg_style"
                                    << "setAppBgStyle" << QJsonValue("CartoonStyle");
        QTest::newRow("show IP") << "ip"
                                 << "set_show_ip"
                                 << "setShowIPAddress" << QJsonValue(true);
        QTest::newRow("show UUID") << "uuid"
                                   << "set_show_uuid"
                                   << "setShowUUID" << QJsonValue(true);
        QTest::newRow("show serial") << "serial"
                                     << "set_show_serialNumber"
                                     << "setSerialNumber" << QJsonValue(true);
    }

    void testSettingsWriteThrough()
    {
        QFETCH(QString, control);
        QFETCH(QString, key);
        QFETCH(QString, property);
        QFETCH(QJsonValue, value);
        QTemporaryDir autostart;
        LaunchAtLogin launchAtLogin(AutostartEntry(LaunchAtLogin::helperIdentifier(), autostart.path(), {}));
        SettingView view(m_preferences, &launchAtLogin);
        const std::map<QString, QComboBox *> pickers { { "language", view.languagePicker() },
            { "appearance", view.appearancePicker() }, { "background", view.backgroundPicker() } };
        const std::map<QString, QCheckBox *> toggles { { "ip", view.showIPToggle() }, { "uuid", view.showUUIDToggle() },
            { "serial", view.showSerialToggle() } };
        if (pickers.count(control)) {
            QComboBox *picker = pickers.at(control);
            const int index = picker->findData(value.toString());
            picker->setCurrentIndex(index);
            emit picker->activated(index);
        } else {
            toggles.at(control)->click();
        }
        QCOMPARE(stored().value(key), value);
        // Both ways: a value written elsewhere shows at once; one that no option carries selects
        // nothing.
        const bool picker = pickers.count(control) > 0;
        m_preferences->setProperty(qPrintable(property), picker ? QVariant("zh-Hans") : QVariant(false));
        if (picker) {
            QTRY_COMPARE(pickers.at(control)->currentIndex(), -1);
        } else {
            QTRY_VERIFY(!toggles.at(control)->isChecked());
        }
        m_preferences->setSetApplanguage(QStringLiteral("en"));
        m_preferences->setSetAppThemeMode(QStringLiteral("LightMode"));
    }

    void testLanguageRelabelsEverything()
    {
        FunctionView footer;
        std::unique_ptr<AuxiliaryWindow> settings = open(CustomWindow::Kind::Setting);
        std::unique_ptr<AuxiliaryWindow> about = open(CustomWindow::Kind::About);
        auto *view = static_cast<SettingView *>(settings->content());
        m_preferences->setSetApplanguage(QStringLiteral("de"));
        QTRY_COMPARE(settings->windowTitle(), QStringLiteral("Einstellungen"));
        QCOMPARE(about->windowTitle(), QStringLiteral("Über"));
        QCOMPARE(footer.buttons().at(2)->text(), QStringLiteral("Einstellungen"));
        QCOMPARE(view->launchToggle()->button()->accessibleName(), QStringLiteral("Beim Anmelden starten"));
        QCOMPARE(view->languagePicker()->currentText(), QStringLiteral("Deutsch"));
        // Every note fits: the window is as tall as its content needs.
        QVERIFY(settings->height() >= settings->content()->layout()->totalSizeHint().height());
        m_preferences->setSetApplanguage(QStringLiteral("en"));
        QTRY_COMPARE(about->windowTitle(), QStringLiteral("About"));
    }

    // The caption shows only while the pointer is over the button, and moves nothing.
    void testCopyButtonCaption()
    {
        FeedbackView view(m_preferences);
        view.show();
        QToolButton *button = view.copyButton();
        const QPoint envelope = button->pos();
        QCOMPARE(button->toolButtonStyle(), Qt::ToolButtonIconOnly);
        QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
        QCoreApplication::sendEvent(button, &enter);
        QVERIFY(view.hovered());
        QCOMPARE(button->toolButtonStyle(), Qt::ToolButtonTextBesideIcon);
        QCOMPARE(button->pos(), envelope);
        QEvent leave(QEvent::Leave);
        QCoreApplication::sendEvent(button, &leave);
        QCOMPARE(button->toolButtonStyle(), Qt::ToolButtonIconOnly);
    }

    void testSchemeHandlers_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<bool>("handled");
        QTest::newRow("listed") << "[Desktop Entry]\nMimeType=text/plain;x-scheme-handler/appstream;\n" << true;
        QTest::newRow("hidden") << "[Desktop Entry]\nHidden=true\nMimeType=x-scheme-handler/appstream;\n" << false;
        QTest::newRow("other group") << "[Desktop Entry]\nName=x\n[Desktop Action a]\nMimeType=x-scheme-handler/"
                                        "appstream\n"
                                     << false;
        QTest::newRow("another scheme") << "[Desktop Entry]\nMimeType=x-scheme-handler/appstreamx;\n" << false;
    }

    void testSchemeHandlers()
    {
        QFETCH(QString, entry);
        QFETCH(bool, handled);
        QTemporaryDir applications;
        QFile file(applications.filePath(QStringLiteral("store.desktop")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(entry.toUtf8());
        file.close();
        QCOMPARE(UrlSchemeHandlers({ QStringLiteral("/nonexistent"), applications.path() }).hasHandler("appstream"),
            handled);
    }
};

QTEST_MAIN(TestAuxiliaryWindows)
#include "tst_AuxiliaryWindows.moc"
