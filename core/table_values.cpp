// SPDX-License-Identifier: MIT
#include "core/table_values.h"

#include <charconv>

#include "core/failure.h"
#include "core/sample_table.h"

namespace vornelik {
namespace {}  // namespace

void TableValues::write(std::string_view text) {
    for (std::size_t end; (end = text.find('\n')) != std::string_view::npos;) {
        pending_.append(text.substr(0, end));
        readLine(pending_);
        pending_.clear();
        text.remove_prefix(end + 1);
    }
    pending_.append(text);
}

void TableValues::readLine(std::string_view line) {
    if (line.ends_with('\r')) {
        line.remove_suffix(1);
    }
    if (!line.starts_with(kTableKeyword)) {
        return;
    }
    line.remove_prefix(kTableKeyword.size());
    const char* at = line.data();
    const char* const end = line.data() + line.size();
    while (true) {
        std::uint8_t value = 0;
        const auto [next, error] = std::from_chars(at, end, value);
        if (error != std::errc() || (next != end && *next != ',')) {
            throw Failure("not a sample table line: " + std::string(kTableKeyword) +
                          std::string(line));
        }
        values_.push_back(value);
        if (next == end) {
            return;
        }
        at = next + 1;
    }
}

}  // namespace vornelik
