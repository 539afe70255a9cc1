#pragma once

#include <string>

namespace vornelik {

// The user's decimal separator, from the regional settings.
std::string userDecimalSeparator();

// The ANSI code page of the system, the one the output files are written in.
unsigned ansiCodePage();

}  // namespace vornelik
