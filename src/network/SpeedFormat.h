// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QtGlobal>

// Turns two byte totals taken one one-second tick apart into the short speed text shown in
// the panel ("0  b/s", "512  b/s", "0.98 Kb/s", "12.35 Mb/s", "max /s").
QString formatSpeed(qint64 last, qint64 current);
