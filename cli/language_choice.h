// SPDX-License-Identifier: MIT
// Which catalog the Windows programs use, read as glibc's gettext reads the environment.
#pragma once

#include <functional>
#include <optional>
#include <string>

namespace vornelik {

// The language codes the program has a catalog for: Turkish, or English, the source texts.
enum class CatalogLanguage { English, Turkish };

// variable(name) is the environment variable's value, nullopt where it is not set. The first
// set and non-empty of LC_ALL, LC_MESSAGES and LANG names the locale; "C" and "POSIX" keep
// English, and LANGUAGE is then ignored as glibc ignores it. Otherwise LANGUAGE's list
// ("tr:en") is read in order up to its first language with a catalog; where no variable is
// set, the system's display language decides (systemIsTurkish).
CatalogLanguage chooseCatalogLanguage(
    const std::function<std::optional<std::string>(const char*)>& variable, bool systemIsTurkish);

}  // namespace vornelik
