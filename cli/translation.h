// SPDX-License-Identifier: MIT
// The command line's texts in its user's language, through the catalog in po/ (po/README.md
// tells how a text is marked, extracted and translated).
#pragma once

namespace vornelik {

// Chooses the language from the environment once, at the program's start; until then, and
// for every text the catalog lacks, the English source text is shown.
void chooseLanguage();

// The text in the chosen language.
const char* translate(const char* text);
// The singular or plural text for count, in the chosen language.
const char* translatePlural(const char* singular, const char* plural, unsigned long count);

}  // namespace vornelik

// The keywords xgettext looks for: _ translates now, N_ only marks a text that is translated
// where it is shown, P_ picks the form for a count.
#define _(text) ::vornelik::translate(text)
#define N_(text) text
#define P_(singular, plural, count) ::vornelik::translatePlural(singular, plural, count)
