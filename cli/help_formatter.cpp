// SPDX-License-Identifier: MIT
#include "cli/help_formatter.h"

#include <array>
#include <memory>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

#include "cli/message_patterns.h"
#include "core/utf8.h"

#include "cli/translation.h"  // last: its _ is a macro

namespace vornelik {
namespace {

// CLI11's own texts, marked here for xgettext: its headings and labels by their keys, and its
// built-in option descriptions.
constexpr std::array<std::pair<const char*, const char*>, 15> kLabels{{
    {"Usage", N_("Usage")},
    {"OPTIONS", N_("OPTIONS")},
    {"SUBCOMMAND", N_("COMMAND")},
    {"SUBCOMMANDS", N_("COMMANDS")},
    {"Positionals", N_("Positionals")},
    {"REQUIRED", N_("REQUIRED")},
    {"Env", N_("Env")},
    {"Needs", N_("Needs")},
    {"Excludes", N_("Excludes")},
    {"TEXT", N_("TEXT")},
    {"INT", N_("INT")},
    {"UINT", N_("UINT")},
    {"FLOAT", N_("FLOAT")},
    {"BOOLEAN", N_("BOOLEAN")},
    {"FILE", N_("FILE")},
}};
[[maybe_unused]] constexpr std::array kBuiltInTexts{
    N_("Options"),
    N_("Print this help message and exit"),
    N_("Display program version information and exit"),
};

// What a failed value check says after "NAME: ", the most particular first.
constexpr std::array<MessagePattern, 6> kCheckMessages{{
    {"Value {1} not in range {2} to {3}", N_("value {1} is not from {2} to {3}")},
    {"Value {1} could not be converted", N_("value {1} cannot be read")},
    {"File does not exist: {1}", N_("no such file: {1}")},
    {"Directory does not exist: {1}", N_("no such folder: {1}")},
    {"Directory is actually a file: {1}", N_("a file, not a folder: {1}")},
    {"{1} not in {2}", N_("{1} is not one of {2}")},
}};

// CLI11's parse failures, the most particular first.
constexpr std::array<MessagePattern, 17> kParseMessages{{
    {"The following argument was not expected: {1}",
     N_("The following argument was not expected: {1}")},
    {"The following arguments were not expected: {1}",
     N_("The following arguments were not expected: {1}")},
    {"A subcommand is required", N_("A command is required")},
    {"Requires at least {1} subcommands", N_("At least {1} commands are required")},
    {"{1} is required", N_("{1} is required")},
    {"Could not convert: {1} = {2}", N_("Could not convert: {1} = {2}")},
    {"The value {1} is not an allowed value for {2}", N_("The value {1} is not allowed for {2}")},
    {"{1}: too many inputs for a flag", N_("{1}: too many values for a flag")},
    {"{1}: Should be true/false or a number", N_("{1}: should be true, false or a number")},
    {"Expected exactly {1} arguments to {2}, got {3}",
     N_("{2} takes exactly {1} arguments, got {3}")},
    {"Expected at least {1} arguments to {2}, got {3}",
     N_("{2} takes at least {1} arguments, got {3}")},
    {"{1}: At least {2} required but received {3}", N_("{1}: at least {2} needed, {3} given")},
    {"{1}: At Most {2} required but received {3}", N_("{1}: at most {2} allowed, {3} given")},
    {"{1}: {2} required {3} missing", N_("{1}: {2} {3} missing")},
    {"{1} requires {2}", N_("{1} needs {2}")},
    {"{1} excludes {2}", N_("{1} cannot be used with {2}")},
    {"{1} not found", N_("{1} not found")},
}};

}  // namespace

HelpFormatter::HelpFormatter() {
    for (const auto& [key, text] : kLabels) {
        label(key, translate(text));
    }
}

std::string HelpFormatter::make_group(std::string group, bool isPositional,
                                      std::vector<const CLI::Option*> options) const {
    return CLI::Formatter::make_group(translate(group.c_str()), isPositional, std::move(options));
}

std::string HelpFormatter::make_subcommands(const CLI::App* app, CLI::AppFormatMode mode) const {
    // CLI11 writes the group of the commands as it is named.
    std::string text = CLI::Formatter::make_subcommands(app, mode);
    const std::string english = "\nSubcommands:\n";
    if (text.starts_with(english)) {
        text.replace(0, english.size(), std::string("\n") + _("Subcommands") + ":\n");
    }
    return text;
}

std::string HelpFormatter::make_option(const CLI::Option* option, bool isPositional) const {
    // CLI11's own layout, with the name column measured in letters, not bytes: "METİN" is five
    // wide.
    const std::string name =
        "  " + make_option_name(option, isPositional) + make_option_opts(option);
    const std::string description = make_option_desc(option);
    const std::size_t width = characterCount(name);
    std::string text = name;
    if (!description.empty()) {
        text += width >= column_width_ ? "\n" + std::string(column_width_, ' ')
                                       : std::string(column_width_ - width, ' ');
        for (const char c : description) {
            text += c;
            if (c == '\n') {
                text += std::string(column_width_, ' ');
            }
        }
    } else if (width < column_width_) {
        text += std::string(column_width_ - width, ' ');
    }
    return text + "\n";
}

std::string HelpFormatter::make_option_opts(const CLI::Option* option) const {
    // "TEXT:{good,poor}": CLI11 looks up the whole type name, so its first word is translated
    // here.
    std::string text = CLI::Formatter::make_option_opts(option);
    const std::string& type = option->get_type_name();
    const std::size_t colon = type.find(':');
    if (!type.empty() && colon != std::string::npos && option->get_option_text().empty()) {
        const std::size_t at = text.find(" " + type);
        if (at != std::string::npos) {
            text.replace(at + 1, colon, get_label(type.substr(0, colon)));
        }
    }
    return text;
}

std::string HelpFormatter::make_option_desc(const CLI::Option* option) const {
    return translate(option->get_description().c_str());
}

std::string translatedParseMessage(const CLI::Error& error) {
    const std::string message = error.what();
    if (error.get_name() == "ValidationError") {
        // "NAME: what the check says"
        const std::size_t colon = message.find(": ");
        if (colon != std::string::npos) {
            const std::string said = message.substr(colon + 2);
            return message.substr(0, colon + 2) +
                   matched(kCheckMessages, said).value_or(translate(said.c_str()));
        }
    }
    return matched(kParseMessages, message).value_or(message);
}

void useTranslatedHelp(CLI::App& app) {
    app.formatter(std::make_shared<HelpFormatter>());
    app.failure_message([](const CLI::App*, const CLI::Error& error) {
        return translatedParseMessage(error) + "\n" + _("Run with --help for more information.") +
               "\n";
    });
}

}  // namespace vornelik
