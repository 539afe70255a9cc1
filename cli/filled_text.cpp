// SPDX-License-Identifier: MIT
#include "cli/filled_text.h"

#include "cli/translation.h"  // last: its _ is a macro

namespace vornelik {

std::string filled(std::string text, const std::vector<std::string>& parts) {
    for (std::size_t index = parts.size(); index >= 1; --index) {
        // Appended, not "{" + ...: mingw's GCC 12 sees a false overlap there (-Wrestrict).
        std::string mark(1, '{');
        mark += std::to_string(index);
        mark += '}';
        for (std::size_t at = text.find(mark); at != std::string::npos;
             at = text.find(mark, at + parts[index - 1].size())) {
            text.replace(at, mark.size(), parts[index - 1]);
        }
    }
    return text;
}

std::string inProse(std::string number) {
    // TRANSLATORS: the decimal separator of numbers in sentences and tables ("0.20 s").
    const char separator = *_(".");
    for (char& c : number) {
        if (c == '.') {
            c = separator;
        }
    }
    return number;
}

}  // namespace vornelik
