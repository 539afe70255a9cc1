// SPDX-License-Identifier: MIT
// A compiled gettext catalog (msgfmt's .mo) read from memory, for the Windows programs, which
// carry their catalog inside them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace vornelik {

class MoCatalog {
  public:
    // An empty catalog translates nothing; data that is not a whole .mo file gives one too.
    MoCatalog() = default;
    explicit MoCatalog(std::span<const unsigned char> data);

    // The translation of text (for a plural entry, its first form), or text itself.
    const char* translate(const char* text) const;
    // Form `form` of the plural entry whose singular is `singular`, or nullptr.
    const char* pluralForm(const char* singular, std::size_t form) const;

    std::size_t size() const { return count_; }

  private:
    std::uint32_t word(std::size_t offset) const;
    // The entry at index of the table at tableOffset: (offset, length), checked to lie inside.
    std::string_view entry(std::size_t tableOffset, std::size_t index) const;
    // The index of the original whose first string is text, or count_.
    std::size_t find(std::string_view text) const;

    std::span<const unsigned char> data_;
    bool swapped_ = false;
    std::size_t count_ = 0;
    std::size_t originals_ = 0;
    std::size_t translations_ = 0;
};

}  // namespace vornelik
