// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "files/file_system.h"

namespace vornelik {

// The handlers' files through the wide Windows API, so that any name the user can choose works
// whatever the ANSI code page; output files are written in the given code page.
class WindowsFileSystem : public PlatformFileSystem {
  public:
    // With standardStreams, the name "-" is standard input and standard output.
    explicit WindowsFileSystem(unsigned codePage, bool standardStreams = false)
        : PlatformFileSystem(codePage, standardStreams) {}

    std::int64_t fileLength(const std::string& path) override;
    std::unique_ptr<InputFile> openInput(const std::string& path) override;
    std::vector<std::uint8_t> readAll(const std::string& path, std::int64_t maxBytes) override;
    std::unique_ptr<OutputFile> createOutput(const std::string& path) override;
    std::unique_ptr<RandomAccessInput> openRandomAccess(const std::string& path,
                                                        std::int64_t maxBytes) override;
    std::optional<FileIdentity> outputIdentity(const std::string& path) override;
    bool isSameFile(const std::string& input, const std::string& output) override;
};

}  // namespace vornelik
