// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The translation tables and the other resource files the program installs.
#include "views/AppearanceController.h"
#include "views/LocalisationKeys.h"

#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
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

QTEST_GUILESS_MAIN(TestLocalisation)
#include "tst_Localisation.moc"
