// SPDX-License-Identifier: MIT
// The catalog through glibc's gettext, which reads LANGUAGE, LC_ALL, LC_MESSAGES and LANG.
#include <libintl.h>
#include <unistd.h>

#include <clocale>
#include <filesystem>
#include <system_error>

#include "cli/translation.h"

namespace vornelik {
namespace {

constexpr const char* kDomain = "vornelik";

// <exe>/../share/locale: the install's folder, and the build tree's too.
std::filesystem::path localeFolderBesideProgram() {
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) {
        return {};
    }
    return program.parent_path().parent_path() / "share" / "locale";
}

}  // namespace

void chooseLanguage() {
    // Messages only: a Turkish LC_CTYPE or LC_NUMERIC would change how numbers are written and
    // how letters change case.
    std::setlocale(LC_MESSAGES, "");
    std::filesystem::path folder = localeFolderBesideProgram();
    std::error_code error;
    if (folder.empty() || !std::filesystem::is_directory(folder, error)) {
        folder = VORNELIK_LOCALEDIR;
    }
    bindtextdomain(kDomain, folder.c_str());
    bind_textdomain_codeset(kDomain, "UTF-8");
    // The system's reasons (strerror) come from glibc's own catalog, in UTF-8 like ours: under
    // the C character set they would lose their letters ("B?yle bir dosya").
    bind_textdomain_codeset("libc", "UTF-8");
}

const char* translate(const char* text) {
    // gettext gives the catalog's header for the empty text; a text left empty stays so.
    return *text == '\0' ? text : dgettext(kDomain, text);
}

const char* translatePlural(const char* singular, const char* plural, unsigned long count) {
    return dngettext(kDomain, singular, plural, count);
}

}  // namespace vornelik
