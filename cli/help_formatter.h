// SPDX-License-Identifier: MIT
// CLI11's own words in the chosen language: the help's headings and built-in option texts, and
// the messages of a failed parse.
#pragma once

#include <CLI/CLI.hpp>
#include <string>

namespace vornelik {

// Help with translated headings, labels and descriptions; CLI11's own texts go through the
// catalog here, the program's are marked where they are written.
class HelpFormatter : public CLI::Formatter {
  public:
    HelpFormatter();

    std::string make_group(std::string group, bool isPositional,
                           std::vector<const CLI::Option*> options) const override;
    std::string make_subcommands(const CLI::App* app, CLI::AppFormatMode mode) const override;
    std::string make_option(const CLI::Option* option, bool isPositional) const override;
    std::string make_option_opts(const CLI::Option* option) const override;
    std::string make_option_desc(const CLI::Option* option) const override;
};

// The message of a failed parse (error.what() is CLI11's English) in the chosen language.
std::string translatedParseMessage(const CLI::Error& error);

// Gives app, before its commands are added (they take its formatter), the translated help and
// failure message.
void useTranslatedHelp(CLI::App& app);

}  // namespace vornelik
