// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/FlipEffect.h"

#include <QSignalSpy>
#include <QTest>

class TestFlipEffect : public QObject
{
    Q_OBJECT

private slots:
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

    void testFlippedAt_data()
    {
        QTest::addColumn<double>("angle");
        QTest::addColumn<bool>("flipped");
        QTest::newRow("below a quarter") << 89.999 << false;
        QTest::newRow("a quarter counts") << 90.0 << true;
        QTest::newRow("half") << 180.0 << true;
        QTest::newRow("three quarters does not") << 270.0 << false;
    }

    void testFlippedAt()
    {
        QFETCH(double, angle);
        QFETCH(bool, flipped);
        QCOMPARE(FlipEffect::flippedAt(angle), flipped);
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

QTEST_GUILESS_MAIN(TestFlipEffect)
#include "tst_FlipEffect.moc"
