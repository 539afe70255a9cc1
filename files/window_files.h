// SPDX-License-Identifier: MIT
#pragma once

// The files the window's handlers touch: a sound's length and bytes, and an output written
// whole. Each platform's file system (files/file_system.h) gives the commands more; the window
// sees only this.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "core/sound_data.h"
#include "core/text_sink.h"

namespace vornelik {

// An output file. Text is taken in UTF-8 and written in the code page the file was made for;
// bytes go out as they are. A regular file appears under its name only through commit(),
// whole, with the mode and owner of the file it replaces; dropped without commit, it leaves
// any file of that name as it was and no trace beside it. A device, a pipe or standard output
// is written directly, as the text comes, and commit() sends the rest. Every failure throws,
// naming the file and the system's reason.
class OutputFile : public TextSink {
  public:
    virtual void writeBytes(std::string_view bytes) = 0;
    virtual void commit() = 0;

    // A regular file, made under a name of its own until commit(), can go back: `start` over
    // its first bytes and what follows `length` bytes cut off. A device, a pipe or standard
    // output cannot, and throws.
    virtual bool canGoBack() const { return false; }
    virtual void goBack(std::string_view start, std::uint64_t length);
};

class WindowFiles {
  public:
    virtual ~WindowFiles() = default;

    // The length the file system reports for the file: 0 for a stream, which is measured as it
    // is read.
    virtual std::int64_t fileLength(const std::string& path) = 0;
    // The sound the window works with, read to its end.
    virtual SoundData openSound(const std::string& path, std::int64_t maxBytes) = 0;
    virtual std::unique_ptr<OutputFile> createOutput(const std::string& path) = 0;
};

}  // namespace vornelik
