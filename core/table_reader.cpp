// SPDX-License-Identifier: MIT
#include "core/table_reader.h"

#include "core/sample_table.h"

namespace vornelik {

void TableReader::write(std::string_view text) {
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        if (end == std::string_view::npos) {
            partial_.append(text);
            return;
        }
        if (partial_.empty()) {
            readLine(text.substr(0, end));
        } else {
            partial_.append(text.substr(0, end));
            readLine(partial_);
            partial_.clear();
        }
        text.remove_prefix(end + 1);
    }
}

void TableReader::readLine(std::string_view line) {
    if (!line.starts_with(kTableKeyword)) {
        return;
    }
    line.remove_prefix(kTableKeyword.size());
    batch_.clear();
    unsigned value = 0;
    for (const char c : line) {
        if (c >= '0' && c <= '9') {
            value = value * 10 + static_cast<unsigned>(c - '0');
        } else if (c == ',') {
            batch_.push_back(static_cast<std::uint8_t>(value));
            value = 0;
        }
    }
    batch_.push_back(static_cast<std::uint8_t>(value));
    values_.take(batch_);
}

}  // namespace vornelik
