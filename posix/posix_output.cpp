// SPDX-License-Identifier: MIT
#include "posix/posix_output.h"

#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <random>
#include <utility>

#include "core/best_fit.h"
#include "core/code_page.h"
#include "core/failure.h"
#include "core/path_folder.h"
#include "core/utf8.h"

namespace vornelik {
namespace {

constexpr std::size_t kPieceSize = 64 * 1024;

// The named temporaries a signal must remove; a handler may do no more than unlink them.
std::array<std::atomic<const char*>, 8> gTemporaries{};

extern "C" void removeTemporariesAndStop(int signal) {
    for (auto& slot : gTemporaries) {
        if (const char* name = slot.load()) {
            unlink(name);
        }
    }
    // The handler was reset on entry: the signal now does what it would have done.
    raise(signal);
}

// Signals that end the process: a temporary must not outlive it. One the program ignores
// (SIGXFSZ, SIGPIPE in a test) or handles itself is left as it is.
void removeTemporariesOnSignals() {
    for (const int signal : {SIGHUP, SIGINT, SIGTERM, SIGPIPE, SIGXFSZ}) {
        struct sigaction current {};
        if (sigaction(signal, nullptr, &current) != 0 || current.sa_handler != SIG_DFL ||
            (current.sa_flags & SA_SIGINFO) != 0) {
            continue;
        }
        struct sigaction action {};
        action.sa_handler = removeTemporariesAndStop;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESETHAND;
        sigaction(signal, &action, nullptr);
    }
}

void keepTrackOf(const char* name) {
    removeTemporariesOnSignals();
    for (auto& slot : gTemporaries) {
        const char* empty = nullptr;
        if (slot.compare_exchange_strong(empty, name)) {
            return;
        }
    }
}

void forget(const char* name) {
    for (auto& slot : gTemporaries) {
        const char* mine = name;
        slot.compare_exchange_strong(mine, nullptr);
    }
}

// The folder the path's file is in, with its last slash; "./" where the path names none.
std::string folderOf(const std::string& path) {
    const std::string_view folder = folderPart<char>(path, "/");
    return folder.empty() ? "./" : std::string(folder);
}

// The file a name leads to through symlinks; it need not exist yet.
std::string endOfLinks(std::string path) {
    for (int hop = 0; hop < 40; ++hop) {
        struct stat status {};
        if (lstat(path.c_str(), &status) != 0 || !S_ISLNK(status.st_mode)) {
            return path;
        }
        std::string link(4096, '\0');
        const ssize_t length = readlink(path.c_str(), link.data(), link.size());
        if (length < 0) {
            return path;
        }
        link.resize(static_cast<std::size_t>(length));
        path = link.starts_with('/') ? link : folderOf(path) + link;
    }
    return path;  // a loop of links: opening it gives the system's reason
}

// A name for a temporary beside the target, short whatever the target's name.
std::string temporaryName(const std::string& folder) {
    static constexpr char kLetters[] = "0123456789abcdefghijklmnopqrstuvwxyz";
    std::random_device random;
    std::string name = folder + ".vornelik-";
    for (int i = 0; i < 8; ++i) {
        name += kLetters[random() % 36];
    }
    return name;
}

mode_t newFileMode() {
    const mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

// A device, a FIFO or a socket the name leads to, opened for writing, or -1 for anything else. It
// is opened by its name as given: a link such as /dev/stdout ends in /proc at "pipe:[N]", which
// is no path. Standard output itself, a socket among others, is written through its own
// descriptor.
int directTarget(const std::string& path) {
    struct stat status {};
    if (path.empty() || stat(path.c_str(), &status) != 0 || S_ISREG(status.st_mode) ||
        S_ISDIR(status.st_mode)) {
        return -1;
    }
    struct stat standard {};
    if (fstat(STDOUT_FILENO, &standard) == 0 && standard.st_dev == status.st_dev &&
        standard.st_ino == status.st_ino) {
        return fcntl(STDOUT_FILENO, F_DUPFD_CLOEXEC, 0);
    }
    return open(path.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
}

}  // namespace

PosixOutput::PosixOutput(const std::string& path, unsigned codePage, Temporary temporary)
    : path_(path), codePage_(codePage) {
    if (!isAnsiCodePage(codePage)) {
        throw Failure("code page " + std::to_string(codePage) + " is not an ANSI code page");
    }
    if (path.empty()) {
        throw Failure("cannot write a file with an empty name: give the output a name");
    }
    pending_.reserve(kPieceSize);
    if ((fd_ = directTarget(path)) >= 0) {
        direct_ = true;
        return;
    }
    target_ = endOfLinks(path);
    struct stat status {};
    if (stat(target_.c_str(), &status) != 0) {
        if (errno != ENOENT) {
            fail(errno);
        }
        openTemporary(nullptr, temporary);
    } else if (S_ISDIR(status.st_mode)) {
        fail(EISDIR);
    } else if (!S_ISREG(status.st_mode)) {
        fd_ = open(target_.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
        if (fd_ < 0) {
            fail(errno);
        }
        direct_ = true;
    } else if (faccessat(AT_FDCWD, target_.c_str(), W_OK, AT_EACCESS) != 0) {
        // A file the user may not write is refused, as writing into it would be.
        fail(errno);
    } else {
        openTemporary(&status, temporary);
    }
}

PosixOutput::PosixOutput(unsigned codePage)
    : path_("standard output"),
      codePage_(codePage),
      fd_(STDOUT_FILENO),
      direct_(true),
      ownsFd_(false) {
    pending_.reserve(kPieceSize);
}

PosixOutput::~PosixOutput() {
    if (!committed_) {
        discard();
    }
}

void PosixOutput::openTemporary(const struct stat* replaced, Temporary temporary) {
    const std::string folder = folderOf(target_);
    // The unnamed file is given its name through /proc, which must be there.
    if (temporary == Temporary::unnamedFirst && access("/proc/self/fd", X_OK) == 0) {
        fd_ = open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
    }
    if (fd_ < 0) {
        named_ = folder + ".vornelik-XXXXXX";
        keepTrackOf(named_.c_str());  // before it exists: a signal meanwhile removes nothing
        fd_ = mkostemp(named_.data(), O_CLOEXEC);
        if (fd_ < 0) {
            const int error = errno;
            forget(named_.c_str());
            named_.clear();
            fail(error);
        }
    }
    // The replaced file's owner and mode; the owner only root may give, and a failure there
    // leaves the file the user's own, as writing a new file would.
    if (replaced != nullptr && fchown(fd_, replaced->st_uid, replaced->st_gid) != 0) {
        errno = 0;
    }
    if (fchmod(fd_, replaced != nullptr ? replaced->st_mode & 07777 : newFileMode()) != 0) {
        fail(errno);
    }
}

void PosixOutput::write(std::string_view text) {
    pending_.append(inCodePage(text, codePage_, toAnsiCodePage));
    if (pending_.size() >= kPieceSize) {
        writePending();
    }
}

void PosixOutput::writeBytes(std::string_view bytes) {
    if (pending_.size() + bytes.size() < kPieceSize) {
        pending_.append(bytes);
        return;
    }
    writePending();
    pending_.assign(bytes);  // kept only as long as it takes to write it
    writePending();
    pending_.shrink_to_fit();
    pending_.reserve(kPieceSize);
}

void PosixOutput::commit() {
    writePending();
    if (direct_) {
        committed_ = true;
        if (ownsFd_) {
            const int fd = std::exchange(fd_, -1);
            if (close(fd) != 0) {
                fail(errno);
            }
        }
        return;
    }
    // A full disk may show only when the data goes out.
    if (fsync(fd_) != 0) {
        fail(errno);
    }
    if (named_.empty()) {
        // The unnamed file takes a temporary name beside the target, then the target's.
        const std::string self = "/proc/self/fd/" + std::to_string(fd_);
        for (int attempt = 0;; ++attempt) {
            named_ = temporaryName(folderOf(target_));
            keepTrackOf(named_.c_str());
            if (linkat(AT_FDCWD, self.c_str(), AT_FDCWD, named_.c_str(), AT_SYMLINK_FOLLOW) == 0) {
                break;
            }
            const int error = errno;
            forget(named_.c_str());
            named_.clear();
            if (error != EEXIST || attempt == 100) {
                fail(error);
            }
        }
    }
    if (close(std::exchange(fd_, -1)) != 0) {
        fail(errno);
    }
    if (rename(named_.c_str(), target_.c_str()) != 0) {
        fail(errno);
    }
    forget(named_.c_str());
    named_.clear();
    committed_ = true;
}

void PosixOutput::goBack(std::string_view start, std::uint64_t length) {
    if (direct_) {
        OutputFile::goBack(start, length);
    }
    writePending();
    const auto end = static_cast<off_t>(length);
    if (pwrite(fd_, start.data(), start.size(), 0) != static_cast<ssize_t>(start.size()) ||
        ftruncate(fd_, end) != 0 || lseek(fd_, end, SEEK_SET) != end) {
        fail(errno);
    }
}

void PosixOutput::writePending() {
    std::size_t done = 0;
    while (done < pending_.size()) {
        const ssize_t written = ::write(fd_, pending_.data() + done, pending_.size() - done);
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            fail(errno);
        }
        done += static_cast<std::size_t>(written);
    }
    pending_.clear();
}

void PosixOutput::discard() {
    if (fd_ >= 0 && ownsFd_) {
        close(fd_);
    }
    fd_ = -1;
    if (!named_.empty()) {
        unlink(named_.c_str());
        forget(named_.c_str());
        named_.clear();
    }
}

void PosixOutput::fail(int error) const {
    throw Failure("cannot write " + readableName(path_) + ": " + std::strerror(error));
}

}  // namespace vornelik
