// SPDX-License-Identifier: MIT
#pragma once

// The window's own handlers, run on the headless face as a user would press the buttons.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/sample_table.h"
#include "files/file_system.h"
#include "ui/locale_facts.h"

namespace vornelik {

struct OutputRequest {
    std::string sound;
    std::string output;
    std::optional<std::string> start;  // typed into the start box when given
    std::optional<std::string> end;    // typed into the end box; else the size the open sets
    Quality quality = Quality::good;
    bool include = false;  // the include file instead of the program file
};

struct OutputOutcome {
    enum class Status { written, checkFailed, unreadableSound, unwritableOutput };
    Status status = Status::written;
    std::vector<std::string> messages;  // what the window would have shown in message boxes
    std::string reason;                 // what failed, for the user
    std::int64_t tableBytes = 0;  // values in the written table, a byte of program memory each
};

// Opens the sound, types the offsets, presses the quality button, the check and the write
// button with the output path as the Save dialog's answer. The output file is exactly what
// the window writes for the same texts and locale.
OutputOutcome runWindow(const OutputRequest& request, FileSystem& files, LocaleFacts locale);

}  // namespace vornelik
