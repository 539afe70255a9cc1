// SPDX-License-Identifier: MIT
#pragma once

// ReplacingOutputFile under the name it had when it wrote text only, for the file system's
// source, which another change is moving; it goes once that source names the new file.

#include "win32/replacing_output_file.h"

namespace vornelik {

using ReplacingTextFile = ReplacingOutputFile;

}  // namespace vornelik
