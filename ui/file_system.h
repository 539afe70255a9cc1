// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/text_sink.h"

namespace vornelik {

// An output text file that takes UTF-8 and holds it in the code page it was made for. It
// appears under its name only through commit(), whole; dropped without commit, it leaves any
// file of that name as it was and no trace beside it.
class OutputFile : public TextSink {
  public:
    // Throws when the file could not be completed: nothing is replaced then.
    virtual void commit() = 0;
};

// The files the handlers touch, through the platform's own file system. Paths are UTF-8.
// Every failure throws.
class FileSystem {
  public:
    virtual ~FileSystem() = default;

    // The length the file system reports for the file.
    virtual std::int64_t fileLength(const std::string& path) = 0;
    // The bytes the file holds when it is read to its end, which need not be as many as its
    // reported length; more than maxBytes is a failure.
    virtual std::vector<std::uint8_t> readAll(const std::string& path, std::int64_t maxBytes) = 0;
    virtual std::unique_ptr<OutputFile> createOutput(const std::string& path) = 0;
};

}  // namespace vornelik
