// SPDX-License-Identifier: MIT
#pragma once

#include <QLocale>

#include "ui/platform.h"

namespace vornelik {

// The single-byte code page Windows uses as the ANSI code page for a language; 1252 for the C
// locale and for languages without one.
unsigned ansiCodePageFor(QLocale::Language language);

}  // namespace vornelik
