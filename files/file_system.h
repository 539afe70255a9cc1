// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/byte_source.h"
#include "files/window_files.h"

namespace vornelik {

// An input opened for reading from its start to its end; read() throws naming the file and the
// reason.
class InputFile : public ByteSource {
  public:
    // The size a regular file has as it is opened; -1 for a stream, whose size shows only as
    // it is read.
    virtual std::int64_t knownSize() const = 0;
};

// Reads the file to its end, which need not be at its known size. A file known to hold more
// than maxBytes is refused before any byte is read, a stream as soon as it passes maxBytes.
// The vector has room for one byte more, so that the window's trailing 0 costs nothing.
std::vector<std::uint8_t> readToEnd(InputFile& file, const std::string& name,
                                    std::int64_t maxBytes);

// Which file a name or an open file is, whatever its names: the device and inode on Linux, the
// volume serial and file index on Windows.
struct FileIdentity {
    std::uint64_t volume = 0;
    std::uint64_t index = 0;
    bool operator==(const FileIdentity&) const = default;
};

// An input read at any position, as often as a decoder likes. A regular file is read where it
// is; a stream (standard input, a pipe, a FIFO, a device) is copied once, as it comes, into an
// unnamed temporary file that goes with it, so that it is never opened or read twice.
class RandomAccessInput {
  public:
    virtual ~RandomAccessInput() = default;
    virtual std::int64_t size() const = 0;
    // Up to `room` bytes from `position`; 0 at the end. Throws naming the file and the reason.
    virtual std::size_t readAt(std::int64_t position, std::uint8_t* into, std::size_t room) = 0;
    // The regular file read; none for a stream, whose copy is nobody's file.
    virtual std::optional<FileIdentity> identity() const = 0;
    // Whether it came from a stream and was copied.
    bool copied() const { return !identity(); }
};

class FileSystem;

// The file opened for reading, refused as readToEnd refuses it: one known to hold more than
// maxBytes before any byte is read, a stream as soon as it passes maxBytes.
std::unique_ptr<InputFile> openBoundedInput(FileSystem& files, const std::string& path,
                                            std::int64_t maxBytes);

// The files the handlers and the commands touch, through the platform's own file system: what
// the window uses, and what the commands read and compare besides. Paths are what the
// platform's names are made of: bytes on Linux, UTF-8 on Windows. Every failure throws, naming
// the file and the system's reason.
class FileSystem : public WindowFiles {
  public:
    virtual std::unique_ptr<InputFile> openInput(const std::string& path) = 0;
    // The bytes the file holds when it is read to its end, as readToEnd reads them.
    virtual std::vector<std::uint8_t> readAll(const std::string& path, std::int64_t maxBytes);
    // By default readAll's bytes, held whole.
    SoundData openSound(const std::string& path, std::int64_t maxBytes) override;
    // The input for a decoder: a stream is copied as it is read, and one longer than maxBytes is
    // refused as soon as it passes them. This base has no temporary files and throws.
    virtual std::unique_ptr<RandomAccessInput> openRandomAccess(const std::string& path,
                                                                std::int64_t maxBytes);
    // The regular file that writing `path` would replace or write into, found by what the name
    // leads to; none for a device, a pipe, a name not there. This base knows none.
    virtual std::optional<FileIdentity> outputIdentity(const std::string& path);
    // Whether the name is standard output, as "-" or as a name that leads to it
    // (/dev/stdout): what a command tells goes to standard error then.
    virtual bool isStandardOutput(const std::string& path) { return path == "-"; }
    // Whether writing `output` would replace or write into the regular file `input` reads,
    // under any names, standard input and standard output included; false when either is not
    // there, and for a device or a pipe, which writing does not destroy.
    virtual bool isSameFile(const std::string& input, const std::string& output) = 0;
};

// The base of each platform's own file system: the code page its text outputs are written in,
// and whether the name "-" stands for standard input and standard output, as it does for the
// command line.
class PlatformFileSystem : public FileSystem {
  protected:
    PlatformFileSystem(unsigned codePage, bool standardStreams)
        : codePage_(codePage), standardStreams_(standardStreams) {}

    unsigned codePage() const { return codePage_; }
    bool isStandardStream(const std::string& path) const { return standardStreams_ && path == "-"; }

  private:
    unsigned codePage_;
    bool standardStreams_;
};

// A file system that passes every call on to another; a wrapper overrides only what it
// changes.
class ForwardingFileSystem : public FileSystem {
  public:
    explicit ForwardingFileSystem(FileSystem& files) : files_(files) {}
    explicit ForwardingFileSystem(std::unique_ptr<FileSystem> files)
        : owned_(std::move(files)), files_(*owned_) {}

    std::int64_t fileLength(const std::string& path) override { return files_.fileLength(path); }
    std::unique_ptr<InputFile> openInput(const std::string& path) override {
        return files_.openInput(path);
    }
    std::vector<std::uint8_t> readAll(const std::string& path, std::int64_t maxBytes) override {
        return files_.readAll(path, maxBytes);
    }
    SoundData openSound(const std::string& path, std::int64_t maxBytes) override {
        return files_.openSound(path, maxBytes);
    }
    std::unique_ptr<OutputFile> createOutput(const std::string& path) override {
        return files_.createOutput(path);
    }
    std::unique_ptr<RandomAccessInput> openRandomAccess(const std::string& path,
                                                        std::int64_t maxBytes) override {
        return files_.openRandomAccess(path, maxBytes);
    }
    std::optional<FileIdentity> outputIdentity(const std::string& path) override {
        return files_.outputIdentity(path);
    }
    bool isStandardOutput(const std::string& path) override {
        return files_.isStandardOutput(path);
    }
    bool isSameFile(const std::string& input, const std::string& output) override {
        return files_.isSameFile(input, output);
    }

    // The file system the calls go to.
    FileSystem& inner() { return files_; }

  private:
    std::unique_ptr<FileSystem> owned_;
    FileSystem& files_;
};

}  // namespace vornelik
