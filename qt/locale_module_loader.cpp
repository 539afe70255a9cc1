// SPDX-License-Identifier: MIT
// The command line's locale facts, read through the locale module, loaded on first use.

#include <dlfcn.h>

#include <array>
#include <filesystem>
#include <stdexcept>
#include <string>

#include "qt/locale_module.h"
#include "ui/platform.h"

namespace vornelik {

LocaleFacts systemLocaleFacts() {
    std::error_code error;
    const std::filesystem::path folder =
        std::filesystem::read_symlink("/proc/self/exe", error).parent_path();
    const std::filesystem::path beside = folder / VORNELIK_LOCALE_MODULE;
    const std::filesystem::path installed =
        folder / VORNELIK_LOCALE_MODULE_FOLDER / VORNELIK_LOCALE_MODULE;
    // Kept loaded: Qt Core stays in the process once it has started.
    void* module = dlopen(beside.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (module == nullptr) {
        module = dlopen(installed.c_str(), RTLD_NOW | RTLD_LOCAL);
    }
    if (module == nullptr) {
        throw std::runtime_error(std::string("cannot load the locale module: ") + dlerror());
    }
    const auto read =
        reinterpret_cast<decltype(&vornelikLocaleFacts)>(dlsym(module, "vornelikLocaleFacts"));
    std::array<char, 64> separator{};
    LocaleFacts facts;
    if (read == nullptr || read(separator.data(), separator.size(), &facts.codePage) == 0) {
        throw std::runtime_error("cannot read the locale through " + installed.string());
    }
    facts.decimalSeparator = separator.data();
    return facts;
}

}  // namespace vornelik
