// SPDX-License-Identifier: MIT
#pragma once

// A small JSON writer: values are passed already written as JSON, objects keep their fields in
// the order given.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vornelik {

// A JSON string literal: quotes, backslashes and control characters escaped, valid UTF-8 kept
// as it is, each byte of an invalid UTF-8 sequence replaced by U+FFFD.
std::string jsonString(std::string_view text);

// One JSON object, field by field.
class JsonObject {
  public:
    JsonObject& field(std::string_view key, const std::string& value) {
        text_ += first_ ? "" : ",";
        first_ = false;
        text_ += jsonString(key) + ":" + value;
        return *this;
    }
    std::string done() const { return text_ + "}"; }

  private:
    std::string text_ = "{";
    bool first_ = true;
};

std::string jsonArray(const std::vector<std::string>& values);

// An array of JSON strings.
std::string jsonStrings(const std::vector<std::string>& texts);

std::string jsonBool(bool value);

// A whole number, or null.
template <typename T>
std::string jsonOptional(const std::optional<T>& value) {
    return value ? std::to_string(static_cast<std::uint64_t>(*value)) : "null";
}

}  // namespace vornelik
