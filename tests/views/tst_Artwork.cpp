// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/ImageAsset.h"
#include "views/SymbolImage.h"

#include <QImage>
#include <QPainter>
#include <QTest>

namespace {

int opaquePixels(const QImage &image)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            count += qAlpha(image.pixel(x, y)) > 128 ? 1 : 0;
        }
    }
    return count;
}

} // namespace

class TestArtwork : public QObject
{
    Q_OBJECT

private slots:
    void testImageAssets_data()
    {
        QTest::addColumn<QString>("name");
        for (const char *name : { "NoContent", "AnimeStyle", "cartoonStyle", "Monterey", "BigSur", "aboutUs", "iMac",
                 "MacBookPro", "macmini", "macpro" }) {
            QTest::newRow(name) << QString::fromLatin1(name);
        }
    }

    void testImageAssets()
    {
        QFETCH(QString, name);
        QVERIFY(ImageAsset::exists(name));
        const QImage image = ImageAsset::pixmap(name, QSize(64, 64)).toImage();
        QCOMPARE(image.size(), QSize(64, 64));
        QVERIFY2(opaquePixels(image) > 64 * 64 / 10, "the picture draws something");
    }

    void testBackgroundFillsWholeArea()
    {
        // A wide target: the portrait picture is scaled up to cover it, no band stays empty.
        QImage canvas(600, 200, QImage::Format_ARGB32_Premultiplied);
        canvas.fill(Qt::transparent);
        QPainter painter(&canvas);
        ImageAsset::paintFilling(painter, QStringLiteral("BigSur"), QRectF(0, 0, 600, 200));
        painter.end();
        QCOMPARE(opaquePixels(canvas), 600 * 200);
    }

    void testSymbols_data()
    {
        QTest::addColumn<QString>("name");
        for (const char *name :
            { "wifi", "network", "antenna.radiowaves.left.and.right", "dot.radiowaves.left.and.right",
                "xmark.icloud.fill", "cpu.fill", "info.circle.fill", "square.and.arrow.up.circle.fill",
                "gear.circle.fill", "power.circle.fill", "link.circle.fill", "envelope.circle.fill" }) {
            QTest::newRow(name) << QString::fromLatin1(name);
        }
    }

    void testSymbols()
    {
        QFETCH(QString, name);
        QVERIFY(SymbolImage::exists(name));
        const QColor tint(200, 30, 60);
        const QImage image = SymbolImage::pixmap(name, QSize(48, 48), tint).toImage();
        QCOMPARE(image.size(), QSize(48, 48));
        QVERIFY(opaquePixels(image) > 48 * 48 / 20);
        // Tinted as asked: solid pixels in the tint's colour.
        bool tinted = false;
        for (int i = 0; i < 48 * 48; ++i) {
            const QColor c = image.pixelColor(i % 48, i / 48);
            tinted = tinted
                || (c.alpha() > 250 && qAbs(c.red() - 200) < 3 && qAbs(c.green() - 30) < 3 && qAbs(c.blue() - 60) < 3);
        }
        QVERIFY(tinted);
    }

    void testUnknownNames()
    {
        QVERIFY(!SymbolImage::exists(QStringLiteral("no.such.symbol")));
        QVERIFY(SymbolImage::pixmap(QStringLiteral("no.such.symbol"), QSize(16, 16), Qt::black).isNull());
        QVERIFY(ImageAsset::pixmap(QStringLiteral("NoSuchImage"), QSize(16, 16)).isNull());
    }
};

QTEST_MAIN(TestArtwork)
#include "tst_Artwork.moc"
