// SPDX-License-Identifier: MIT
#include "posix/posix_file_system.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "core/failure.h"
#include "core/utf8.h"
#include "posix/posix_output.h"
#include "ui/platform.h"

namespace vornelik {
namespace {

[[noreturn]] void cannotRead(const std::string& name, int error) {
    throw Failure("cannot read " + readableName(name) + ": " + std::strerror(error));
}

FileIdentity identityOf(const struct stat& status) {
    return {static_cast<std::uint64_t>(status.st_dev), static_cast<std::uint64_t>(status.st_ino)};
}

// The regular file a descriptor or a name is; none for anything else or a name not there.
std::optional<FileIdentity> regularFileAt(int fd) {
    struct stat status {};
    if (fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        return std::nullopt;
    }
    return identityOf(status);
}

std::optional<FileIdentity> regularFileAt(const std::string& path) {
    struct stat status {};
    if (stat(path.c_str(), &status) != 0 || !S_ISREG(status.st_mode)) {
        return std::nullopt;
    }
    return identityOf(status);
}

int openForReading(const std::string& path) {
    int fd = -1;
    do {
        fd = open(path.c_str(), O_RDONLY | O_NOCTTY | O_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        cannotRead(path, errno);
    }
    return fd;
}

// A file with no name, gone when closed, in $TMPDIR or /tmp; where the file system cannot make
// one, a named temporary removed at once.
int unnamedTemporary(const std::string& forName) {
    const char* folder = std::getenv("TMPDIR");
    const std::string where = folder != nullptr && *folder != '\0' ? folder : "/tmp";
    int fd = open(where.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
    if (fd < 0) {
        std::string named = where + "/.vornelik-XXXXXX";
        fd = mkostemp(named.data(), O_CLOEXEC);
        if (fd < 0) {
            throw Failure("cannot copy " + readableName(forName) + " into a temporary file in " +
                          readableName(where) + ": " + std::strerror(errno));
        }
        unlink(named.c_str());
    }
    return fd;
}

class PosixRandomInput : public RandomAccessInput {
  public:
    PosixRandomInput(int fd, std::string name, std::int64_t size,
                     std::optional<FileIdentity> identity, bool owned)
        : fd_(fd), name_(std::move(name)), size_(size), identity_(identity), owned_(owned) {}
    ~PosixRandomInput() override {
        if (owned_) {
            close(fd_);
        }
    }
    PosixRandomInput(const PosixRandomInput&) = delete;
    PosixRandomInput& operator=(const PosixRandomInput&) = delete;

    std::int64_t size() const override { return size_; }
    std::optional<FileIdentity> identity() const override { return identity_; }
    std::size_t readAt(std::int64_t position, std::uint8_t* into, std::size_t room) override {
        for (;;) {
            const ssize_t got = pread(fd_, into, room, static_cast<off_t>(position));
            if (got >= 0) {
                return static_cast<std::size_t>(got);
            }
            if (errno != EINTR) {
                cannotRead(name_, errno);
            }
        }
    }

  private:
    int fd_;
    std::string name_;
    std::int64_t size_;
    std::optional<FileIdentity> identity_;
    bool owned_;
};

// The stream's bytes, read once to its end, in an unnamed temporary file.
std::unique_ptr<RandomAccessInput> copiedStream(int from, const std::string& name,
                                                std::int64_t maxBytes) {
    const int copy = unnamedTemporary(name);
    struct Closer {
        int fd;
        ~Closer() {
            if (fd >= 0) {
                close(fd);
            }
        }
    } closer{copy};
    std::vector<char> piece(256 * 1024);
    std::int64_t copied = 0;
    for (;;) {
        const ssize_t got = ::read(from, piece.data(), piece.size());
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            cannotRead(name, errno);
        }
        if (got == 0) {
            break;
        }
        copied += got;
        if (copied > maxBytes) {
            throw Failure(readableName(name) + " is a stream longer than " +
                          std::to_string(maxBytes) +
                          " bytes, the most that is copied to be read more than once: save it to "
                          "a file first");
        }
        for (ssize_t done = 0; done < got;) {
            const ssize_t written =
                ::write(copy, piece.data() + done, static_cast<std::size_t>(got - done));
            if (written < 0 && errno == EINTR) {
                continue;
            }
            if (written < 0) {
                throw Failure("cannot copy " + readableName(name) +
                              " into a temporary file: " + std::strerror(errno));
            }
            done += written;
        }
    }
    closer.fd = -1;
    return std::make_unique<PosixRandomInput>(copy, name, copied, std::nullopt, true);
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

std::unique_ptr<RandomAccessInput> PosixFileSystem::openRandomAccess(const std::string& path,
                                                                     std::int64_t maxBytes) {
    const bool standard = isStandardStream(path);
    const std::string name = standard ? "standard input" : path;
    const int fd = standard ? STDIN_FILENO : openForReading(path);
    struct stat status {};
    if (fstat(fd, &status) != 0 || S_ISDIR(status.st_mode)) {
        const int error = S_ISDIR(status.st_mode) ? EISDIR : errno;
        if (!standard) {
            close(fd);
        }
        cannotRead(name, error);
    }
    if (S_ISREG(status.st_mode)) {
        // Read from its first byte at positions of its own: standard input's offset is
        // neither used nor moved.
        return std::make_unique<PosixRandomInput>(fd, name, status.st_size, identityOf(status),
                                                  !standard);
    }
    try {
        std::unique_ptr<RandomAccessInput> copy = copiedStream(fd, name, maxBytes);
        if (!standard) {
            close(fd);
        }
        return copy;
    } catch (...) {
        if (!standard) {
            close(fd);
        }
        throw;
    }
}

std::optional<FileIdentity> PosixFileSystem::outputIdentity(const std::string& path) {
    return isStandardStream(path) ? regularFileAt(STDOUT_FILENO) : regularFileAt(path);
}

bool PosixFileSystem::isStandardOutput(const std::string& path) {
    if (isStandardStream(path)) {
        return true;
    }
    struct stat named {};
    struct stat standard {};
    return stat(path.c_str(), &named) == 0 && fstat(STDOUT_FILENO, &standard) == 0 &&
           identityOf(named) == identityOf(standard);
}

bool PosixFileSystem::isSameFile(const std::string& input, const std::string& output) {
    const std::optional<FileIdentity> read =
        isStandardStream(input) ? regularFileAt(STDIN_FILENO) : regularFileAt(input);
    return read && read == outputIdentity(output);
}

std::unique_ptr<FileSystem> makeSystemFileSystem(unsigned codePage) {
    return std::make_unique<PosixFileSystem>(codePage, false);
}

std::unique_ptr<FileSystem> makeCommandLineFileSystem(unsigned codePage) {
    return std::make_unique<PosixFileSystem>(codePage, true);
}

}  // namespace vornelik
