// SPDX-License-Identifier: MIT
#include "cli/sound_file_pieces.h"

#include <algorithm>
#include <cstring>

#include "core/failure.h"
#include "core/utf8.h"

#include "cli/filled_text.h"
#include "cli/translation.h"  // last: its _ is a macro

namespace vornelik {
namespace {

constexpr std::size_t kBlockBytes = 1024 * 1024;

}  // namespace

SoundFilePieces::SoundFilePieces(FileSystem& files, const std::string& path,
                                 std::unique_ptr<InputFile> file)
    : files_(files), path_(path), file_(std::move(file)), block_(kBlockBytes) {
    fileSize_ = file_->knownSize();
    if (fileSize_ < 0) {
        throw Failure(filled(_("{1} has no size to read it in pieces"), {readableName(path_)}));
    }
}

void SoundFilePieces::open() {
    file_ = files_.openInput(path_);
    blockStart_ = 0;
    filled_ = 0;
}

const std::uint8_t* SoundFilePieces::piece(std::int64_t first, std::size_t count) {
    if (first < blockStart_) {
        open();
    }
    const std::int64_t held = blockStart_ + static_cast<std::int64_t>(filled_);  // one past
    if (first + static_cast<std::int64_t>(count) > held) {
        // What the block holds from `first` on stays; what lies before it is passed over.
        if (first < held) {
            const auto from = static_cast<std::size_t>(first - blockStart_);
            std::memmove(block_.data(), block_.data() + from, filled_ - from);
            filled_ -= from;
        } else {
            passOver(first - held);
            filled_ = 0;
        }
        blockStart_ = first;
        while (filled_ < count) {
            readMore();
        }
    }
    return block_.data() + (first - blockStart_);
}

void SoundFilePieces::passOver(std::int64_t bytes) {
    while (bytes > 0) {
        const std::size_t got = file_->read(
            block_.data(),
            static_cast<std::size_t>(std::min(bytes, static_cast<std::int64_t>(block_.size()))));
        if (got == 0) {
            throw Failure(filled(_("{1} changed while it was read"), {readableName(path_)}));
        }
        bytes -= static_cast<std::int64_t>(got);
    }
}

void SoundFilePieces::readMore() {
    const std::int64_t at = blockStart_ + static_cast<std::int64_t>(filled_);
    if (at >= fileSize_) {
        block_[filled_++] = 0;  // the window's trailing 0
        return;
    }
    const std::int64_t room =
        std::min(static_cast<std::int64_t>(block_.size() - filled_), fileSize_ - at);
    const std::size_t got = file_->read(block_.data() + filled_, static_cast<std::size_t>(room));
    if (got == 0) {
        throw Failure(filled(_("{1} changed while it was read"), {readableName(path_)}));
    }
    filled_ += got;
}

}  // namespace vornelik
