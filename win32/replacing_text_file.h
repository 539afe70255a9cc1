// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>

#include "ui/file_system.h"

namespace vornelik {

// An output text file in an ANSI code page that appears under its name whole or not at all: the
// text goes to a temporary file beside it, which replaces the named file only once it has been
// written completely. Until then a file already there stays as it was.
class ReplacingTextFile : public OutputFile {
  public:
    // Throws Failure when the temporary file cannot be created.
    ReplacingTextFile(const std::wstring& path, unsigned codePage);
    ~ReplacingTextFile() override;
    ReplacingTextFile(const ReplacingTextFile&) = delete;
    ReplacingTextFile& operator=(const ReplacingTextFile&) = delete;

    void write(std::string_view text) override;
    void writeBytes(std::string_view bytes) override;
    // Throws Failure when the file could not be completed; the temporary file is then gone.
    void commit() override;

  private:
    void flush();
    void discard();

    std::wstring path_;
    std::wstring temporaryPath_;
    void* handle_;  // the temporary file's HANDLE, or null once it is closed
    unsigned codePage_;
    std::string pending_;  // table lines are short: they go to the file in larger pieces
    bool committed_ = false;
};

}  // namespace vornelik
