// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vornelik {

// The one way the Windows programs write a file, at any path length. A file on a disk appears
// under its name whole or not at all: the bytes go to a temporary file beside it, flushed to
// the disk and moved into its place with write-through once complete; until then a file already
// there stays as it was. A read-only file or a folder of that name is refused before anything
// is written. A device (NUL, CON, a pipe) is written directly, every write checked.
class WindowsOutput {
  public:
    // Throws Failure naming the path and the reason when it cannot be written.
    explicit WindowsOutput(const std::wstring& path);
    ~WindowsOutput();  // without commit(), removes the temporary file
    WindowsOutput(const WindowsOutput&) = delete;
    WindowsOutput& operator=(const WindowsOutput&) = delete;

    void write(std::string_view bytes);
    // A file on a disk can go back before commit(): `start` over its first bytes, and what
    // follows `length` bytes cut off. A device cannot.
    bool canGoBack() const { return !temporaryPath_.empty(); }
    void goBack(std::string_view start, std::uint64_t length);
    // Throws Failure when the file could not be completed; the temporary file is then gone.
    void commit();

  private:
    void flush();
    void discard();

    std::wstring path_;           // as the user gave it, for messages
    std::wstring target_;         // its full "\\?\" form
    std::wstring temporaryPath_;  // empty for a device
    void* handle_ = nullptr;      // the HANDLE written to, or null once it is closed
    std::string pending_;         // table lines are short: they go out in larger pieces
    bool committed_ = false;
};

}  // namespace vornelik
