// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Photographs the Settings, About and Feedback windows and the footer block in light and dark,
// in English, German and Japanese, at the screen's pixel ratio (QT_SCALE_FACTOR=2 for 2x):
//   tavlo-window-shots <folder>
// Prints each picture's path and the window's size.
#include "preferences/PreferenceManager.h"
#include "views/AppearanceController.h"
#include "views/AuxiliaryWindow.h"
#include "views/CustomWindow.h"
#include "views/FunctionView.h"
#include "views/GroupBox.h"

#include <QApplication>
#include <QDir>
#include <QLayout>
#include <QTemporaryDir>
#include <QTextStream>

namespace {

void settle()
{
    for (int i = 0; i < 4; ++i) {
        QApplication::processEvents();
    }
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    if (argc < 2) {
        QTextStream(stderr) << "usage: tavlo-window-shots <folder>\n";
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(folder);
    QTemporaryDir config;
    PreferenceManager preferences(config.path(), QLocale(QLocale::English));
    AppearanceController::attach(&preferences);
    QTextStream out(stdout);
    const QString scale = QStringLiteral("%1x").arg(application.devicePixelRatio());

    const std::pair<CustomWindow::Kind, const char *> kinds[] {
        { CustomWindow::Kind::Setting, "settings" },
        { CustomWindow::Kind::About, "about" },
        { CustomWindow::Kind::Feedback, "feedback" },
    };
    for (const char *theme : { "LightMode", "DarkMode" }) {
        for (const char *language : { "en", "de", "ja" }) {
            preferences.setSetAppThemeMode(QString::fromLatin1(theme));
            preferences.setSetApplanguage(QString::fromLatin1(language));
            settle();
            const QString suffix
                = QStringLiteral("%1-%2-%3")
                      .arg(QLatin1String(language), QString::fromLatin1(theme).chopped(4).toLower(), scale);
            for (const auto &[kind, name] : kinds) {
                std::unique_ptr<AuxiliaryWindow> window(CustomWindow(&preferences).window(kind));
                settle();
                const QString path = QStringLiteral("%1/%2-%3.png").arg(folder, QLatin1String(name), suffix);
                window->grab().save(path);
                out << path << ' ' << window->width() << 'x' << window->height() << '\n';
            }
            GroupBox footer;
            footer.setAutoFillBackground(true);
            footer.layout()->addWidget(new FunctionView);
            footer.show();
            settle();
            const QString path = QStringLiteral("%1/footer-%2.png").arg(folder, suffix);
            footer.grab().save(path);
            out << path << '\n';
        }
    }
    return 0;
}
