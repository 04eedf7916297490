// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "CustomWindow.h"

#include "AboutView.h"
#include "AppearanceController.h"
#include "AuxiliaryWindow.h"
#include "FeedbackView.h"
#include "SettingView.h"

#include <QCoreApplication>
#include <QScreen>

namespace {

// Windows still open when the program quits are deleted with it, before the application
// object goes, so each one writes its frame and nothing is left behind.
void deleteOnQuit(AuxiliaryWindow *window)
{
    QObject::connect(qApp, &QCoreApplication::aboutToQuit, window, [window] { delete window; });
}

} // namespace

CustomWindow::CustomWindow(PreferenceManager *preference, QScreen *screen)
    : m_preference(preference)
    , m_screen(screen)
{ }

QSize CustomWindow::contentSize(Kind kind)
{
    switch (kind) {
    case Kind::About:
    case Kind::Feedback:
        return { 400, 320 };
    case Kind::Setting:
        // 437.5 points, rounded up to whole pixels.
        return { 438, 380 };
    }
    return {};
}

const char *CustomWindow::titleKey(Kind kind)
{
    switch (kind) {
    case Kind::About:
        return "About_Btn_Title";
    case Kind::Feedback:
        return "Feedback_Btn_Title";
    case Kind::Setting:
        return "Setting_Btn_Title";
    }
    return "";
}

QString CustomWindow::frameAutosaveName(Kind kind)
{
    switch (kind) {
    case Kind::About:
        return QStringLiteral("AboutView");
    case Kind::Feedback:
        return QStringLiteral("feedbackWindow");
    case Kind::Setting:
        return QStringLiteral("SettingView");
    }
    return {};
}

AuxiliaryWindow *CustomWindow::window(Kind kind)
{
    auto &slot = m_windows.at(static_cast<std::size_t>(kind));
    if (!slot) {
        slot = create(kind);
    }
    return slot;
}

AuxiliaryWindow *CustomWindow::create(Kind kind)
{
    // Language and scheme come from the preferences, also when no dashboard was built yet.
    AppearanceController::attach(m_preference);
    QWidget *content = nullptr;
    switch (kind) {
    case Kind::About:
        content = new AboutView(m_preference);
        break;
    case Kind::Feedback:
        content = new FeedbackView(m_preference);
        break;
    case Kind::Setting:
        content = new SettingView(m_preference);
        break;
    }
    auto *window = new AuxiliaryWindow(
        content, contentSize(kind), titleKey(kind), frameAutosaveName(kind), m_preference, kind != Kind::Setting);
    deleteOnQuit(window);
    // Always centred, whatever frame was saved last time.
    window->centreOn(m_screen);
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}
