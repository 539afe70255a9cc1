// SPDX-License-Identifier: MIT
#pragma once

// windows.h without its MessageBox macro, which would rename the handlers' MessageBox
// interface to MessageBoxW wherever both are seen.
#include <windows.h>
#undef MessageBox
