// SPDX-License-Identifier: MIT
#pragma once

#include <stdexcept>
#include <string>

#include "core/text_sink.h"

namespace vornelik {

// Keeps what the writers send; with a line budget it fails like a full disk once the budget is
// spent.
class TextCapture : public TextSink {
  public:
    explicit TextCapture(int writesAllowed = -1) : writesLeft_(writesAllowed) {}

    void write(std::string_view text) override {
        if (writesLeft_ == 0) {
            throw std::runtime_error("disk full");
        }
        --writesLeft_;
        text_ += text;
    }
    const std::string& text() const { return text_; }

  private:
    int writesLeft_;
    std::string text_;
};

}  // namespace vornelik
