// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
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

const QStringList kTables { "en", "zh_CN", "zh_TW", "ja", "ms", "de" };

QSet<QString> catalogue()
{
    QSet<QString> keys;
    for (const auto key : LocalisationKeys::all) {
        keys.insert(QString::fromUtf8(key.data(), qsizetype(key.size())));
    }
    return keys;
}

// Every id the code looks up literally: qtTrId("...").
QSet<QString> keysUsedInCode()
{
    QSet<QString> keys;
    static const QRegularExpression call(QStringLiteral("qtTrId\\(\\s*\"((?:[^\"\\\\]|\\\\.)*)\""));
    QDirIterator it(
        QStringLiteral(TAVLO_SOURCE_DIR "/src"), { "*.cpp", "*.h" }, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile file(it.next());
        if (!file.open(QIODevice::ReadOnly)) {
            continue;
        }
        const QString text = QString::fromUtf8(file.readAll());
        for (const auto &match : call.globalMatch(text)) {
            keys.insert(match.captured(1));
        }
    }
    return keys;
}

struct Table
{
    QMap<QString, QString> translations;
    QStringList problems;
};

Table readTable(const QString &language)
{
    Table table;
    QFile file(QStringLiteral(TAVLO_SOURCE_DIR "/resources/translations/tavlo_%1.ts").arg(language));
    if (!file.open(QIODevice::ReadOnly)) {
        table.problems << QStringLiteral("cannot open %1").arg(file.fileName());
        return table;
    }
    QXmlStreamReader xml(&file);
    QString id;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement()) {
            continue;
        }
        if (xml.name() == QLatin1String("message")) {
            id = xml.attributes().value(QLatin1String("id")).toString();
            if (id.isEmpty()) {
                table.problems << QStringLiteral("a message without an id");
            }
        } else if (xml.name() == QLatin1String("translation")) {
            if (!xml.attributes().value(QLatin1String("type")).isEmpty()) {
                table.problems << QStringLiteral("%1 is not finished").arg(id);
            }
            const QString text = xml.readElementText();
            if (text.trimmed().isEmpty()) {
                table.problems << QStringLiteral("%1 has no text").arg(id);
            }
            if (table.translations.contains(id)) {
                table.problems << QStringLiteral("%1 is there twice").arg(id);
            }
            table.translations.insert(id, text);
        }
    }
    if (xml.hasError()) {
        table.problems << xml.errorString();
    }
    return table;
}

} // namespace

class TestLocalisation : public QObject
{
    Q_OBJECT

private slots:
    void testCodeUsesOnlyCataloguedKeys()
    {
        const QSet<QString> uncatalogued = keysUsedInCode() - catalogue();
        QVERIFY2(uncatalogued.isEmpty(), qPrintable(QStringList(uncatalogued.values()).join(u' ')));
    }

    void testTableMatchesKeys_data()
    {
        QTest::addColumn<QString>("language");
        for (const QString &language : kTables) {
            QTest::newRow(qPrintable(language)) << language;
        }
    }

    void testTableMatchesKeys()
    {
        QFETCH(QString, language);
        const Table table = readTable(language);
        QVERIFY2(table.problems.isEmpty(), qPrintable(table.problems.join(u'\n')));
        const QSet<QString> expected = catalogue() | keysUsedInCode();
        const QSet<QString> present(table.translations.keyBegin(), table.translations.keyEnd());
        const QSet<QString> missing = expected - present;
        const QSet<QString> unused = present - expected;
        QVERIFY2(missing.isEmpty(), qPrintable(QStringLiteral("missing: ") + QStringList(missing.values()).join(u' ')));
        QVERIFY2(unused.isEmpty(), qPrintable(QStringLiteral("unused: ") + QStringList(unused.values()).join(u' ')));
    }

    void testCompiledTables_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QStringList>("texts"); // Setting_Btn_Title, Nonetwork
        QTest::newRow("en") << "en" << QStringList { "Settings", "No network connection" };
        QTest::newRow("zh_CN") << "zh_CN" << QStringList { "设置", "未连接到网络" };
        QTest::newRow("zh_TW") << "zh_TW" << QStringList { "設定", "未連線至網路" };
        QTest::newRow("ja") << "ja" << QStringList { "設定", "ネットワークに接続されていません" };
        QTest::newRow("ms") << "ms" << QStringList { "Tetapan", "Tiada sambungan rangkaian" };
        QTest::newRow("de") << "de" << QStringList { "Einstellungen", "Keine Netzwerkverbindung" };
    }

    void testCompiledTables()
    {
        QFETCH(QString, language);
        QTranslator translator;
        QVERIFY(translator.load(QStringLiteral(":/i18n/tavlo_%1.qm").arg(language)));
        QVERIFY(QCoreApplication::installTranslator(&translator));
        QTEST((QStringList { qtTrId("Setting_Btn_Title"), qtTrId("Nonetwork") }), "texts");
        QCoreApplication::removeTranslator(&translator);
    }

    void testLanguageResolution_data()
    {
        QTest::addColumn<QString>("identifier");
        QTest::addColumn<QString>("table");
        QTest::addColumn<int>("script");
        QTest::newRow("zh-Hans (Chinese system default)") << "zh-Hans"
                                                          << "zh_CN" << int(QLocale::SimplifiedHanScript);
        QTest::newRow("zh_CN (the Settings option)") << "zh_CN"
                                                     << "zh_CN" << int(QLocale::SimplifiedHanScript);
        QTest::newRow("zh-Hant_CN") << "zh-Hant_CN"
                                    << "zh_TW" << int(QLocale::TraditionalHanScript);
        QTest::newRow("de") << "de"
                            << "de" << int(QLocale::LatinScript);
        QTest::newRow("fr falls back") << "fr"
                                       << "en" << int(QLocale::LatinScript);
        QTest::newRow("empty falls back") << ""
                                          << "en" << int(QLocale::LatinScript);
        QTest::newRow("de_DE is not an option") << "de_DE"
                                                << "en" << int(QLocale::LatinScript);
        QTest::newRow("case matters") << "DE"
                                      << "en" << int(QLocale::LatinScript);
    }
    void testLanguageResolution()
    {
        QFETCH(QString, identifier);
        QFETCH(QString, table);
        QCOMPARE(AppearanceController::translationTable(identifier), table);
        QVERIFY(QFile::exists(QStringLiteral(":/i18n/tavlo_%1.qm").arg(table)));
        QTEST(int(AppearanceController::locale(identifier).script()), "script");
    }
};

QTEST_GUILESS_MAIN(TestLocalisation)
#include "tst_Localisation.moc"
