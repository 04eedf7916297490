// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CommandRunner.h"

// The resource panel's runner; it behaves exactly like CommandRunner.
class CommandLineManager : public CommandRunner
{
};
