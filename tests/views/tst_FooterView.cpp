// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/FlipEffect.h"
#include "views/FooterView.h"

#include <QApplication>
#include <QSignalSpy>
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

    // The ring faces' first rows show what is left, the legends used and free.
    void testCardFigures()
    {
        ResourceFigures figures;
        figures.memoryPercent = QStringLiteral("62.50%");
        figures.memoryFree = QStringLiteral("6.00GB");
        figures.memoryUsed = QStringLiteral("10.00GB");
        figures.memoryTotal = QStringLiteral("16.00GB");
        figures.disk = { QStringLiteral("400.00GB"), QStringLiteral("500.00GB"), 0.2, QStringLiteral("20.00%"),
            QStringLiteral("100.00GB") };
        QStringList shown;
        for (const FlipCard::Figures &card :
            { FooterView::memoryCardFigures(figures), FooterView::diskCardFigures(figures) })
            shown << card.percent << card.used << card.free << card.firstRow << card.secondRow;
        QCOMPARE(shown,
            QStringList({ "62.50%", "10.00GB", "6.00GB", "6.00GB", "16.00GB", "20.00%", "100.00GB", "400.00GB",
                "400.00GB", "500.00GB" }));
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

    void testTransform_data()
    {
        QTest::addColumn<double>("angle");
        QTest::addColumn<bool>("flipped");
        QTest::addColumn<double>("squeeze"); // horizontal scale about the centre line
        QTest::newRow("front at rest") << 0.0 << false << 1.0;
        QTest::newRow("back at rest, not mirrored") << 180.0 << true << 1.0;
        QTest::newRow("a third of the way") << 60.0 << false << 0.5;
        QTest::newRow("edge-on") << 90.0 << false << 0.0;
        QTest::newRow("back face on the way in") << 120.0 << true << 0.5;
        QTest::newRow("front drawn past the edge is mirrored") << 120.0 << false << -0.5;
    }

    void testTransform()
    {
        QFETCH(double, angle);
        QFETCH(bool, flipped);
        QFETCH(double, squeeze);
        const qreal w = 152;
        const qreal h = 140;
        const QTransform t = FlipEffect::transform(angle, flipped, w, h);
        // The centre line stays, every point keeps its height, x scales about the centre.
        for (const QPointF point : { QPointF(0, 0), QPointF(w, h), QPointF(w / 2, 17), QPointF(30, 100) }) {
            const QPointF mapped = t.map(point);
            QVERIFY2(qAbs(mapped.x() - (w / 2 + squeeze * (point.x() - w / 2))) < 1e-4,
                qPrintable(QString::number(mapped.x())));
            QVERIFY(qAbs(mapped.y() - point.y()) < 1e-4);
        }
        QVERIFY(!t.isAffine() || qFuzzyIsNull(t.m13()));
    }

    void testWriteIsDeferred()
    {
        FlipEffect effect;
        QSignalSpy changed(&effect, &FlipEffect::flippedChanged);
        // The frame that crosses the quarter turn is still drawn with the old face...
        const QTransform frame = effect.effectValue(100, 10, 10);
        QCOMPARE(frame.map(QPointF(0, 0)).x(), FlipEffect::transform(100, false, 10, 10).map(QPointF(0, 0)).x());
        QVERIFY(!effect.flipped());
        // ...and the face changes after it.
        QTRY_VERIFY(effect.flipped());
        QCOMPARE(changed.size(), 1);
    }
};

QTEST_MAIN(TestFooterView)
#include "tst_FooterView.moc"
