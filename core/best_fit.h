// SPDX-License-Identifier: MIT
#pragma once

namespace vornelik {

// The plain Latin letter Windows writes for an accented letter that an ANSI code page lacks
// (dotless i as "i", s with cedilla as "s"), or '\0' where it has none and writes "?".
char bestFitLetter(char32_t letter);

}  // namespace vornelik
