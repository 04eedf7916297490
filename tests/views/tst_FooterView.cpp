// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/FooterView.h"

#include <QApplication>
#include <QTest>

namespace {
// The hardware report's first lines as our report program prints them.
const QString kReport = QStringLiteral("Hardware:\n\n    Hardware Overview:\n\n      Model Name: ThinkPad X1\n"
                                       "      Model Identifier: 20QD\n      Processor Name: Intel Core i7\n"
                                       "      Processor Speed: 1.80 GHz\n      Number of Processors: 1\n");
} // namespace

class TestFooterView : public QObject
{
    Q_OBJECT

private slots:
    void testParsers_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("speed");
        QTest::addColumn<QString>("model");
        QTest::addColumn<QString>("processor");
        const QString unknown = QStringLiteral("unkown");
        QTest::newRow("whole report") << kReport << " 1.80 GHz"
                                      << " ThinkPad X1"
                                      << " Intel Core i7";
        QTest::newRow("no text") << QString() << unknown << unknown << unknown;
        QTest::newRow("six lines: names but no speed")
            << kReport.section(QLatin1Char('\n'), 0, 7) << unknown << " ThinkPad X1"
            << " Intel Core i7";
        QTest::newRow("five lines change nothing")
            << kReport.section(QLatin1Char('\n'), 0, 6) << unknown << unknown << unknown;
        QTest::newRow("a value with a colon is cut at it")
            << QString(kReport).replace("1.80 GHz", "Turbo: 4.6 GHz").replace("ThinkPad X1", "X1: Gen 7") << " Turbo"
            << " X1"
            << " Intel Core i7";
        QTest::newRow("lines without values") << QString(kReport).replace(" 1.80 GHz", "").replace(" ThinkPad X1", "")
                                              << unknown << unknown << " Intel Core i7";
    }

    void testParsers()
    {
        QFETCH(QString, text);
        QString model = QStringLiteral("unkown");
        QString processor = QStringLiteral("unkown");
        FooterView::parseModelAndProcessor(text, model, processor);
        QTEST(FooterView::parseProcessorSpeed(text), "speed");
        QTEST(model, "model");
        QTEST(processor, "processor");
    }

    void testCardFigures()
    {
        ResourceFigures figures;
        figures.memoryShare = 0.625;
        figures.memoryPercent = QStringLiteral("62.50%");
        figures.memoryFree = QStringLiteral("6.00GB");
        figures.memoryUsed = QStringLiteral("10.00GB");
        figures.memoryTotal = QStringLiteral("16.00GB");
        figures.disk = { QStringLiteral("400.00GB"), QStringLiteral("500.00GB"), 0.2, QStringLiteral("20.00%"),
            QStringLiteral("100.00GB") };
        // The ring faces' first rows show what is left, the legends used and free.
        const FlipCard::Figures memory = FooterView::memoryCardFigures(figures);
        QCOMPARE(QStringList({ memory.percent, memory.used, memory.free, memory.firstRow, memory.secondRow }),
            QStringList({ "62.50%", "10.00GB", "6.00GB", "6.00GB", "16.00GB" }));
        const FlipCard::Figures disk = FooterView::diskCardFigures(figures);
        QCOMPARE(QStringList({ disk.percent, disk.used, disk.free, disk.firstRow, disk.secondRow }),
            QStringList({ "20.00%", "100.00GB", "400.00GB", "400.00GB", "500.00GB" }));
        QCOMPARE(FlipCard::accessibleText("Memory", "Used", memory.percent), QStringLiteral("Memory Used 62.50%"));
    }

    void testCardTurnsByKey_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("turns");
        QTest::newRow("space") << int(Qt::Key_Space) << true;
        QTest::newRow("return") << int(Qt::Key_Return) << true;
        QTest::newRow("enter") << int(Qt::Key_Enter) << true;
        QTest::newRow("a letter") << int(Qt::Key_A) << false;
    }

    void testCardTurnsByKey()
    {
        QFETCH(int, key);
        QFETCH(bool, turns);
        FlipCard card({ "Memory_title", "Memory_used", "Memory_total", 5 });
        card.show();
        QVERIFY(!card.showsPieFace());
        QTest::keyClick(&card, Qt::Key(key));
        QCOMPARE(card.flip(), turns);
        // Half way through the turn the pie face comes round.
        QTRY_COMPARE(card.showsPieFace(), turns);
    }
};

QTEST_MAIN(TestFooterView)
#include "tst_FooterView.moc"
