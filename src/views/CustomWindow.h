// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPointer>
#include <QSize>
#include <array>

class AuxiliaryWindow;
class PreferenceManager;
class QScreen;

// Builds the About, Feedback and Settings windows. Each window is made on the first read of its
// property, shown centred on the host's screen and raised; later reads on the same host return
// it. A host is cheap and short-lived: every press of a footer button makes a new one, so every
// press opens a new window, and a window lives on after its host until the user closes it.
class CustomWindow
{
public:
    enum class Kind
    {
        About,
        Feedback,
        Setting,
    };

    // screen: where the windows open (the dashboard's screen); null for the one under the pointer.
    explicit CustomWindow(PreferenceManager *preference, QScreen *screen = nullptr);

    AuxiliaryWindow *aboutWindow() { return window(Kind::About); }
    AuxiliaryWindow *feedbackWindow() { return window(Kind::Feedback); }
    AuxiliaryWindow *settingWindow() { return window(Kind::Setting); }
    AuxiliaryWindow *window(Kind kind);

    // The content size the window starts from, its heading key and its frame name.
    static QSize contentSize(Kind kind);
    static const char *titleKey(Kind kind);
    static QString frameAutosaveName(Kind kind);

private:
    AuxiliaryWindow *create(Kind kind);

    PreferenceManager *m_preference;
    QPointer<QScreen> m_screen;
    std::array<QPointer<AuxiliaryWindow>, 3> m_windows;
};
