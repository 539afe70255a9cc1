// SPDX-License-Identifier: MIT
#pragma once

#include "files/file_system.h"

namespace vornelik {

// The files of the program on Linux, named by the bytes the file system holds, so that any
// name works whatever its encoding. Inputs are read as they come, whatever they are: a file,
// a device, a FIFO (which waits for its writer, as cat does).
class PosixFileSystem : public PlatformFileSystem {
  public:
    // With standardStreams, the name "-" is standard input and standard output.
    PosixFileSystem(unsigned codePage, bool standardStreams)
        : PlatformFileSystem(codePage, standardStreams) {}

    std::int64_t fileLength(const std::string& path) override;
    std::unique_ptr<InputFile> openInput(const std::string& path) override;
    std::unique_ptr<OutputFile> createOutput(const std::string& path) override;
    std::unique_ptr<RandomAccessInput> openRandomAccess(const std::string& path,
                                                        std::int64_t maxBytes) override;
    std::optional<FileIdentity> outputIdentity(const std::string& path) override;
    bool isStandardOutput(const std::string& path) override;
    bool isSameFile(const std::string& input, const std::string& output) override;
};

}  // namespace vornelik
