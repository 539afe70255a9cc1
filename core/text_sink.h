// SPDX-License-Identifier: MIT
#pragma once

#include <string_view>

namespace vornelik {

// Where the writers put an output file's text: UTF-8, lines already ended by "\r\n".
// A sink that cannot take the text throws.
class TextSink {
  public:
    virtual ~TextSink() = default;
    virtual void write(std::string_view text) = 0;
};

}  // namespace vornelik
