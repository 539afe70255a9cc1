// SPDX-License-Identifier: MIT
#include "cli/command_files.h"

#include <algorithm>
#include <iostream>

#include "core/failure.h"
#include "core/longest_sound.h"
#include "core/utf8.h"

#include "cli/file_reasons.h"
#include "cli/filled_text.h"
#include "cli/translation.h"  // last: its _ is a macro

namespace vornelik {

std::optional<std::vector<std::uint8_t>> readWholeFile(FileSystem& files, const std::string& name) {
    try {
        return files.readAll(name, kLongestSound);
    } catch (const std::exception& failure) {
        std::cerr << translatedReason(failure.what()) << '\n';
        return std::nullopt;
    }
}

std::vector<std::uint8_t> readShortStream(InputFile& file, const std::string& name,
                                          std::string_view command) {
    constexpr std::size_t kPiece = 256 * 1024;
    constexpr auto kMost = static_cast<std::size_t>(kLongestHeldStream);
    std::vector<std::uint8_t> bytes;
    bytes.reserve(kMost + 1);  // only the pages written are taken
    for (std::size_t got = 1; got > 0 && bytes.size() <= kMost;) {
        const std::size_t done = bytes.size();
        bytes.resize(done + std::min(kPiece, kMost + 1 - done));
        got = file.read(bytes.data() + done, bytes.size() - done);
        bytes.resize(done + got);
    }
    if (bytes.size() > kMost) {
        throw Failure(
            filled(_("{1} is a stream longer than {2} bytes, the most {3} holds to learn "
                     "a sound's length: save it to a file first"),
                   {readableName(name), std::to_string(kLongestHeldStream), std::string(command)}));
    }
    return bytes;
}

namespace {

bool saysOutputIsInput(const std::string& input, const std::string& output) {
    const auto shown = [](const std::string& name) {
        return name == "-" ? std::string("-") : readableName(name);
    };
    std::cerr << filled(_("the output {1} is the input {2} (the same file, under any names): "
                          "writing it would destroy the recording; choose another output"),
                        {shown(output), shown(input)})
              << '\n';
    return true;
}

}  // namespace

bool refusesOutputOverInput(FileSystem& files, const std::string& input,
                            const std::string& output) {
    return files.isSameFile(input, output) && saysOutputIsInput(input, output);
}

bool refusesOutputOverInput(FileSystem& files, const RandomAccessInput& opened,
                            const std::string& input, const std::string& output) {
    const std::optional<FileIdentity> read = opened.identity();
    return read && read == files.outputIdentity(output) && saysOutputIsInput(input, output);
}

bool writeWholeFile(FileSystem& files, const std::string& name, std::string_view bytes) {
    try {
        const std::unique_ptr<OutputFile> file = files.createOutput(name);
        file->writeBytes(bytes);
        file->commit();
        return true;
    } catch (const std::exception& failure) {
        std::cerr << translatedReason(failure.what()) << '\n';
        return false;
    }
}

}  // namespace vornelik
