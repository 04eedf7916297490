// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Test helper: writes preferences into <config dir> as fast as it can until it is killed.
// Prints "ready" once the first write is on disk.
#include "preferences/PreferenceManager.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: preference_writer <config dir>\n");
        return 2;
    }
    PreferenceManager preferences(QString::fromLocal8Bit(argv[1]), QLocale(QLocale::English));
    const QStringList styles { QStringLiteral("DefaultStyle"), QStringLiteral("GradientStyle"),
        QStringLiteral("MontereyStyle"), QStringLiteral("BigSurStyle") };
    for (qint64 round = 0;; ++round) {
        // Values of changing length, so a torn write could not pass for a whole file.
        preferences.setSetAppThemeMode(QString(int(round % 40) + 1, QLatin1Char('x')));
        preferences.setSetShowIPAddress(round % 2 == 0);
        preferences.setSetAppBgStyle(styles.at(round % styles.size()));
        preferences.setWindowFrame(QStringLiteral("AboutView"), QRect(int(round % 1000), 0, 400, 320));
        if (round == 0) {
            std::printf("ready\n");
            std::fflush(stdout);
        }
        // Drop the queued change signals now and then so memory stays flat.
        if (round % 64 == 0) {
            QCoreApplication::processEvents();
        }
    }
}
