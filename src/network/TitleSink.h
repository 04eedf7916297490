// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Receiver of the formatted rates. The sampler calls updateTitle() from its own worker
// thread, so an implementation must hand the change to the main thread itself.
class TitleSink
{
public:
    virtual ~TitleSink() = default;
    virtual void updateTitle(const QString &upload, const QString &download) = 0;
};
