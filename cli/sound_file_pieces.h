// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/sound_pieces.h"
#include "files/file_system.h"

namespace vornelik {

// A regular file read as the table needs it, holding one block: the table reads forward, so a
// block moves on as it goes, and only a reading that goes back opens the file again. Its size is
// the file's known size and one byte more, the window's trailing 0.
class SoundFilePieces : public SoundPieces {
  public:
    // The file `path` names, opened as `file`, whose size must be known: else it throws.
    SoundFilePieces(FileSystem& files, const std::string& path, std::unique_ptr<InputFile> file);

    std::int64_t size() const override { return fileSize_ + 1; }
    const std::uint8_t* piece(std::int64_t first, std::size_t count) override;

  private:
    void open();
    void passOver(std::int64_t bytes);
    // Adds what one read brings after the block's bytes; past the file's end, the trailing 0.
    void readMore();

    FileSystem& files_;
    std::string path_;
    std::unique_ptr<InputFile> file_;
    std::int64_t fileSize_ = 0;
    std::vector<std::uint8_t> block_;
    std::int64_t blockStart_ = 0;  // the file offset of the block's first byte
    std::size_t filled_ = 0;
};

}  // namespace vornelik
