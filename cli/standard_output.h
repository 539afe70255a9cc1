// SPDX-License-Identifier: MIT
#pragma once

#include <memory>

#include "ui/file_system.h"

namespace vornelik {

// The platform's files, where the output name "-" means standard output: the text is made in
// a temporary file, so that it is encoded as any output file is, and goes out only whole.
class StandardOutputFiles : public FileSystem {
  public:
    explicit StandardOutputFiles(std::unique_ptr<FileSystem> files) : files_(std::move(files)) {}

    std::int64_t fileLength(const std::string& path) override { return files_->fileLength(path); }
    std::vector<std::uint8_t> readAll(const std::string& path, std::int64_t maxBytes) override {
        return files_->readAll(path, maxBytes);
    }
    std::unique_ptr<OutputFile> createOutput(const std::string& path) override;

  private:
    std::unique_ptr<FileSystem> files_;
};

}  // namespace vornelik
