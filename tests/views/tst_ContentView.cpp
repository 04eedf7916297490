// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The dashboard's backgrounds, colours and languages, and the pictures and symbols it draws.
#include "preferences/PreferenceManager.h"
#include "views/AppearanceController.h"
#include "views/ContentView.h"
#include "views/ImageAsset.h"
#include "views/SymbolImage.h"
#include "views/SystemColors.h"

#include <QApplication>
#include <QLabel>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>
#include <functional>

namespace {

// Stands in for the popover window: paints its own background, magenta, which the dashboard's
// transparent styles let through.
class Host : public QWidget
{
public:
    explicit Host(PreferenceManager *preferences)
        : view(new ContentView(preferences, this))
    {
        setFixedSize(ContentView::kWidth, ContentView::kHeight);
    }
    bool magenta = true;
    ContentView *view;

protected:
    void paintEvent(QPaintEvent * /*event*/) override
    {
        QPainter(this).fillRect(rect(), magenta ? QColor(255, 0, 255) : palette().color(QPalette::Window));
    }
};

int pixels(const QImage &image, const std::function<bool(QColor)> &counted)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += counted(image.pixelColor(x, y)) ? 1 : 0;
    return count;
}
bool opaque(QColor c)
{
    return c.alpha() > 128;
}

} // namespace

class TestContentView : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_config;
    PreferenceManager *m_preferences = nullptr;
    Host *m_host = nullptr;

    QColor corner(const QString &theme, const QString &background, const QString &language = QStringLiteral("en"))
    {
        m_preferences->setSetAppThemeMode(theme);
        m_preferences->setSetAppBgStyle(background);
        m_preferences->setSetApplanguage(language);
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        return m_host->grab().toImage().pixelColor(2, 2);
    }

private slots:
    void initTestCase()
    {
        m_preferences = new PreferenceManager(m_config.path(), QLocale(QLocale::English), this);
        m_host = new Host(m_preferences);
        m_host->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_host));
    }

    void cleanupTestCase() { delete m_host; }

    // The transparent styles, and a value no option carries, let the popover through; the
    // others paint their picture over it.
    void testBackground_data()
    {
        QTest::addColumn<QString>("style");
        QTest::addColumn<bool>("painted");
        for (const char *style : { "DefaultStyle", "Plaid" })
            QTest::newRow(style) << style << false;
        for (const char *style : { "GradientStyle", "ShapeStyle", "CartoonStyle", "MontereyStyle", "BigSurStyle" })
            QTest::newRow(style) << style << true;
    }

    void testBackground()
    {
        QFETCH(QString, style);
        const QColor seen = corner(QStringLiteral("LightMode"), style);
        QTEST(seen != QColor(255, 0, 255), "painted");
    }

    // The popover's colours and the texts on it follow the theme; an unknown value is dark.
    void testSchemes_data()
    {
        QTest::addColumn<QString>("theme");
        QTest::addColumn<bool>("dark");
        QTest::newRow("LightMode") << "LightMode" << false;
        QTest::newRow("DarkMode") << "DarkMode" << true;
        // No portal answers here: the offscreen platform's own palette, light.
        QTest::newRow("SystemMode") << "SystemMode" << false;
    }

    void testSchemes()
    {
        QFETCH(QString, theme);
        QFETCH(bool, dark);
        m_host->magenta = false;
        const QColor background = corner(theme, QStringLiteral("DefaultStyle"));
        m_host->magenta = true;
        QCOMPARE(SystemColors::isDark(m_host->view->palette()), dark);
        QVERIFY2(dark ? background.lightness() < 80 : background.lightness() > 200, qPrintable(background.name()));
        const QColor text = m_host->view->findChild<QLabel *>()->palette().color(QPalette::WindowText);
        QVERIFY2(dark ? text.lightness() > 180 : text.lightness() < 80, qPrintable(text.name()));
    }

    void testRetranslatesOpenWindow_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QStringList>("expected"); // CPU user, version
        QTest::newRow("de") << "de" << QStringList { "Benutzer:", "Version: " };
        QTest::newRow("unknown falls back to English") << "fr" << QStringList { "User:", "Version: " };
    }

    void testRetranslatesOpenWindow()
    {
        QFETCH(QString, language);
        QFETCH(QStringList, expected);
        corner(QStringLiteral("LightMode"), QStringLiteral("DefaultStyle"), language);
        const auto texts = [this] {
            QStringList found;
            for (const auto *label : m_host->view->findChildren<QLabel *>())
                found << label->text();
            return found;
        };
        QTRY_VERIFY2(texts().contains(expected[0]) && texts().contains(expected[1]), qPrintable(texts().join('|')));
        QCOMPARE(m_host->view->locale(), AppearanceController::locale(language));
    }

    // Each picture and symbol the views name is there; a symbol draws in the tint asked for.
    void testArtwork()
    {
        for (const char *name : { "NoContent", "AnimeStyle", "cartoonStyle", "Monterey", "BigSur", "aboutUs", "iMac",
                 "MacBookPro", "macmini", "macpro" })
            QVERIFY2(ImageAsset::exists(QLatin1String(name)), name);
        for (const char *name :
            { "wifi", "network", "antenna.radiowaves.left.and.right", "dot.radiowaves.left.and.right",
                "xmark.icloud.fill", "cpu.fill", "info.circle.fill", "square.and.arrow.up.circle.fill",
                "gear.circle.fill", "power.circle.fill", "link.circle.fill", "envelope.circle.fill" })
            QVERIFY2(SymbolImage::exists(QLatin1String(name)), name);
        const QImage wifi = SymbolImage::pixmap(QStringLiteral("wifi"), QSize(48, 48), QColor(200, 30, 60)).toImage();
        QVERIFY(pixels(wifi, [](QColor c) {
            return c.alpha() > 250 && qAbs(c.red() - 200) < 3 && qAbs(c.green() - 30) < 3 && qAbs(c.blue() - 60) < 3;
        }) > 48);
    }

    void testBackgroundFillsWholeArea()
    {
        // A wide target: the portrait picture is scaled up to cover it, no band stays empty.
        QImage canvas(600, 200, QImage::Format_ARGB32_Premultiplied);
        canvas.fill(Qt::transparent);
        QPainter painter(&canvas);
        ImageAsset::paintFilling(painter, QStringLiteral("BigSur"), QRectF(0, 0, 600, 200));
        painter.end();
        QCOMPARE(pixels(canvas, opaque), 600 * 200);
    }
};

QTEST_MAIN(TestContentView)
#include "tst_ContentView.moc"
