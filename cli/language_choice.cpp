// SPDX-License-Identifier: MIT
#include "cli/language_choice.h"

#include <string_view>

namespace vornelik {
namespace {

// "tr", "tr_TR", "tr_TR.UTF-8", "tr_TR@euro": a language code is the text before '_', '.'
// and '@'.
std::string_view languageCode(std::string_view locale) {
    return locale.substr(0, locale.find_first_of("_.@"));
}

std::optional<CatalogLanguage> catalogFor(std::string_view locale) {
    const std::string_view code = languageCode(locale);
    if (code == "tr") {
        return CatalogLanguage::Turkish;
    }
    if (code == "C" || code == "POSIX") {
        return CatalogLanguage::English;
    }
    return std::nullopt;  // a language without a catalog
}

}  // namespace

CatalogLanguage chooseCatalogLanguage(
    const std::function<std::optional<std::string>(const char*)>& variable, bool systemIsTurkish) {
    std::optional<std::string> locale;
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        locale = variable(name);
        if (locale && !locale->empty()) {
            break;
        }
        locale.reset();
    }
    if (locale && (*locale == "C" || *locale == "POSIX")) {
        return CatalogLanguage::English;
    }
    if (const std::optional<std::string> list = variable("LANGUAGE"); list && !list->empty()) {
        std::string_view rest = *list;
        while (!rest.empty()) {
            const std::size_t colon = rest.find(':');
            if (const auto found = catalogFor(rest.substr(0, colon))) {
                return *found;
            }
            rest = colon == std::string_view::npos ? std::string_view() : rest.substr(colon + 1);
        }
        return CatalogLanguage::English;
    }
    if (locale) {
        return catalogFor(*locale).value_or(CatalogLanguage::English);
    }
    return systemIsTurkish ? CatalogLanguage::Turkish : CatalogLanguage::English;
}

}  // namespace vornelik
