// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The dashboard's backgrounds, colours and languages, and the pictures and symbols it draws;
// "SystemMode" following the desktop portal on a private session bus.
#include "PrivateBus.h"
#include "platform/ColorSchemeWatcher.h"
#include "preferences/PreferenceManager.h"
#include "views/AppearanceController.h"
#include "views/ContentView.h"
#include "views/ImageAsset.h"
#include "views/SymbolImage.h"
#include "views/SystemColors.h"

#include <QApplication>
#include <QDBusMessage>
#include <QLabel>
#include <QPainter>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <functional>

namespace {

// Stands in for the popover window: paints the window colour the dashboard's transparent styles
// let through.
class Host : public QWidget
{
public:
    explicit Host(PreferenceManager *preferences)
        : view(new ContentView(preferences, this))
    {
        setFixedSize(ContentView::kWidth, ContentView::kHeight);
    }
    ContentView *view;

protected:
    void paintEvent(QPaintEvent * /*event*/) override
    {
        QPainter(this).fillRect(rect(), palette().color(QPalette::Window));
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
        const QColor background = corner(theme, QStringLiteral("DefaultStyle"));
        QCOMPARE(SystemColors::isDark(m_host->view->palette()), dark);
        QVERIFY2(dark ? background.lightness() < 80 : background.lightness() > 200, qPrintable(background.name()));
        const QColor text = m_host->view->findChild<QLabel *>()->palette().color(QPalette::WindowText);
        QVERIFY2(dark ? text.lightness() > 180 : text.lightness() < 80, qPrintable(text.name()));
    }

    // The open dashboard is relabelled at once. (Which table a language picks, fallback included,
    // is the windows' test's.)
    void testRetranslatesOpenWindow()
    {
        corner(QStringLiteral("LightMode"), QStringLiteral("DefaultStyle"), QStringLiteral("de"));
        const auto texts = [this] {
            QStringList found;
            for (const auto *label : m_host->view->findChildren<QLabel *>())
                found << label->text();
            return found;
        };
        QTRY_VERIFY2(texts().contains(QStringLiteral("Benutzer:")), qPrintable(texts().join('|')));
        QCOMPARE(m_host->view->locale(), AppearanceController::locale(QStringLiteral("de")));
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

    // "SystemMode" following the desktop portal on a private session bus.
private:
    PrivateBus m_bus;

    bool startPortal(uint scheme)
    {
        return m_bus.startService(
            { qEnvironmentVariable("TAVLO_MOCK_PORTAL"), QString::number(scheme) }, "org.freedesktop.portal.Desktop");
    }

    void setPortalScheme(uint scheme)
    {
        QDBusMessage call = QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.portal.Desktop"),
            QStringLiteral("/org/freedesktop/portal/desktop"), QStringLiteral("org.tavlo.Test"),
            QStringLiteral("SetScheme"));
        call << scheme;
        const QDBusMessage reply = m_bus.connection().call(call, QDBus::Block, 5000);
        QVERIFY2(reply.type() == QDBusMessage::ReplyMessage, qPrintable(reply.errorMessage()));
    }

private slots:
    // Last: it sets the application's palette.
    void testSystemModeFollowsPortal()
    {
        if (const QString reason = m_bus.start(false); !reason.isEmpty())
            QSKIP(qPrintable(reason));
        QVERIFY(startPortal(1));
        QTemporaryDir config;
        PreferenceManager preferences(config.path(), QLocale(QLocale::English));
        ColorSchemeWatcher watcher(m_bus.connection());
        QSignalSpy changes(&watcher, &ColorSchemeWatcher::schemeChanged);
        AppearanceController controller(&preferences, &watcher);
        QLabel open(QStringLiteral("an open window"));
        open.show();

        QTRY_COMPARE(watcher.scheme(), std::optional(ColorSchemeWatcher::Scheme::PreferDark));
        QVERIFY(controller.isDark());
        QVERIFY(SystemColors::isDark(QApplication::palette()));
        QTRY_VERIFY(SystemColors::isDark(open.palette()));

        // The desktop switches to light while we run.
        setPortalScheme(2);
        QTRY_COMPARE(watcher.scheme(), std::optional(ColorSchemeWatcher::Scheme::PreferLight));
        QVERIFY(!controller.isDark());
        QTRY_VERIFY(!SystemColors::isDark(open.palette()));

        // An imposed scheme wins over the desktop's.
        preferences.setSetAppThemeMode(QStringLiteral("LightMode"));
        setPortalScheme(1);
        QTRY_COMPARE(watcher.scheme(), std::optional(ColorSchemeWatcher::Scheme::PreferDark));
        QVERIFY(!controller.isDark());
        preferences.setSetAppThemeMode(QStringLiteral("SystemMode"));
        QTRY_VERIFY(controller.isDark());

        // "No preference" falls back to the platform palette (light on the offscreen platform).
        setPortalScheme(0);
        QTRY_COMPARE(watcher.scheme(), std::optional(ColorSchemeWatcher::Scheme::NoPreference));
        QVERIFY(!controller.isDark());
        QVERIFY(changes.count() >= 4);
    }
};

QTEST_MAIN(TestContentView)
#include "tst_ContentView.moc"
