// SPDX-License-Identifier: MIT
#include "files/file_system.h"

#include <algorithm>
#include <array>

#include "core/failure.h"
#include "core/longest_sound.h"
#include "core/utf8.h"

namespace vornelik {
namespace {

constexpr std::size_t kFirstStreamRoom = 64 * 1024;
// The most read at once: the room is zeroed before each read, so it must be no larger than what
// a read may bring.
constexpr std::size_t kPiece = 256 * 1024;

[[noreturn]] void tooLong(const std::string& name, std::int64_t maxBytes) {
    throw Failure(tooLongForASound(name, maxBytes));
}

}  // namespace

void OutputFile::goBack(std::string_view, std::uint64_t) {
    throw Failure("an output that is streamed cannot go back");
}

std::vector<std::uint8_t> readToEnd(InputFile& file, const std::string& name,
                                    std::int64_t maxBytes) {
    const std::int64_t known = file.knownSize();
    if (known > maxBytes) {
        tooLong(name, maxBytes);
    }
    const auto limit = static_cast<std::size_t>(maxBytes);
    // A regular file gets room for its size at once, so that it costs its own size; a stream's
    // room doubles whenever it fills, so that reading it takes time in proportion to its length.
    std::vector<std::uint8_t> bytes;
    bytes.reserve(known >= 0 ? static_cast<std::size_t>(known) + 1
                             : std::min(kFirstStreamRoom, limit + 1));
    for (;;) {
        const std::size_t done = bytes.size();
        const std::size_t room = bytes.capacity() - done - 1;
        if (room == 0) {
            // Full: a small read tells whether that is all, before more room is taken.
            std::array<std::uint8_t, 4096> probe;
            const std::size_t got = file.read(probe.data(), probe.size());
            if (got == 0) {
                return bytes;
            }
            if (done + got > limit) {
                tooLong(name, maxBytes);
            }
            bytes.reserve(std::clamp(2 * bytes.capacity(), done + got + 1, limit + 1));
            bytes.insert(bytes.end(), probe.begin(), probe.begin() + got);
            continue;
        }
        const std::size_t piece = std::min(room, kPiece);
        bytes.resize(done + piece);
        const std::size_t got = file.read(bytes.data() + done, piece);
        bytes.resize(done + got);
        if (got == 0) {
            return bytes;
        }
    }
}

std::unique_ptr<InputFile> openBoundedInput(FileSystem& files, const std::string& path,
                                            std::int64_t maxBytes) {
    class Bounded : public InputFile {
      public:
        Bounded(std::unique_ptr<InputFile> file, const std::string& name, std::int64_t maxBytes)
            : file_(std::move(file)), name_(name), maxBytes_(maxBytes), left_(maxBytes) {
            if (file_->knownSize() > maxBytes) {
                tooLong(name_, maxBytes);
            }
        }
        std::int64_t knownSize() const override { return file_->knownSize(); }
        std::size_t read(std::uint8_t* into, std::size_t room) override {
            // One byte more than is left tells a stream that ends there from a longer one.
            const auto asked = static_cast<std::size_t>(
                std::min<std::int64_t>(static_cast<std::int64_t>(room), left_ + 1));
            const std::size_t got = file_->read(into, asked);
            left_ -= static_cast<std::int64_t>(got);
            if (left_ < 0) {
                tooLong(name_, maxBytes_);
            }
            return got;
        }

      private:
        std::unique_ptr<InputFile> file_;
        std::string name_;
        std::int64_t maxBytes_;
        std::int64_t left_;
    };
    return std::make_unique<Bounded>(files.openInput(path), path, maxBytes);
}

std::vector<std::uint8_t> FileSystem::readAll(const std::string& path, std::int64_t maxBytes) {
    const std::unique_ptr<InputFile> file = openInput(path);
    return readToEnd(*file, path, maxBytes);
}

std::unique_ptr<RandomAccessInput> FileSystem::openRandomAccess(const std::string& path,
                                                                std::int64_t) {
    throw Failure("cannot read " + readableName(path) + " at any position on this file system");
}

std::optional<FileIdentity> FileSystem::outputIdentity(const std::string&) {
    return std::nullopt;
}

SoundData FileSystem::openSound(const std::string& path, std::int64_t maxBytes) {
    std::vector<std::uint8_t> bytes = readAll(path, maxBytes);
    bytes.push_back(0);
    return SoundData(std::move(bytes));
}

}  // namespace vornelik
