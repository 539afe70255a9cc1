// SPDX-License-Identifier: MIT
#pragma once

#include <sys/stat.h>
#include <string>
#include <string_view>

#include "files/file_system.h"

namespace vornelik {

// An output file on Linux. A regular file (or a new name) is written as a file with no name in
// the target's folder (O_TMPFILE) and linked into place only when complete, so that even a
// killed process leaves nothing behind; where the file system cannot do that, a named
// temporary in that folder is removed on every way out, signals included. A device or a FIFO
// is written directly. A symlink's target is what gets written.
class PosixOutput : public OutputFile {
  public:
    enum class Temporary { unnamedFirst, named };

    // Throws Failure naming the file and the reason when it cannot be written.
    PosixOutput(const std::string& path, unsigned codePage,
                Temporary temporary = Temporary::unnamedFirst);
    // Standard output, written directly.
    explicit PosixOutput(unsigned codePage);
    ~PosixOutput() override;
    PosixOutput(const PosixOutput&) = delete;
    PosixOutput& operator=(const PosixOutput&) = delete;

    void write(std::string_view text) override;
    void writeBytes(std::string_view bytes) override;
    void commit() override;
    bool canGoBack() const override { return !direct_; }
    void goBack(std::string_view start, std::uint64_t length) override;

  private:
    void openTemporary(const struct stat* replaced, Temporary temporary);
    void writePending();
    void discard();
    [[noreturn]] void fail(int error) const;

    std::string path_;    // as given, for messages
    std::string target_;  // the file that gets written: the end of any symlinks
    std::string named_;   // the named temporary while there is one
    unsigned codePage_;
    int fd_ = -1;
    bool direct_ = false;  // a device, a FIFO or standard output
    bool ownsFd_ = true;
    bool committed_ = false;
    std::string pending_;  // table lines are short: they go out in larger pieces
};

}  // namespace vornelik
