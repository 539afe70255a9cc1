// SPDX-License-Identifier: MIT
#include "qt/posix_file_system.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "core/failure.h"
#include "core/utf8.h"
#include "qt/posix_output.h"
#include "ui/platform.h"

namespace vornelik {
namespace {

[[noreturn]] void cannotRead(const std::string& name, int error) {
    throw Failure("cannot read " + readableName(name) + ": " + std::strerror(error));
}

class PosixInput : public InputFile {
  public:
    // Standard input.
    PosixInput() : name_("standard input"), fd_(STDIN_FILENO), owned_(false) {}

    explicit PosixInput(const std::string& path) : name_(path) {
        do {
            fd_ = open(path.c_str(), O_RDONLY | O_NOCTTY | O_CLOEXEC);
        } while (fd_ < 0 && errno == EINTR);
        if (fd_ < 0) {
            cannotRead(name_, errno);
        }
        struct stat status {};
        if (fstat(fd_, &status) != 0) {
            const int error = errno;
            close(fd_);
            cannotRead(name_, error);
        }
        if (S_ISDIR(status.st_mode)) {
            close(fd_);
            cannotRead(name_, EISDIR);
        }
        if (S_ISREG(status.st_mode)) {
            knownSize_ = status.st_size;
        }
    }
    ~PosixInput() override {
        if (owned_) {
            close(fd_);
        }
    }
    PosixInput(const PosixInput&) = delete;
    PosixInput& operator=(const PosixInput&) = delete;

    std::int64_t knownSize() const override { return knownSize_; }

    std::size_t read(std::uint8_t* into, std::size_t room) override {
        for (;;) {
            const ssize_t got = ::read(fd_, into, room);
            if (got >= 0) {
                return static_cast<std::size_t>(got);
            }
            if (errno != EINTR) {
                cannotRead(name_, errno);
            }
        }
    }

  private:
    std::string name_;
    int fd_ = -1;
    bool owned_ = true;
    std::int64_t knownSize_ = -1;
};

}  // namespace

std::int64_t PosixFileSystem::fileLength(const std::string& path) {
    if (isStandardStream(path)) {
        return 0;
    }
    struct stat status {};
    if (stat(path.c_str(), &status) != 0) {
        cannotRead(path, errno);
    }
    if (S_ISDIR(status.st_mode)) {
        cannotRead(path, EISDIR);
    }
    return S_ISREG(status.st_mode) ? status.st_size : 0;
}

std::unique_ptr<InputFile> PosixFileSystem::openInput(const std::string& path) {
    if (isStandardStream(path)) {
        return std::make_unique<PosixInput>();
    }
    return std::make_unique<PosixInput>(path);
}

std::unique_ptr<OutputFile> PosixFileSystem::createOutput(const std::string& path) {
    if (isStandardStream(path)) {
        return std::make_unique<PosixOutput>(codePage());
    }
    return std::make_unique<PosixOutput>(path, codePage());
}

bool PosixFileSystem::isSameFile(const std::string& first, const std::string& second) {
    struct stat one {};
    struct stat other {};
    if (isStandardStream(first) || isStandardStream(second) || stat(first.c_str(), &one) != 0 ||
        stat(second.c_str(), &other) != 0) {
        return false;
    }
    return one.st_dev == other.st_dev && one.st_ino == other.st_ino;
}

std::unique_ptr<FileSystem> makeSystemFileSystem(unsigned codePage) {
    return std::make_unique<PosixFileSystem>(codePage, false);
}

std::unique_ptr<FileSystem> makeCommandLineFileSystem(unsigned codePage) {
    return std::make_unique<PosixFileSystem>(codePage, true);
}

}  // namespace vornelik
