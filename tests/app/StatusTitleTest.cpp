// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/StatusTitle.h"

#include "app/PanelPicture.h"
#include "network/SpeedFormat.h"
#include "platform/PanelItem.h"

#include <QFontMetricsF>
#include <QtTest>

namespace {
// The rows of `image` holding text: pixels of the plate's area that stand out from it,
// right of the markers.
QList<QPair<int, int>> textBands(const QImage &image, QColor plate)
{
    QList<QPair<int, int>> bands;
    int start = -1;
    for (int y = 0; y <= image.height(); ++y) {
        bool inked = false;
        for (int x = image.width() / 3; y < image.height() && x < image.width() && !inked; ++x)
            inked = qAlpha(image.pixel(x, y)) == 255 && PanelPicture::contrast(QColor(image.pixel(x, y)), plate) > 2.0;
        if (inked && start < 0)
            start = y;
        if (!inked && start >= 0) {
            bands.append({ start, y - 1 });
            start = -1;
        }
    }
    return bands;
}
} // namespace

class StatusTitleTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void testPicture_data()
    {
        QTest::addColumn<int>("size");
        QTest::addColumn<QString>("upload");
        QTest::addColumn<QString>("download");
        QTest::addColumn<QColor>("plate");
        QTest::addColumn<bool>("open");
        const QString widest = QStringLiteral("1000.0 Mb/s");
        const QColor light(0xf6, 0xf6, 0xf6);
        const QColor dark(0x24, 0x24, 0x24);
        for (const int size : PanelItem::pixmapSizes(2.0)) {
            const QByteArray tag = QByteArray::number(size);
            QTest::newRow(tag + "-widest-light") << size << widest << widest << light << false;
            QTest::newRow(tag + "-mixed-dark")
                << size << QStringLiteral("0  b/s") << QStringLiteral("512  b/s") << dark << false;
            QTest::newRow(tag + "-giga-open") << size << QStringLiteral("1.5 Gb/s") << QStringLiteral("99.99 Gb/s")
                                              << QColor(0x30, 0x8c, 0xc6) << true;
        }
    }

    // Both lines are drawn whole and apart, as tall as the square allows, and their glyphs
    // stand out from the plate under them by at least 4.5:1, whatever the plate's colour.
    void testPicture()
    {
        QFETCH(int, size);
        QFETCH(QString, upload);
        QFETCH(QString, download);
        QFETCH(QColor, plate);
        QFETCH(bool, open);
        const QColor text = PanelPicture::textColorFor(plate);
        const PanelPicture::Colors colors { plate, text, plate, text };
        const QImage image
            = PanelPicture::render(makeStatusTitle(upload, download), QSize(size, size), 1.0, open, colors);
        QCOMPARE(image.size(), QSize(size, size));
        const QList<QPair<int, int>> bands = textBands(image, plate);
        QCOMPARE(bands.size(), 2);
        QVERIFY2(bands.first().first > 0 && bands.last().second < size - 1, "text touches the edge");
        for (const auto &[top, bottom] : bands)
            QVERIFY2(bottom - top + 1 >= size / 4, qPrintable(QStringLiteral("a line %1 px").arg(bottom - top + 1)));
        qreal best = 1;
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x)
                if (qAlpha(image.pixel(x, y)) == 255)
                    best = std::max(best, PanelPicture::contrast(QColor(image.pixel(x, y)), plate));
        QVERIFY2(best >= 4.5, qPrintable(QString::number(best)));
    }

    // The item's own colours, light, dark and open, all keep the glyphs legible.
    void testPaletteColours()
    {
        for (const bool dark : { false, true }) {
            QPalette palette;
            palette.setColor(QPalette::Window, dark ? Qt::black : Qt::white);
            palette.setColor(QPalette::Highlight, dark ? QColor(0x1a, 0x5f, 0xb4) : QColor(0x99, 0xc1, 0xf1));
            QGuiApplication::setPalette(palette);
            const PanelPicture::Colors colors = PanelPicture::paletteColors();
            QVERIFY(PanelPicture::contrast(colors.plate, colors.text) >= 4.5);
            QVERIFY(PanelPicture::contrast(colors.openPlate, colors.openText) >= 4.5);
        }
        QGuiApplication::setPalette(QPalette());
    }

    void testCompactRate_data()
    {
        QTest::addColumn<QString>("speed");
        QTest::addColumn<QString>("compact");
        QTest::newRow("placeholder") << QStringLiteral("--Byte/s") << QStringLiteral("--");
        QTest::newRow("bytes") << QStringLiteral("999  b/s") << QStringLiteral("999");
        QTest::newRow("kilo-small") << QStringLiteral("0.98 Kb/s") << QStringLiteral("1K");
        QTest::newRow("kilo-rounds-up") << QStringLiteral("9.5 Kb/s") << QStringLiteral("10K");
        QTest::newRow("kilo-top") << QStringLiteral("999.4 Kb/s") << QStringLiteral("999K");
        QTest::newRow("kilo-full") << QStringLiteral("1000.0 Kb/s") << QStringLiteral("1M");
        QTest::newRow("giga-full") << QStringLiteral("1000.0 Gb/s") << QStringLiteral("max");
        QTest::newRow("unknown") << QStringLiteral("garbage text") << QStringLiteral("garb");
        QTest::newRow("empty") << QString() << QString();
    }

    void testCompactRate()
    {
        QFETCH(QString, speed);
        QFETCH(QString, compact);
        QCOMPARE(PanelPicture::compactRate(speed), compact);
    }

    // The label guide must be at least as wide as any label the sampler can produce, or the
    // host's reserved width is too small and the neighbours move after all.
    void testLabelGuideIsWidest()
    {
        const QFontMetricsF metrics(QGuiApplication::font());
        const qreal guide = metrics.horizontalAdvance(statusLabelGuide());
        // The widest text of each tier, just below where the next begins.
        const QList<qint64> differences { 999, 1023999, 1048575999, 1073741823999, 1073741824000 };
        for (const qint64 d : differences) {
            const QString speed = formatSpeed(0, d);
            const QString label = statusLabel(speed, speed);
            QVERIFY2(metrics.horizontalAdvance(label) <= guide, qPrintable(label));
        }
        const QString placeholder = QLatin1String(statusTitlePlaceholder);
        QVERIFY(metrics.horizontalAdvance(statusLabel(placeholder, placeholder)) <= guide);
    }
};

QTEST_MAIN(StatusTitleTest)
#include "StatusTitleTest.moc"
