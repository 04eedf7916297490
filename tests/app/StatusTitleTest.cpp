// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/StatusTitle.h"

#include "app/PanelPicture.h"
#include "network/SpeedFormat.h"

#include <QFontMetricsF>
#include <QtTest>

namespace {
// Rows and columns of the image that carry ink (any alpha at all).
struct InkBounds
{
    int top = -1;
    int bottom = -1;
    int left = -1;
    int right = -1;
    QList<QPair<int, int>> rowRuns; // runs of consecutive inked rows
};

InkBounds inkBounds(const QImage &image)
{
    InkBounds bounds;
    int runStart = -1;
    for (int y = 0; y < image.height(); ++y) {
        bool rowInked = false;
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(image.pixel(x, y)) == 0)
                continue;
            rowInked = true;
            bounds.left = bounds.left < 0 ? x : std::min(bounds.left, x);
            bounds.right = std::max(bounds.right, x);
        }
        if (rowInked) {
            if (bounds.top < 0)
                bounds.top = y;
            bounds.bottom = y;
            if (runStart < 0)
                runStart = y;
        } else if (runStart >= 0) {
            bounds.rowRuns.append({ runStart, y - 1 });
            runStart = -1;
        }
    }
    if (runStart >= 0)
        bounds.rowRuns.append({ runStart, image.height() - 1 });
    return bounds;
}

const PanelPicture::Colors black { Qt::black, QColor(0, 0, 255, 90) };
} // namespace

class StatusTitleTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // A blank first line, then each rate between spaces with its arrow; the placeholder too.
    void testLayout()
    {
        const StatusTitle title = makeStatusTitle(QStringLiteral("1.0 Kb/s"), QStringLiteral("0  b/s"));
        QCOMPARE(title.text, QStringLiteral("\n 1.0 Kb/s \u2191 \n 0  b/s \u2193"));
        QCOMPARE(title.uploadLine(), QStringLiteral(" 1.0 Kb/s \u2191 "));
        QCOMPARE(title.downloadLine(), QStringLiteral(" 0  b/s \u2193"));
        const QString placeholder = QLatin1String(statusTitlePlaceholder);
        QCOMPARE(
            makeStatusTitle(placeholder, placeholder).text, QStringLiteral("\n --Byte/s \u2191 \n --Byte/s \u2193"));
    }

    void testPicture_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<qreal>("ratio");
        QTest::addColumn<QString>("upload");
        QTest::addColumn<QString>("download");

        const QString placeholder = QLatin1String(statusTitlePlaceholder);
        const QString widest = QStringLiteral("1000.0 Mb/s");
        // The title's own slot, the lowest and tallest hosts give, and the square slots' extremes.
        const QList<QPair<const char *, QSize>> sizes { { "title", QSize(65, 22) }, { "title-tall", QSize(65, 26) },
            { "title-low", QSize(65, 18) }, { "square", QSize(22, 22) }, { "square-16", QSize(16, 16) },
            { "square-32", QSize(32, 32) } };
        for (const auto &[name, size] : sizes) {
            for (const qreal ratio : { 1.0, 1.5 }) {
                const QByteArray tag = QByteArray(name) + '@' + QByteArray::number(ratio);
                QTest::newRow(tag + "-placeholder") << size << ratio << placeholder << placeholder;
                QTest::newRow(tag + "-widest") << size << ratio << widest << widest;
                QTest::newRow(tag + "-mixed")
                    << size << ratio << QStringLiteral("0  b/s") << QStringLiteral("512  b/s");
                QTest::newRow(tag + "-max")
                    << size << ratio << QStringLiteral("max /s") << QStringLiteral("99.99 Gb/s");
            }
        }
    }

    // Both lines are drawn whole: ink on two separate bands of rows, none on the outermost
    // pixels (which a host's scaling or clipping would take), right-aligned.
    void testPicture()
    {
        QFETCH(QSize, size);
        QFETCH(qreal, ratio);
        QFETCH(QString, upload);
        QFETCH(QString, download);

        const QImage image = PanelPicture::render(makeStatusTitle(upload, download), size, ratio, false, black);
        QCOMPARE(image.size(), QSize(qCeil(size.width() * ratio), qCeil(size.height() * ratio)));
        QCOMPARE(image.devicePixelRatio(), ratio);
        const InkBounds ink = inkBounds(image);
        QVERIFY2(ink.top > 0, "ink on the top row");
        QVERIFY2(ink.bottom < image.height() - 1, "ink on the bottom row");
        QVERIFY2(ink.left > 0, "ink on the left column");
        QVERIFY2(ink.right < image.width() - 1, "ink on the right column");
        QVERIFY2(ink.right >= image.width() - 1 - 3 * ratio, "text not right-aligned");
        QVERIFY2(ink.rowRuns.size() >= 2, "the two lines run together");
        // Each line uses a fair part of the height: legible, not squashed. (Dashes are short.)
        if (!PanelPicture::isTitleForm(size) && upload == QLatin1String(statusTitlePlaceholder))
            return;
        const int firstLine = ink.rowRuns.first().second - ink.rowRuns.first().first + 1;
        const int lastLine = ink.rowRuns.last().second - ink.rowRuns.last().first + 1;
        // A slot lower than the title's 22 pixels shrinks the type with it.
        const int titleLine = size.height() >= 22 ? 5 : 3;
        const int minimum
            = PanelPicture::isTitleForm(size) ? qFloor(titleLine * ratio) : qFloor(size.height() * ratio / 5);
        QVERIFY2(firstLine >= minimum, qPrintable(QStringLiteral("upper line %1 px").arg(firstLine)));
        QVERIFY2(lastLine >= minimum, qPrintable(QStringLiteral("lower line %1 px").arg(lastLine)));
    }

    void testHighlight()
    {
        const StatusTitle title = makeStatusTitle(QStringLiteral("1.0 Kb/s"), QStringLiteral("2.0 Kb/s"));
        for (const QSize size : { QSize(65, 22), QSize(22, 22) }) {
            const QImage plain = PanelPicture::render(title, size, 1.0, false, black);
            const QImage lit = PanelPicture::render(title, size, 1.0, true, black);
            QCOMPARE(qAlpha(plain.pixel(size.width() / 2, 0)), 0);
            QVERIFY(qAlpha(lit.pixel(size.width() / 2, 0)) > 0);
            QVERIFY(plain != lit);
        }
    }

    void testCompactRate_data()
    {
        QTest::addColumn<QString>("speed");
        QTest::addColumn<QString>("compact");
        QTest::newRow("placeholder") << QStringLiteral("--Byte/s") << QStringLiteral("--");
        QTest::newRow("zero") << QStringLiteral("0  b/s") << QStringLiteral("0");
        QTest::newRow("bytes") << QStringLiteral("999  b/s") << QStringLiteral("999");
        QTest::newRow("kilo-one-decimal") << QStringLiteral("9.94 Kb/s") << QStringLiteral("9.9K");
        QTest::newRow("kilo-rounds-up") << QStringLiteral("9.96 Kb/s") << QStringLiteral("10K");
        QTest::newRow("kilo-top") << QStringLiteral("999.4 Kb/s") << QStringLiteral("999K");
        QTest::newRow("kilo-full") << QStringLiteral("1000.0 Kb/s") << QStringLiteral("1.0M");
        QTest::newRow("giga") << QStringLiteral("1.5 Gb/s") << QStringLiteral("1.5G");
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
