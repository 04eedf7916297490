// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The Settings, About and Feedback windows and the launch-at-login switch, offscreen; the
// translation tables they are labelled from.
#include "platform/UrlSchemeHandlers.h"
#include "preferences/PreferenceManager.h"
#include "views/AppearanceController.h"
#include "views/AuxiliaryWindow.h"
#include "views/CustomWindow.h"
#include "views/FunctionView.h"
#include "views/LaunchAtLoginToggle.h"
#include "views/LocalisationKeys.h"
#include "views/SettingView.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDirIterator>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLayout>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QTranslator>
#include <QXmlStreamReader>

Q_DECLARE_METATYPE(CustomWindow::Kind)

namespace {

QSet<QString> catalogue()
{
    QSet<QString> keys;
    for (const auto key : LocalisationKeys::all)
        keys.insert(QString::fromUtf8(key.data(), qsizetype(key.size())));
    return keys;
}

// Every id the code looks up literally: qtTrId("...").
QSet<QString> codeKeys()
{
    QSet<QString> keys;
    static const QRegularExpression call(QStringLiteral("qtTrId\\(\\s*\"((?:[^\"\\\\]|\\\\.)*)\""));
    QDirIterator it(
        QStringLiteral(TAVLO_SOURCE_DIR "/src"), { "*.cpp", "*.h" }, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile file(it.next());
        if (file.open(QIODevice::ReadOnly))
            for (const auto &match : call.globalMatch(QString::fromUtf8(file.readAll())))
                keys.insert(match.captured(1));
    }
    return keys;
}

} // namespace

class TestAuxiliaryWindows : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_config;
    PreferenceManager *m_preferences = nullptr;

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

    // One window a host; every control has a name and is reached with Tab; Escape closes
    // About and Feedback but not Settings.
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
        QFETCH(bool, closesOnEscape);
        CustomWindow host(m_preferences);
        QPointer<AuxiliaryWindow> window = host.window(kind);
        QCOMPARE(host.window(kind), window.data());
        QVERIFY(window->isVisible());
        QTEST(window->windowTitle(), "title");
        for (QWidget *control : window->findChildren<QWidget *>()) {
            if (qobject_cast<QComboBox *>(control) || qobject_cast<QAbstractButton *>(control)) {
                QVERIFY2(!control->accessibleName().isEmpty(), qPrintable(control->metaObject()->className()));
                QVERIFY(control->focusPolicy() & Qt::TabFocus);
            }
        }
        QTest::keyClick(window, Qt::Key_Escape);
        QTRY_COMPARE(window.isNull(), closesOnEscape);
        delete window;
    }

    // Each control writes its key at once; a value written elsewhere shows at once, and one no
    // option carries selects nothing.
    void testSettingsWriteThrough_data()
    {
        QTest::addColumn<int>("control"); // 0-2 pickers, 3-5 toggles
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("property");
        QTest::addColumn<QJsonValue>("value");
        int control = 0;
        const auto row = [&control](const char *key, const char *property, const QJsonValue &value) {
            QTest::newRow(key) << control++ << QString::fromLatin1(key) << QString::fromLatin1(property) << value;
        };
        row("set_app_language", "setApplanguage", QJsonValue("ms"));
        row("set_theme_mode", "setAppThemeMode", QJsonValue("SystemMode"));
        row("set_bg_style", "setAppBgStyle", QJsonValue("CartoonStyle"));
        row("set_show_ip", "setShowIPAddress", QJsonValue(true));
        row("set_show_uuid", "setShowUUID", QJsonValue(true));
        row("set_show_serialNumber", "setSerialNumber", QJsonValue(true));
    }

    void testSettingsWriteThrough()
    {
        QFETCH(int, control);
        QFETCH(QString, key);
        QFETCH(QString, property);
        QFETCH(QJsonValue, value);
        QTemporaryDir autostart;
        LaunchAtLogin launchAtLogin(AutostartEntry(LaunchAtLogin::helperIdentifier(), autostart.path(), {}));
        SettingView view(m_preferences, &launchAtLogin);
        QComboBox *const pickers[] { view.languagePicker(), view.appearancePicker(), view.backgroundPicker() };
        QCheckBox *const toggles[] { view.showIPToggle(), view.showUUIDToggle(), view.showSerialToggle() };
        if (control < 3) {
            const int index = pickers[control]->findData(value.toString());
            pickers[control]->setCurrentIndex(index);
            emit pickers[control]->activated(index);
        } else {
            toggles[control - 3]->click();
        }
        QFile file(m_preferences->filePath());
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(QJsonDocument::fromJson(file.readAll()).object().value(key), value);
        m_preferences->setProperty(qPrintable(property), control < 3 ? QVariant("zh-Hans") : QVariant(false));
        if (control < 3)
            QTRY_COMPARE(pickers[control]->currentIndex(), -1);
        else
            QTRY_VERIFY(!toggles[control - 3]->isChecked());
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

    void testSchemeHandlers_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<bool>("handled");
        QTest::newRow("listed") << "[Desktop Entry]\nMimeType=text/plain;x-scheme-handler/appstream;\n" << true;
        QTest::newRow("hidden") << "[Desktop Entry]\nHidden=true\nMimeType=x-scheme-handler/appstream;\n" << false;
        QTest::newRow("other group")
            << "[Desktop Entry]\nName=x\n[Desktop Action a]\nMimeType=x-scheme-handler/appstream\n"
            << false;
        QTest::newRow("another scheme") << "[Desktop Entry]\nMimeType=x-scheme-handler/appstreamx;\n" << false;
    }

    void testSchemeHandlers()
    {
        QFETCH(QString, entry);
        QTemporaryDir applications;
        QFile file(applications.filePath(QStringLiteral("store.desktop")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(entry.toUtf8());
        file.close();
        QTEST(UrlSchemeHandlers({ QStringLiteral("/nonexistent"), applications.path() }).hasHandler("appstream"),
            "handled");
    }

    // The switch writes the registration, shows a removal behind its back the next time it
    // shows, and a second switch on the same registration follows the first.
    void testLaunchAtLoginSwitch()
    {
        auto *launchAtLogin = new LaunchAtLogin(
            AutostartEntry(LaunchAtLogin::helperIdentifier(), m_config.filePath(QStringLiteral("launch")), {}),
            QStringLiteral("/bin/sh"), this);
        std::unique_ptr<LaunchAtLogin::Toggle> toggle(LaunchAtLogin::Toggle::withDefaultLabel(launchAtLogin));
        toggle->show();
        QVERIFY(!toggle->button()->isChecked());
        toggle->button()->click();
        QVERIFY(launchAtLogin->isEnabled());
        QVERIFY(toggle->button()->isChecked());
        QVERIFY(QFile::remove(m_config.filePath(QStringLiteral("launch"))
            + QStringLiteral("/autostart/org.tavlo.Tavlo-LaunchAtLoginHelper.desktop")));
        toggle->hide();
        toggle->show();
        QVERIFY(!toggle->button()->isChecked());
        std::unique_ptr<LaunchAtLogin::Toggle> other(LaunchAtLogin::Toggle::withDefaultLabel(launchAtLogin));
        toggle->button()->click();
        QVERIFY(other->button()->isChecked());
    }

    void testCodeUsesOnlyCataloguedKeys()
    {
        const QSet<QString> uncatalogued = codeKeys() - catalogue();
        QVERIFY2(uncatalogued.isEmpty(), qPrintable(QStringList(uncatalogued.values()).join(u' ')));
    }

    // Each table translates every key the code uses or the catalogue lists, once, finished and
    // not empty, and nothing else.
    void testTableMatchesKeys_data()
    {
        QTest::addColumn<QString>("language");
        for (const char *language : { "en", "zh_CN", "zh_TW", "ja", "ms", "de" })
            QTest::newRow(language) << language;
    }

    void testTableMatchesKeys()
    {
        QFETCH(QString, language);
        QFile file(QStringLiteral(TAVLO_SOURCE_DIR "/resources/translations/tavlo_%1.ts").arg(language));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QStringList problems;
        QSet<QString> present;
        QXmlStreamReader xml(&file);
        QString id;
        while (!xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement)
                continue;
            if (xml.name() == QLatin1String("message")) {
                id = xml.attributes().value(QLatin1String("id")).toString();
            } else if (xml.name() == QLatin1String("translation")) {
                if (!xml.attributes().value(QLatin1String("type")).isEmpty()
                    || xml.readElementText().trimmed().isEmpty() || present.contains(id))
                    problems << id;
                present.insert(id);
            }
        }
        QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
        const QSet<QString> expected = catalogue() | codeKeys();
        QVERIFY2(problems.isEmpty(), qPrintable(QStringLiteral("unfinished, empty or twice: ") + problems.join(u' ')));
        QVERIFY2(present == expected,
            qPrintable(QStringLiteral("missing: %1; unused: %2")
                           .arg(QStringList((expected - present).values()).join(u' '),
                               QStringList((present - expected).values()).join(u' '))));
    }

    // A stored language picks its table and script; anything not offered is English.
    void testLanguageResolution_data()
    {
        QTest::addColumn<QString>("identifier");
        QTest::addColumn<QString>("table");
        QTest::addColumn<int>("script");
        QTest::addColumn<QString>("settings");
        const auto row = [](const char *identifier, const char *table, QLocale::Script script, const char *settings) {
            QTest::newRow(*identifier ? identifier : "empty")
                << QString::fromUtf8(identifier) << table << int(script) << QString::fromUtf8(settings);
        };
        // zh-Hans is the Chinese system default, zh_CN the Settings option.
        row("zh-Hans", "zh_CN", QLocale::SimplifiedHanScript, "设置");
        row("zh_CN", "zh_CN", QLocale::SimplifiedHanScript, "设置");
        row("zh-Hant_CN", "zh_TW", QLocale::TraditionalHanScript, "設定");
        row("ja", "ja", QLocale::JapaneseScript, "設定");
        row("ms", "ms", QLocale::LatinScript, "Tetapan");
        row("de", "de", QLocale::LatinScript, "Einstellungen");
        // Anything not offered falls back to English; case matters.
        for (const char *other : { "fr", "", "de_DE", "DE" })
            row(other, "en", QLocale::LatinScript, "Settings");
    }

    void testLanguageResolution()
    {
        QFETCH(QString, identifier);
        QFETCH(QString, table);
        QCOMPARE(AppearanceController::translationTable(identifier), table);
        QTEST(int(AppearanceController::locale(identifier).script()), "script");
        QTranslator translator;
        QVERIFY(translator.load(QStringLiteral(":/i18n/tavlo_%1.qm").arg(table)));
        QVERIFY(QCoreApplication::installTranslator(&translator));
        QTEST(qtTrId("Setting_Btn_Title"), "settings");
        QCoreApplication::removeTranslator(&translator);
    }
};

QTEST_MAIN(TestAuxiliaryWindows)
#include "tst_AuxiliaryWindows.moc"
