// SPDX-License-Identifier: MIT
#include "cli/window_options.h"

#include <CLI/CLI.hpp>
#include <map>
#include <string>

#include "cli/translation.h"  // last: its _ is a macro

namespace vornelik {

void addWindowOptions(CLI::App& command, OutputRequest& request, bool asForBas) {
    // Whole sentences, so that a translation words each as it needs.
    command.add_option("--start", request.start,
                       asForBas ? _("The start offset as typed into the window (default 0, as for "
                                    "bas)")
                                : _("The start offset as typed into the window (default 0)"));
    command.add_option("--end", request.end,
                       asForBas ? _("The end offset as typed into the window (default the file's "
                                    "size, as for bas)")
                                : _("The end offset as typed into the window (default the file's "
                                    "size)"));
    // CheckedTransformer turns the name into the Quality. transform() puts each validator first,
    // so IsMember runs before it and refuses any other word, the transformer's own "0" and "1"
    // among them, in CLI11's plain "not in {good,poor}".
    const std::map<std::string, Quality> names{{"good", Quality::good}, {"poor", Quality::poor}};
    command
        .add_option("--quality", request.quality, _("good: every byte; poor: every second byte"))
        ->transform(CLI::CheckedTransformer(names).description(""))
        ->transform(CLI::IsMember(names))
        ->type_name("TEXT")
        ->default_str("good");
}

}  // namespace vornelik
