// SPDX-License-Identifier: MIT
#include "qt/locale_module.h"

#include <cstring>

#include "qt/qt_platform.h"

extern "C" __attribute__((visibility("default"))) int vornelikLocaleFacts(char* separator,
                                                                          std::size_t room,
                                                                          unsigned* codePage) {
    const vornelik::LocaleFacts facts = vornelik::systemLocaleFacts();
    if (facts.decimalSeparator.size() >= room) {
        return 0;
    }
    std::memcpy(separator, facts.decimalSeparator.c_str(), facts.decimalSeparator.size() + 1);
    *codePage = facts.codePage;
    return 1;
}
