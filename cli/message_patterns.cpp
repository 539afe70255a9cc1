// SPDX-License-Identifier: MIT
#include "cli/message_patterns.h"

#include "cli/filled_text.h"
#include "cli/translation.h"

namespace vornelik {

std::optional<std::vector<std::string>> partsOf(std::string_view pattern,
                                                std::string_view message) {
    std::vector<std::string_view> texts;  // the texts between the marks
    for (std::size_t mark = pattern.find('{'); mark != std::string_view::npos;
         mark = pattern.find('{')) {
        texts.push_back(pattern.substr(0, mark));
        pattern.remove_prefix(pattern.find('}', mark) + 1);
    }
    texts.push_back(pattern);
    if (!message.starts_with(texts.front())) {
        return std::nullopt;
    }
    message.remove_prefix(texts.front().size());
    std::vector<std::string> parts;
    for (std::size_t index = 1; index < texts.size(); ++index) {
        const bool last = index + 1 == texts.size();
        const std::size_t at =
            last ? (message.ends_with(texts[index]) ? message.size() - texts[index].size()
                                                    : std::string_view::npos)
                 : message.find(texts[index]);
        if (at == std::string_view::npos || at == 0) {
            return std::nullopt;  // every part has a letter at least
        }
        parts.emplace_back(message.substr(0, at));
        message.remove_prefix(at + texts[index].size());
    }
    if (texts.size() == 1 && !message.empty()) {
        return std::nullopt;
    }
    return parts;
}

std::optional<std::string> matched(std::span<const MessagePattern> patterns,
                                   const std::string& message, std::string (*part)(std::string)) {
    for (const MessagePattern& pattern : patterns) {
        if (auto parts = partsOf(pattern.english, message)) {
            if (part != nullptr) {
                for (std::string& each : *parts) {
                    each = part(std::move(each));
                }
            }
            return filled(translate(pattern.translation), *parts);
        }
    }
    return std::nullopt;
}

}  // namespace vornelik
