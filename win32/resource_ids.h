// SPDX-License-Identifier: MIT
#pragma once

// Shared by vornelik.rc and the code that loads its resources.
#define VORNELIK_ICON 1
