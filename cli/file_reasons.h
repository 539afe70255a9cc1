// SPDX-License-Identifier: MIT
#pragma once

#include <string>

namespace vornelik {

// A reason the file layers or core give in English (they carry no catalog), in the chosen
// language where the catalog has its pattern; as given otherwise.
std::string translatedReason(const std::string& reason);

}  // namespace vornelik
