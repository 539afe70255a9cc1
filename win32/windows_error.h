// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>

#include "core/failure.h"

namespace vornelik {

// A failure that names the file and gives Windows' own words for the last error, so that the
// command line can say why: "cannot open C:\ses.wav: The system cannot find the file ...".
Failure windowsFailure(std::string_view what, const std::wstring& path);

}  // namespace vornelik
