// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <vector>

namespace vornelik {

// "{1}", "{2}"... in a translated text, filled with the parts in their order: a translation
// puts the parts where its own word order wants them.
std::string filled(std::string text, const std::vector<std::string>& parts);

// A number written with a point ("0.20"), with the decimal separator of the chosen language's
// prose ("0,20" in Turkish); values to copy into a command line keep their point.
std::string inProse(std::string number);

}  // namespace vornelik
