// SPDX-License-Identifier: MIT
// The catalog compiled into the program (mingw-w64 has no libintl), so that the zip and the
// installed folder need no file beside the programs. The language follows LANG and the other
// gettext variables where they are set, the user's display language otherwise.
#include <windows.h>

#include <cstdlib>
#include <span>

#include "cli/language_choice.h"
#include "cli/mo_catalog.h"
#include "cli/translation.h"
#include "po/turkish_catalog.h"

namespace vornelik {
namespace {

MoCatalog& chosenCatalog() {
    static MoCatalog catalog;
    return catalog;
}

}  // namespace

void chooseLanguage() {
    const bool systemIsTurkish = PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_TURKISH;
    const auto variable = [](const char* name) -> std::optional<std::string> {
        const char* value = std::getenv(name);
        return value != nullptr ? std::optional<std::string>(value) : std::nullopt;
    };
    if (chooseCatalogLanguage(variable, systemIsTurkish) == CatalogLanguage::Turkish) {
        chosenCatalog() = MoCatalog(std::span(kTurkishCatalog, kTurkishCatalogSize));
    }
}

const char* translate(const char* text) {
    return chosenCatalog().translate(text);
}

const char* translatePlural(const char* singular, const char* plural, unsigned long count) {
    // Turkish and English both have two forms: one, and every other count.
    const std::size_t form = count == 1 ? 0 : 1;
    const char* found = chosenCatalog().pluralForm(singular, form);
    return found != nullptr ? found : (form == 0 ? singular : plural);
}

}  // namespace vornelik
