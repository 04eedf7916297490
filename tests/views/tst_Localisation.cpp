// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The translation tables and the other resource files the program installs.
#include "views/AppearanceController.h"
#include "views/LocalisationKeys.h"

#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QStandardPaths>
#include <QTest>
#include <QTranslator>
#include <QXmlStreamReader>

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

class TestLocalisation : public QObject
{
    Q_OBJECT

private slots:
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
        const int latin = QLocale::LatinScript;
        QTest::newRow("zh-Hans (Chinese system default)") << "zh-Hans"
                                                          << "zh_CN" << int(QLocale::SimplifiedHanScript) << "设置";
        QTest::newRow("zh_CN (the Settings option)") << "zh_CN"
                                                     << "zh_CN" << int(QLocale::SimplifiedHanScript) << "设置";
        QTest::newRow("zh-Hant_CN") << "zh-Hant_CN"
                                    << "zh_TW" << int(QLocale::TraditionalHanScript) << "設定";
        QTest::newRow("ja") << "ja"
                            << "ja" << int(QLocale::JapaneseScript) << "設定";
        QTest::newRow("ms") << "ms"
                            << "ms" << latin << "Tetapan";
        QTest::newRow("de") << "de"
                            << "de" << latin << "Einstellungen";
        QTest::newRow("fr falls back") << "fr"
                                       << "en" << latin << "Settings";
        QTest::newRow("empty falls back") << ""
                                          << "en" << latin << "Settings";
        QTest::newRow("de_DE is not an option") << "de_DE"
                                                << "en" << latin << "Settings";
        QTest::newRow("case matters") << "DE"
                                      << "en" << latin << "Settings";
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

    // The installed desktop entry and AppStream metadata pass the freedesktop validators.
    void testValidates_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("desktop entry") << "desktop-file-validate"
                                       << QStringList { TAVLO_SOURCE_DIR "/resources/org.tavlo.Tavlo.desktop" };
        QTest::newRow("AppStream metadata")
            << "appstreamcli"
            << QStringList { "validate", "--no-net", TAVLO_SOURCE_DIR "/resources/org.tavlo.Tavlo.metainfo.xml" };
    }

    void testValidates()
    {
        QFETCH(QString, program);
        QFETCH(QStringList, arguments);
        if (QStandardPaths::findExecutable(program).isEmpty()) {
            QSKIP("validator not installed");
        }
        QProcess validator;
        validator.start(program, arguments);
        QVERIFY(validator.waitForFinished(30000));
        const QByteArray output = validator.readAllStandardOutput() + validator.readAllStandardError();
        QVERIFY2(validator.exitStatus() == QProcess::NormalExit && validator.exitCode() == 0, output.constData());
    }
};

QTEST_GUILESS_MAIN(TestLocalisation)
#include "tst_Localisation.moc"
