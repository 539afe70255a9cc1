// SPDX-License-Identifier: MIT
#pragma once

// Output files that appear only whole: written under a temporary name beside the final one and
// renamed into place when complete, so that a failure leaves no partial file and any old file
// of that name as it was.

#include <filesystem>
#include <string>
#include <string_view>

namespace vornelik {

// A path from a UTF-8 name, as the command line gives names on every platform.
std::filesystem::path pathFromUtf8(std::string_view name);
// And back: a path's native narrow form need not be UTF-8.
std::string utf8Of(const std::filesystem::path& path);

class ReplacingFile {
  public:
    explicit ReplacingFile(std::filesystem::path target);
    ~ReplacingFile();  // removes the temporary file unless it was committed
    ReplacingFile(const ReplacingFile&) = delete;
    ReplacingFile& operator=(const ReplacingFile&) = delete;

    // Where to write meanwhile.
    const std::filesystem::path& temporary() const { return temporary_; }

    // Puts the temporary file in the target's place. Throws std::runtime_error with the reason.
    void commit();

  private:
    std::filesystem::path target_;
    std::filesystem::path temporary_;
    bool committed_ = false;
};

// Writes `bytes` as the file named `name` (UTF-8), whole; "-" is standard output. Throws
// std::runtime_error with the reason.
void writeWholeFile(const std::string& name, std::string_view bytes);

}  // namespace vornelik
