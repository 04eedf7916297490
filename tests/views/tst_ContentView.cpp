// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "preferences/PreferenceManager.h"
#include "views/AppearanceController.h"
#include "views/ContentView.h"
#include "views/FooterView.h"
#include "views/HeaderView.h"
#include "views/ScrollableView.h"
#include "views/SystemColors.h"
#include "views/ToggleView.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QPainter>
#include <QStyle>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Stands in for the popover window: paints its own background, which the dashboard's
// transparent styles let through.
class Host : public QWidget
{
public:
    explicit Host(PreferenceManager *preferences)
        : view(new ContentView(preferences, this))
    {
        setFixedSize(ContentView::kWidth, ContentView::kHeight);
    }

    QColor material = QColor(255, 0, 255);
    bool useMaterial = true;
    ContentView *view;

protected:
    void paintEvent(QPaintEvent * /*event*/) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), useMaterial ? material : palette().color(QPalette::Window));
    }
};

bool near(const QColor &a, const QColor &b, int tolerance = 14)
{
    return qAbs(a.red() - b.red()) <= tolerance && qAbs(a.green() - b.green()) <= tolerance
        && qAbs(a.blue() - b.blue()) <= tolerance;
}

} // namespace

class TestContentView : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_config;
    PreferenceManager *m_preferences = nullptr;
    Host *m_host = nullptr;

    QImage render()
    {
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        return m_host->grab().toImage();
    }

    void set(const QString &theme, const QString &background, const QString &language = QStringLiteral("en"))
    {
        m_preferences->setSetAppThemeMode(theme);
        m_preferences->setSetAppBgStyle(background);
        m_preferences->setSetApplanguage(language);
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
    }

    QString screenshot(const QString &name)
    {
        const QString dir = qEnvironmentVariable("TAVLO_SCREENSHOT_DIR", QDir::tempPath() + "/tavlo-screenshots");
        QDir().mkpath(dir);
        const QString path = dir + QLatin1Char('/') + name + QStringLiteral(".png");
        m_host->useMaterial = false;
        m_host->update();
        const bool saved = render().save(path);
        m_host->useMaterial = true;
        return saved ? path : QString();
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

    void testBackgroundPixels_data()
    {
        QTest::addColumn<QString>("style");
        QTest::addColumn<QColor>("topLeft");
        // Top-left colours of our pictures, and the host's colour where nothing is painted.
        QTest::newRow("DefaultStyle") << "DefaultStyle" << QColor(255, 0, 255);
        QTest::newRow("unknown value") << "Plaid" << QColor(255, 0, 255);
        QTest::newRow("ShapeStyle") << "ShapeStyle" << QColor(0xfd, 0xe2, 0xe4);
        QTest::newRow("CartoonStyle") << "CartoonStyle" << QColor(0x62, 0xc3, 0xf5);
        QTest::newRow("MontereyStyle") << "MontereyStyle" << QColor(0x2b, 0x2a, 0x6b);
        QTest::newRow("BigSurStyle") << "BigSurStyle" << QColor(0x1f, 0x4e, 0x8c);
    }

    void testBackgroundPixels()
    {
        QFETCH(QString, style);
        QFETCH(QColor, topLeft);
        set(QStringLiteral("LightMode"), style);
        const QColor seen = render().pixelColor(2, 2);
        QVERIFY2(near(seen, topLeft), qPrintable(seen.name()));
    }

    void testGradient_data()
    {
        QTest::addColumn<QString>("theme");
        QTest::newRow("light") << "LightMode";
        QTest::newRow("dark") << "DarkMode";
    }

    void testGradient()
    {
        QFETCH(QString, theme);
        set(theme, QStringLiteral("GradientStyle"));
        const QImage image = render();
        // Blue in the top trailing corner, purple in the bottom leading one, green between.
        const QColor blue = image.pixelColor(347, 2);
        const QColor purple = image.pixelColor(2, 690);
        const QColor middle = image.pixelColor(175, 346);
        QVERIFY2(blue.blue() > blue.red() + 60 && blue.blue() > blue.green() + 40, qPrintable(blue.name()));
        QVERIFY2(purple.red() > purple.green() + 60 && purple.blue() > purple.green() + 60, qPrintable(purple.name()));
        QVERIFY2(middle.green() > middle.red() && middle.green() > middle.blue(), qPrintable(middle.name()));
    }

    void testSchemes_data()
    {
        QTest::addColumn<QString>("theme");
        QTest::addColumn<bool>("dark");
        QTest::newRow("LightMode") << "LightMode" << false;
        QTest::newRow("DarkMode") << "DarkMode" << true;
        QTest::newRow("unknown value") << "Sepia" << true;
        // The offscreen platform's own palette is light, and no portal answers here.
        QTest::newRow("SystemMode") << "SystemMode" << false;
    }

    void testSchemes()
    {
        QFETCH(QString, theme);
        QFETCH(bool, dark);
        set(theme, QStringLiteral("DefaultStyle"));
        QCOMPARE(SystemColors::isDark(m_host->view->palette()), dark);
        // The popover's background follows, and so do the texts drawn on it.
        m_host->useMaterial = false;
        const QImage image = render();
        m_host->useMaterial = true;
        const QColor corner = image.pixelColor(2, 2);
        QVERIFY2(dark ? corner.lightness() < 80 : corner.lightness() > 200, qPrintable(corner.name()));
        const auto labels = m_host->view->findChildren<QLabel *>();
        QVERIFY(!labels.isEmpty());
        const QColor text = labels.first()->palette().color(QPalette::WindowText);
        QVERIFY2(dark ? text.lightness() > 180 : text.lightness() < 80, qPrintable(text.name()));
    }

    void testRetranslatesOpenWindow_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QStringList>("expected"); // CPU user, version
        QTest::newRow("de") << "de" << QStringList { "Benutzer:", "Version: " };
        QTest::newRow("zh-Hans") << "zh-Hans" << QStringList { "用户：", "版本：" };
        QTest::newRow("zh-Hant_CN") << "zh-Hant_CN" << QStringList { "使用者：", "版本：" };
        QTest::newRow("unknown falls back to English") << "fr" << QStringList { "User:", "Version: " };
    }

    void testRetranslatesOpenWindow()
    {
        QFETCH(QString, language);
        QFETCH(QStringList, expected);
        QVERIFY(m_host->isVisible());
        set(QStringLiteral("LightMode"), QStringLiteral("DefaultStyle"), language);
        QStringList texts;
        QTRY_VERIFY([&] {
            texts.clear();
            for (const auto *label : m_host->view->findChildren<QLabel *>()) {
                texts << label->text();
            }
            return texts.contains(expected[0]) && texts.contains(expected[1]);
        }());
        QCOMPARE(m_host->view->locale(), AppearanceController::locale(language));
    }

    void testLayout()
    {
        set(QStringLiteral("LightMode"), QStringLiteral("DefaultStyle"));
        QWidget *header = m_host->view->findChild<HeaderView *>()->parentWidget()->parentWidget();
        const QWidget *card = m_host->view->findChild<ToggleView *>();
        const QWidget *switcher = m_host->view->scrollableView();
        const QWidget *panel = m_host->view->footerView();
        QCOMPARE(switcher->height(), 115);
        QCOMPARE(panel->height(), 370);
        const int spacing = m_host->view->style()->pixelMetric(QStyle::PM_LayoutVerticalSpacing);
        // Where the stack puts each region, undoing the drawing offsets.
        const int headerTop = header->y() - 35 - 6;
        const int cardTop = card->y() - 32;
        const int switcherTop = switcher->y() - 34 - 3;
        const int panelTop = panel->y() - 1;
        QCOMPARE(cardTop, headerTop + 6 + header->height() + 3 + spacing);
        QCOMPARE(switcherTop, cardTop + 150 + spacing);
        QCOMPARE(panelTop, switcherTop + 3 + 115 + 2 + spacing);
        // The stack is taller than the frame and centred on it.
        const int stackBottom = panelTop + 1 + 370 + 8;
        QVERIFY(qAbs((headerTop - 4) - (693 - 4 - stackBottom)) <= 1);
    }

    void testScreenshots()
    {
        const QStringList styles { "DefaultStyle", "GradientStyle", "MontereyStyle", "BigSurStyle", "ShapeStyle",
            "CartoonStyle" };
        for (const QString &theme : { QStringLiteral("LightMode"), QStringLiteral("DarkMode") }) {
            for (const QString &style : styles) {
                set(theme, style);
                QVERIFY(!screenshot(QStringLiteral("dashboard-%1-%2").arg(style, theme)).isEmpty());
            }
        }
        for (const char *language : { "zh_CN", "zh-Hant_CN", "en", "ja", "ms", "de" }) {
            set(QStringLiteral("LightMode"), QStringLiteral("GradientStyle"), QString::fromLatin1(language));
            QVERIFY(!screenshot(QStringLiteral("dashboard-language-%1").arg(QLatin1String(language))).isEmpty());
        }
    }
};

QTEST_MAIN(TestContentView)
#include "tst_ContentView.moc"
