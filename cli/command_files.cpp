// SPDX-License-Identifier: MIT
#include "cli/command_files.h"

#include <iostream>

#include "core/longest_sound.h"
#include "core/utf8.h"

namespace vornelik {

std::optional<std::vector<std::uint8_t>> readWholeFile(FileSystem& files, const std::string& name) {
    try {
        return files.readAll(name, kLongestSound);
    } catch (const std::exception& failure) {
        std::cerr << failure.what() << '\n';
        return std::nullopt;
    }
}

bool refusesOutputOverInput(FileSystem& files, const std::string& input,
                            const std::string& output) {
    if (!files.isSameFile(input, output)) {
        return false;
    }
    std::cerr << "the output " << readableName(output) << " is the input " << readableName(input)
              << ": writing it would destroy the recording; choose another output\n";
    return true;
}

bool writeWholeFile(FileSystem& files, const std::string& name, std::string_view bytes) {
    try {
        const std::unique_ptr<OutputFile> file = files.createOutput(name);
        file->writeBytes(bytes);
        file->commit();
        return true;
    } catch (const std::exception& failure) {
        std::cerr << failure.what() << '\n';
        return false;
    }
}

}  // namespace vornelik
