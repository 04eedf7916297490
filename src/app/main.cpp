// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "VennixApp.h"
#include "platform/SingleInstance.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    // One Tavlo per session: a second launch opens the running one's dashboard and leaves,
    // before it could touch the preferences file.
    SingleInstance instance;
    if (!instance.claim())
        return 0;
    VennixApp app;
    QObject::connect(&instance, &SingleInstance::activationRequested, &app.delegate(), &AppDelegate::showDashboard);
    return app.exec();
}
