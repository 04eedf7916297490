// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "AppDelegate.h"

// The application itself: installs the delegate and runs. It opens no window; closing the
// last window (the dashboard, Settings, About) leaves the panel item running.
class VennixApp
{
public:
    VennixApp();
    int exec();
    AppDelegate &delegate() { return m_delegate; }

private:
    AppDelegate m_delegate;
};
