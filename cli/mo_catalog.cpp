// SPDX-License-Identifier: MIT
#include "cli/mo_catalog.h"

#include <cstring>

namespace vornelik {
namespace {

constexpr std::uint32_t kMagic = 0x950412de;
constexpr std::uint32_t kMagicSwapped = 0xde120495;
constexpr std::size_t kHeaderSize = 28;

// The first of the NUL-separated strings of an entry: a plural entry's singular.
std::string_view firstString(std::string_view entry) {
    return entry.substr(0, entry.find('\0'));
}

}  // namespace

MoCatalog::MoCatalog(std::span<const unsigned char> data) : data_(data) {
    if (data_.size() < kHeaderSize) {
        data_ = {};
        return;
    }
    const std::uint32_t magic = word(0);
    if (magic != kMagic && magic != kMagicSwapped) {
        data_ = {};
        return;
    }
    swapped_ = magic == kMagicSwapped;
    const std::size_t count = word(8);
    originals_ = word(12);
    translations_ = word(16);
    // Both tables whole inside the data, and every entry within it, or nothing is used.
    const std::size_t tableSize = count * 8;
    if (count > data_.size() / 8 || originals_ > data_.size() - tableSize ||
        translations_ > data_.size() - tableSize) {
        data_ = {};
        return;
    }
    count_ = count;
    for (std::size_t index = 0; index < count_; ++index) {
        if (entry(originals_, index).data() == nullptr ||
            entry(translations_, index).data() == nullptr) {
            count_ = 0;
            data_ = {};
            return;
        }
    }
}

std::uint32_t MoCatalog::word(std::size_t offset) const {
    std::uint32_t value = 0;
    std::memcpy(&value, data_.data() + offset, sizeof value);
    if (swapped_) {
        value = (value >> 24) | ((value >> 8) & 0xff00) | ((value << 8) & 0xff0000) | (value << 24);
    }
    return value;
}

std::string_view MoCatalog::entry(std::size_t tableOffset, std::size_t index) const {
    const std::size_t length = word(tableOffset + index * 8);
    const std::size_t offset = word(tableOffset + index * 8 + 4);
    // msgfmt ends every string with a NUL that its length leaves out.
    if (offset >= data_.size() || length >= data_.size() - offset || data_[offset + length] != 0) {
        return {};
    }
    return {reinterpret_cast<const char*>(data_.data() + offset), length};
}

std::size_t MoCatalog::find(std::string_view text) const {
    // msgfmt sorts the originals by their bytes, as strcmp compares them.
    std::size_t low = 0;
    std::size_t high = count_;
    while (low < high) {
        const std::size_t middle = low + (high - low) / 2;
        const std::string_view original = firstString(entry(originals_, middle));
        if (original == text) {
            return middle;
        }
        if (original < text) {
            low = middle + 1;
        } else {
            high = middle;
        }
    }
    return count_;
}

const char* MoCatalog::translate(const char* text) const {
    const char* found = pluralForm(text, 0);
    return found != nullptr ? found : text;
}

const char* MoCatalog::pluralForm(const char* singular, std::size_t form) const {
    if (count_ == 0 || *singular == '\0') {
        return nullptr;  // the empty text is the catalog's header
    }
    const std::size_t index = find(singular);
    if (index == count_) {
        return nullptr;
    }
    std::string_view forms = entry(translations_, index);
    for (std::size_t skipped = 0; skipped < form; ++skipped) {
        const std::size_t end = forms.find('\0');
        if (end == std::string_view::npos) {
            return nullptr;
        }
        forms.remove_prefix(end + 1);
    }
    // Every form ends with a NUL in the data: the last with the terminator past the length.
    return forms.empty() ? nullptr : forms.data();
}

}  // namespace vornelik
