// SPDX-License-Identifier: MIT
#pragma once

// The files the window's handlers use when a command wants the values of the table they write
// rather than the file: the sound is read as the table needs it, and the include file's text
// is read back into values as it is written (preview, hex, asm).

#include <memory>
#include <string>

#include "core/table_reader.h"
#include "files/file_system.h"

namespace vornelik {

// Where the captured table's values go; complete() follows the last of them, when the handler
// commits its file.
class TableValues : public ValueSink {
  public:
    virtual void complete() = 0;
};

class TableCapture : public ForwardingFileSystem {
  public:
    TableCapture(std::unique_ptr<FileSystem> files, std::string command, TableValues& values)
        : ForwardingFileSystem(std::move(files)), command_(std::move(command)), values_(values) {}

    // A regular file a block at a time; a stream held, up to kLongestHeldStream.
    SoundData openSound(const std::string& path, std::int64_t maxBytes) override;
    // Whatever the name, an output that only reads the table back.
    std::unique_ptr<OutputFile> createOutput(const std::string& path) override;

  private:
    std::string command_;
    TableValues& values_;
};

}  // namespace vornelik
