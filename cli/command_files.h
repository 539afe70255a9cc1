// SPDX-License-Identifier: MIT
#pragma once

// What every command does with its files, through the platform's one file layer, where "-" is
// standard input or standard output. Each says why it failed on standard error.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "files/file_system.h"

namespace vornelik {

// A whole input file's bytes, up to the longest sound the program takes, or nothing.
std::optional<std::vector<std::uint8_t>> readWholeFile(FileSystem& files, const std::string& name);

// The most of a stream (standard input, a pipe) a command that needs a sound's length before its
// first byte holds in memory to learn it; a regular file is never held.
inline constexpr std::int64_t kLongestHeldStream = 32 * 1024 * 1024;

// A stream's bytes, when it ends within kLongestHeldStream bytes. A longer one throws a Failure
// that says why and what to do instead, as does a failure to read.
std::vector<std::uint8_t> readShortStream(InputFile& file, const std::string& name,
                                          std::string_view command);

// Whether the output is the input, under its own or another name (a symlink, a hard link):
// such an output is refused before anything is written, as it would destroy the recording.
bool refusesOutputOverInput(FileSystem& files, const std::string& input, const std::string& output);
// The same for an input already open: the file it reads is the one compared.
bool refusesOutputOverInput(FileSystem& files, const RandomAccessInput& opened,
                            const std::string& input, const std::string& output);

// Writes the bytes as the file `name`: a regular file is replaced only whole. False on failure.
bool writeWholeFile(FileSystem& files, const std::string& name, std::string_view bytes);

}  // namespace vornelik
