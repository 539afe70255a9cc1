// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>

#include "files/file_system.h"
#include "win32/windows_output.h"

namespace vornelik {

// A named output file, written through WindowsOutput so that it appears under its name whole or
// not at all: text in an ANSI code page, bytes (a WAV file's) as they are.
class ReplacingOutputFile : public OutputFile {
  public:
    // Throws Failure when the file cannot be written.
    ReplacingOutputFile(const std::wstring& path, unsigned codePage)
        : file_(path), codePage_(codePage) {}

    void write(std::string_view text) override;
    void writeBytes(std::string_view bytes) override { file_.write(bytes); }
    bool canGoBack() const override { return file_.canGoBack(); }
    void goBack(std::string_view start, std::uint64_t length) override {
        file_.goBack(start, length);
    }
    // Throws Failure when the file could not be completed; the temporary file is then gone.
    void commit() override { file_.commit(); }

  private:
    WindowsOutput file_;
    unsigned codePage_;
};

}  // namespace vornelik
