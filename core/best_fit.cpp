// SPDX-License-Identifier: MIT
#include "core/best_fit.h"

#include <string_view>

namespace vornelik {
namespace {

// Base letters of U+00C0 to U+017F, sixteen a row; '.' where there is none.
constexpr char32_t kFirst = 0x00C0;
constexpr std::string_view kBaseLetters =
    "AAAAAA.CEEEEIIII"   // U+00C0
    "DNOOOOO.OUUUUY.."   // U+00D0
    "aaaaaa.ceeeeiiii"   // U+00E0
    ".nooooo.ouuuuy.y"   // U+00F0
    "AaAaAaCcCcCcCcDd"   // U+0100
    "DdEeEeEeEeEeGgGg"   // U+0110
    "GgGgHhHhIiIiIiIi"   // U+0120
    "Ii..JjKk.LlLlLlL"   // U+0130
    "lLlNnNnNn...OoOo"   // U+0140
    "Oo..RrRrRrSsSsSs"   // U+0150
    "SsTtTtTtUuUuUuUu"   // U+0160
    "UuUuWwYyYZzZzZz.";  // U+0170

}  // namespace

char bestFitLetter(char32_t letter) {
    if (letter < kFirst || letter - kFirst >= kBaseLetters.size()) {
        return '\0';
    }
    const char base = kBaseLetters[letter - kFirst];
    return base == '.' ? '\0' : base;
}

}  // namespace vornelik
