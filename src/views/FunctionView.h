// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CustomWindow.h"

#include <QList>
#include <QWidget>

class AuxiliaryWindow;
class QScreen;
class QToolButton;

// The dashboard's action block, 152 × 140: About, Feedback, Settings and Quit as a 2 × 2 grid of
// icon buttons, each in a grouped box of its own. It takes the shared preferences; where it sits
// is up to the panel that holds it.
class FunctionView : public QWidget
{
    Q_OBJECT

public:
    explicit FunctionView(QWidget *parent = nullptr);

    static constexpr QSize kSize { 152, 140 };

    // Opens a new window of that kind on `screen` (null: the screen under the pointer), raised
    // and active, and returns it. Every call opens another window.
    static AuxiliaryWindow *openAuxiliaryWindow(CustomWindow::Kind kind, QScreen *screen = nullptr);
    // Ends the program at once with status 0. Nothing needs saving: every preference was written
    // when it changed.
    static void quit();

    // In grid order: About, Feedback, Settings, Quit.
    QList<QToolButton *> buttons() const { return m_buttons; }

protected:
    void changeEvent(QEvent *event) override;

private:
    void retranslate();

    QList<QToolButton *> m_buttons;
};
