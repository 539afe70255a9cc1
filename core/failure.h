// SPDX-License-Identifier: MIT
#pragma once

#include <stdexcept>

namespace vornelik {

// The one error type of the core: an overflow, a non-finite result, a sample that is not there.
// Commands that trap failures end silently on it; the others stop at the failing step.
class Failure : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

}  // namespace vornelik
