// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "VennixApp.h"

#include "TavloConfig.h"

#include <QApplication>
#include <QTimer>

VennixApp::VennixApp()
{
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setApplicationName(QStringLiteral("tavlo"));
    QApplication::setApplicationDisplayName(QStringLiteral(TAVLO_DISPLAY_NAME));
    QApplication::setApplicationVersion(QStringLiteral(TAVLO_VERSION));
    QApplication::setDesktopFileName(QStringLiteral(TAVLO_APP_ID));
    // Launching has finished once the event loop turns.
    QTimer::singleShot(0, &m_delegate, &AppDelegate::applicationDidFinishLaunching);
}

int VennixApp::exec()
{
    return QApplication::exec();
}
