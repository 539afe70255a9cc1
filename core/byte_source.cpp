// SPDX-License-Identifier: MIT
#include "core/byte_source.h"

#include <algorithm>

namespace vornelik {

std::size_t SpanSource::read(std::uint8_t* into, std::size_t room) {
    const std::size_t count = std::min(room, bytes_.size());
    std::copy_n(bytes_.begin(), count, into);
    bytes_ = bytes_.subspan(count);
    return count;
}

}  // namespace vornelik
