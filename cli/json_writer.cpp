// SPDX-License-Identifier: MIT
#include "cli/json_writer.h"

#include "core/utf8.h"

namespace vornelik {
namespace {

constexpr char kHexDigits[] = "0123456789abcdef";

// A byte of a JSON string that is not part of a valid UTF-8 sequence.
void escapeForJson(std::string& json, unsigned char byte) {
    switch (byte) {
        case '"':
            json += "\\\"";
            break;
        case '\\':
            json += "\\\\";
            break;
        case '\b':
            json += "\\b";
            break;
        case '\f':
            json += "\\f";
            break;
        case '\n':
            json += "\\n";
            break;
        case '\r':
            json += "\\r";
            break;
        case '\t':
            json += "\\t";
            break;
        default:
            if (byte >= 0x80) {
                json += "\\ufffd";
            } else if (byte < 0x20) {
                json += "\\u00";
                json += kHexDigits[byte >> 4];
                json += kHexDigits[byte & 0xF];
            } else {
                json += static_cast<char>(byte);
            }
    }
}

}  // namespace

std::string jsonArray(const std::vector<std::string>& values) {
    std::string text = "[";
    for (std::size_t i = 0; i < values.size(); ++i) {
        text += (i > 0 ? "," : "") + values[i];
    }
    return text + "]";
}

std::string jsonStrings(const std::vector<std::string>& texts) {
    std::vector<std::string> values;
    for (const auto& text : texts) {
        values.push_back(jsonString(text));
    }
    return jsonArray(values);
}

std::string jsonBool(bool value) {
    return value ? "true" : "false";
}

std::string jsonString(std::string_view text) {
    // Appended, not "\"" + ...: g++ 12 at -O2 misreads that insert as an overlapping copy.
    std::string json = "\"";
    json += keepingUtf8(text, escapeForJson);
    json += '"';
    return json;
}

}  // namespace vornelik
