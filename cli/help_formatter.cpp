// SPDX-License-Identifier: MIT
#include "cli/help_formatter.h"

#include <array>
#include <memory>
#include <optional>
#include <regex>
#include <utility>

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

// "{1}" and the like in a translated text, filled with the parts of the English message.
std::string filled(std::string text, const std::smatch& parts) {
    for (std::size_t index = parts.size() - 1; index >= 1; --index) {
        const std::string mark = "{" + std::to_string(index) + "}";
        for (std::size_t at = text.find(mark); at != std::string::npos;
             at = text.find(mark, at + parts[index].length())) {
            text.replace(at, mark.size(), parts[index].str());
        }
    }
    return text;
}

struct MessagePattern {
    const char* english;      // CLI11's message, as a regular expression
    const char* translation;  // the text for the catalog, with {1}... for the parts
};

// What a failed value check says after "NAME: ".
constexpr std::array<MessagePattern, 6> kCheckMessages{{
    {R"(^(.*) not in (\{.*\})$)", N_("{1} is not one of {2}")},
    {R"(^Value (.*) not in range (.*) to (.*)$)", N_("value {1} is not from {2} to {3}")},
    {R"(^Value (.*) could not be converted$)", N_("value {1} cannot be read")},
    {R"(^File does not exist: (.*)$)", N_("no such file: {1}")},
    {R"(^Directory does not exist: (.*)$)", N_("no such folder: {1}")},
    {R"(^Directory is actually a file: (.*)$)", N_("a file, not a folder: {1}")},
}};

// CLI11's parse failures, the most particular first.
constexpr std::array<MessagePattern, 17> kParseMessages{{
    {R"(^The following argument was not expected: (.*)$)",
     N_("The following argument was not expected: {1}")},
    {R"(^The following arguments were not expected: (.*)$)",
     N_("The following arguments were not expected: {1}")},
    {R"(^A subcommand is required$)", N_("A command is required")},
    {R"(^Requires at least (\d+) subcommands$)", N_("At least {1} commands are required")},
    {R"(^(.*) is required$)", N_("{1} is required")},
    {R"(^Could not convert: (.*) = (.*)$)", N_("Could not convert: {1} = {2}")},
    {R"(^The value (.*) is not an allowed value for (.*)$)",
     N_("The value {1} is not allowed for {2}")},
    {R"(^(.*): too many inputs for a flag$)", N_("{1}: too many values for a flag")},
    {R"(^(.*): Should be true/false or a number$)", N_("{1}: should be true, false or a number")},
    {R"(^Expected exactly (\d+) arguments to (.*), got (\d+)$)",
     N_("{2} takes exactly {1} arguments, got {3}")},
    {R"(^Expected at least (\d+) arguments to (.*), got (\d+)$)",
     N_("{2} takes at least {1} arguments, got {3}")},
    {R"(^(.*): At least (\d+) required but received (\d+)$)",
     N_("{1}: at least {2} needed, {3} given")},
    {R"(^(.*): At Most (\d+) required but received (\d+)$)",
     N_("{1}: at most {2} allowed, {3} given")},
    {R"(^(.*): (\d+) required (.*) missing$)", N_("{1}: {2} {3} missing")},
    {R"(^(.*) requires (.*)$)", N_("{1} needs {2}")},
    {R"(^(.*) excludes (.*)$)", N_("{1} cannot be used with {2}")},
    {R"(^(.*) not found$)", N_("{1} not found")},
}};

// The translation of the first pattern the message matches, or nothing.
template <std::size_t Count>
std::optional<std::string> matched(const std::array<MessagePattern, Count>& patterns,
                                   const std::string& message) {
    for (const MessagePattern& pattern : patterns) {
        std::smatch parts;
        if (std::regex_match(message, parts, std::regex(pattern.english))) {
            return filled(translate(pattern.translation), parts);
        }
    }
    return std::nullopt;
}

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
