// SPDX-License-Identifier: MIT
// The Linux file layer against what a disk, a device, a FIFO, a signal and a file size limit do
// to it: an output is replaced whole or written directly, and nothing is ever left beside it.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <set>
#include <thread>

#include "core/failure.h"
#include "posix/posix_file_system.h"
#include "posix/posix_output.h"
#include "support/test_folder.h"

namespace vornelik {
namespace {

namespace fs = std::filesystem;
using Temporary = PosixOutput::Temporary;

using Folder = TestFolder;

std::set<std::string> namesIn(const Folder& folder) {
    const std::vector<std::string> names = folder.files();
    return {names.begin(), names.end()};
}

void put(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string contentOf(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), {}};
}

mode_t modeOf(const std::string& path) {
    struct stat status {};
    lstat(path.c_str(), &status);
    return status.st_mode;
}

std::string failureOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const Failure& failure) {
        return failure.what();
    }
    return "";
}

void writeWhole(const std::string& path, const std::string& text,
                Temporary temporary = Temporary::unnamedFirst) {
    PosixOutput file(path, 1254, temporary);
    file.write(text);
    file.commit();
}

// Every kind of regular target, with both kinds of temporary: what is named gets the new
// content whole, keeps what it was (mode, link), and nothing else is left in the folder.
TEST(PosixOutput, replacesARegularFileWholeAndLeavesNothingBeside) {
    struct Case {
        const char* what;
        std::function<std::string(const Folder&)> prepare;  // gives the name to write
        std::set<std::string> left;
        mode_t mode;  // of the written file, 0 for the usual one of a new file
    };
    const std::string longName(255, 'n');
    const Case cases[] = {
        {"a new file", [](const Folder& f) { return f / "new.bas"; }, {"new.bas"}, 0},
        {"an old private file keeps its mode",
         [](const Folder& f) {
             put(f / "old.bas", "old");
             chmod((f / "old.bas").c_str(), 0600);
             return f / "old.bas";
         },
         {"old.bas"},
         0600},
        {"a symlink's target is written",
         [](const Folder& f) {
             put(f / "target.bas", "old");
             fs::create_symlink("target.bas", f / "link.bas");
             return f / "link.bas";
         },
         {"target.bas", "link.bas"},
         0},
        {"a name as long as a name may be",
         [&](const Folder& f) { return f / longName; },
         {longName},
         0},
    };
    const mode_t mask = umask(0);
    umask(mask);
    for (const Case& c : cases) {
        for (const Temporary temporary : {Temporary::unnamedFirst, Temporary::named}) {
            SCOPED_TRACE(std::string(c.what) +
                         (temporary == Temporary::named ? ", named temporary" : ""));
            const Folder folder;
            const std::string path = c.prepare(folder);
            writeWhole(path, "'ayarı'\r\n", temporary);
            EXPECT_EQ(contentOf(path), "'ayar\xfd'\r\n");
            EXPECT_EQ(namesIn(folder), c.left);
            const std::string written = fs::canonical(path).string();
            EXPECT_EQ(modeOf(written) & 07777, c.mode != 0 ? c.mode : (0666 & ~mask));
            if (fs::is_symlink(path)) {
                EXPECT_EQ(fs::read_symlink(path), "target.bas");
            }
        }
    }
}

TEST(PosixOutput, refusesWhatCannotBeReplacedAndSaysWhy) {
    const Folder folder;
    put(folder / "plain", "keep");
    fs::create_directory(folder / "folder");
    EXPECT_EQ(failureOf([&] { writeWhole(folder / "folder", "x"); }),
              "cannot write " + (folder / "folder") + ": Is a directory");
    EXPECT_EQ(failureOf([&] { writeWhole(folder / "plain/x.bas", "x"); }),
              "cannot write " + (folder / "plain/x.bas") + ": Not a directory");
    // A name that is not UTF-8 is shown readably.
    EXPECT_EQ(failureOf([&] { writeWhole(folder / "no/tablo\xfe.bas", "x"); }),
              "cannot write " + (folder / "no/tablo\\xFE.bas") + ": No such file or directory");
    // Root may write any file: the refusal is a user's, so a child gives root's rights up.
    const std::string locked = folder / "locked.bas";
    put(locked, "old");
    chmod(locked.c_str(), 0444);
    chmod(folder.root().c_str(), 0755);
    const pid_t child = fork();
    if (child == 0) {
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) {
            _exit(2);
        }
        const std::string said = failureOf([&] { writeWhole(locked, "x"); });
        _exit(said == "cannot write " + locked + ": Permission denied" ? 0 : 1);
    }
    int status = -1;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(contentOf(locked), "old");
}

// Devices and FIFOs are written directly and stay what they are; a write error is a failure.
TEST(PosixOutput, writesDevicesAndFifosDirectly) {
    const Folder folder;
    EXPECT_EQ(failureOf([] { writeWhole("/dev/null", "x"); }), "");
    if (S_ISCHR(modeOf("/dev/full"))) {
        EXPECT_EQ(failureOf([] { writeWhole("/dev/full", "x"); }),
                  "cannot write /dev/full: No space left on device");
    }

    const std::string fifo = folder / "fifo";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    std::string heard;
    std::thread reader([&] { heard = contentOf(fifo); });
    writeWhole(fifo, "CDATA  1\r\n");
    reader.join();
    EXPECT_EQ(heard, "CDATA  1\r\n");
    EXPECT_TRUE(S_ISFIFO(modeOf(fifo)));

    if (geteuid() != 0) {
        GTEST_SKIP() << "making a device node needs root";
    }
    const std::string full = folder / "full";  // the device /dev/full is
    ASSERT_EQ(mknod(full.c_str(), S_IFCHR | 0600, makedev(1, 7)), 0);
    EXPECT_NE(failureOf([&] { writeWhole(full, "x"); }), "");
    EXPECT_TRUE(S_ISCHR(modeOf(full)));
}

// In a child: the file size limit makes writes fail as a full disk does (SIGXFSZ ignored), or a
// signal ends the writer half way. Either way the old file stays whole and nothing is left.
int writeInChild(const std::string& path, Temporary temporary, int limit, int signal) {
    const pid_t child = fork();
    if (child == 0) {
        std::signal(SIGXFSZ, signal == SIGXFSZ ? SIG_DFL : SIG_IGN);
        if (limit >= 0) {
            const rlimit size{static_cast<rlim_t>(limit), static_cast<rlim_t>(limit)};
            setrlimit(RLIMIT_FSIZE, &size);
        }
        try {
            PosixOutput file(path, 1252, temporary);
            file.writeBytes(std::string(100000, 'x'));
            if (signal != 0 && signal != SIGXFSZ) {
                raise(signal);
            }
            file.commit();
        } catch (const Failure&) {
            _exit(1);
        }
        _exit(0);
    }
    int status = -1;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

TEST(PosixOutput, aFullDiskOrASignalKeepsTheOldFileAndLeavesNothing) {
    struct Case {
        const char* what;
        int limit;
        int signal;
        int status;
    };
    const Case cases[] = {
        {"nothing fits", 0, 0, 1},
        {"one piece fits", 70000, 0, 1},
        {"a file size limit's signal", 70000, SIGXFSZ, 128 + SIGXFSZ},
        {"an interrupt", -1, SIGINT, 128 + SIGINT},
        {"a termination", -1, SIGTERM, 128 + SIGTERM},
        {"a broken pipe", -1, SIGPIPE, 128 + SIGPIPE},
        {"room enough", -1, 0, 0},
    };
    for (const Case& c : cases) {
        for (const Temporary temporary : {Temporary::unnamedFirst, Temporary::named}) {
            SCOPED_TRACE(std::string(c.what) +
                         (temporary == Temporary::named ? ", named temporary" : ""));
            const Folder folder;
            put(folder / "out.bas", "old program");
            EXPECT_EQ(writeInChild(folder / "out.bas", temporary, c.limit, c.signal), c.status);
            EXPECT_EQ(contentOf(folder / "out.bas").size(), c.status == 0 ? 100000 : 11);
            EXPECT_EQ(namesIn(folder), std::set<std::string>{"out.bas"});
        }
    }
}

// A stream is read in growing pieces up to the limit; a file known to be longer is refused
// before its first byte; a regular file costs its own size.
TEST(PosixFileSystem, readsToTheEndWithinTheLimit) {
    const Folder folder;
    PosixFileSystem files(1252, true);
    put(folder / "sound.wav", std::string(5000, '\x80'));
    const auto bytes = files.readAll(folder / "sound.wav", 5000);
    EXPECT_EQ(bytes.size(), 5000u);
    EXPECT_EQ(bytes.capacity(), 5001u);
    EXPECT_EQ(failureOf([&] { files.readAll(folder / "sound.wav", 4999); }),
              folder / "sound.wav" + " is too long for a sound: the longest is 4999 bytes");

    fs::resize_file(folder / "sound.wav", std::int64_t{3} << 30);  // sparse: nothing is stored
    EXPECT_NE(failureOf([&] { files.readAll(folder / "sound.wav", INT32_MAX); }), "");

    EXPECT_EQ(failureOf([] { PosixFileSystem(1252, true).readAll("/dev/zero", 1 << 20); }),
              "/dev/zero is too long for a sound: the longest is 1048576 bytes");
    EXPECT_EQ(failureOf([&] { files.readAll(folder.root(), 10); }),
              "cannot read " + folder.root() + ": Is a directory");
    EXPECT_EQ(files.fileLength("/dev/null"), 0);
    EXPECT_TRUE(files.readAll("/dev/null", 10).empty());

    const std::string fifo = folder / "fifo";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    std::thread writer([&] { put(fifo, std::string(300000, 'y')); });
    const auto streamed = files.readAll(fifo, 1 << 20);
    writer.join();
    EXPECT_EQ(streamed.size(), 300000u);
    EXPECT_LE(streamed.capacity(), 2 * streamed.size());
}

TEST(PosixFileSystem, knowsTheSameFileUnderAnyName) {
    const Folder folder;
    PosixFileSystem files(1252, true);
    put(folder / "rec.wav", "RIFF");
    put(folder / "other.wav", "RIFF");
    fs::create_symlink(folder / "rec.wav", folder / "link.wav");
    fs::create_hard_link(folder / "rec.wav", folder / "hard.wav");
    const std::string name = folder / "eski\xfe.wav";  // a name from another system
    fs::create_hard_link(folder / "rec.wav", name);
    for (const std::string& same : {folder / "rec.wav", folder / "link.wav", folder / "hard.wav",
                                    folder / "./rec.wav", name}) {
        EXPECT_TRUE(files.isSameFile(folder / "rec.wav", same)) << same;
    }
    EXPECT_FALSE(files.isSameFile(folder / "rec.wav", folder / "other.wav"));
    EXPECT_FALSE(files.isSameFile(folder / "rec.wav", folder / "missing.wav"));
    EXPECT_EQ(files.readAll(name, 10).size(), 4u);

    // "-" is compared by what standard input and output are; a device is never "the same".
    const struct {
        const char* input;   // the file on standard input, for "-"
        const char* output;  // the file on standard output, for "-"
        std::string first;
        std::string second;
        bool same;
    } streams[] = {
        {"rec.wav", "other.wav", "-", folder / "hard.wav", true},
        {"other.wav", "rec.wav", folder / "link.wav", "-", true},
        {"rec.wav", "rec.wav", "-", "-", true},
        {"rec.wav", "other.wav", "-", "-", false},
        {"rec.wav", "other.wav", "/dev/stdin", folder / "rec.wav", true},
        {"other.wav", "other.wav", "/dev/null", "/dev/null", false},
    };
    for (const auto& c : streams) {
        SCOPED_TRACE(c.first + " " + c.second);
        const int savedIn = dup(STDIN_FILENO);
        const int savedOut = dup(STDOUT_FILENO);
        const int in = open((folder / c.input).c_str(), O_RDONLY);
        const int out = open((folder / c.output).c_str(), O_WRONLY);
        dup2(in, STDIN_FILENO);
        dup2(out, STDOUT_FILENO);
        const bool same = files.isSameFile(c.first, c.second);
        const bool standardOutput = files.isStandardOutput(folder / c.output);
        dup2(savedIn, STDIN_FILENO);
        dup2(savedOut, STDOUT_FILENO);
        for (const int fd : {savedIn, savedOut, in, out}) {
            close(fd);
        }
        EXPECT_EQ(same, c.same);
        EXPECT_TRUE(standardOutput);
    }
}

// An input read at any position: a regular file where it is, any stream copied once as it comes,
// up to a limit, into a file with no name.
TEST(PosixFileSystem, readsAnyInputAtAnyPosition) {
    const Folder folder;
    PosixFileSystem files(1252, true);
    put(folder / "rec.wav", "RIFF and more");
    const std::string fifo = folder / "fifo";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    // The writer of a stream refused half way finds its reader gone.
    const auto pipeSignal = std::signal(SIGPIPE, SIG_IGN);
    const struct {
        std::string path;
        std::string written;  // into the FIFO, for it
        std::int64_t limit;
        std::int64_t size;
        bool copied;
        std::string failure;
    } cases[] = {
        {folder / "rec.wav", "", 5, 13, false, ""},  // a file is not held, so not limited
        {fifo, std::string(300000, 'y'), 1 << 20, 300000, true, ""},
        {fifo, std::string(300000, 'y'), 299999, 0, true,
         fifo + " is a stream longer than 299999 bytes, the most that is copied to be read more "
                "than once: save it to a file first"},
        {"/dev/null", "", 10, 0, true, ""},
        {folder.root(), "", 10, 0, false, "cannot read " + folder.root() + ": Is a directory"},
        {folder / "missing", "", 10, 0, false,
         "cannot read " + folder / "missing" + ": No such file or directory"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        std::thread writer;
        if (c.path == fifo) {
            writer = std::thread([&] { put(fifo, c.written); });
        }
        std::unique_ptr<RandomAccessInput> input;
        const std::string failure =
            failureOf([&] { input = files.openRandomAccess(c.path, c.limit); });
        if (writer.joinable()) {
            writer.join();
        }
        EXPECT_EQ(failure, c.failure);
        if (!input) {
            continue;
        }
        EXPECT_EQ(input->size(), c.size);
        EXPECT_EQ(input->copied(), c.copied);
        std::string tail(4, '\0');
        const std::size_t got = input->readAt(c.size - 4 < 0 ? 0 : c.size - 4,
                                              reinterpret_cast<std::uint8_t*>(tail.data()), 4);
        EXPECT_EQ(tail.substr(0, got), c.size == 0 ? "" : c.path == fifo ? "yyyy" : "more");
    }
    std::signal(SIGPIPE, pipeSignal);
    EXPECT_EQ(namesIn(folder), (std::set<std::string>{"fifo", "rec.wav"}));  // no copy left
}

}  // namespace
}  // namespace vornelik
