// SPDX-License-Identifier: MIT
#include "cli/table_capture.h"

#include "cli/command_files.h"
#include "cli/sound_file_pieces.h"

namespace vornelik {

SoundData TableCapture::openSound(const std::string& path, std::int64_t maxBytes) {
    std::unique_ptr<InputFile> file = openBoundedInput(inner(), path, maxBytes);
    if (file->knownSize() >= 0) {
        return SoundData(std::make_unique<SoundFilePieces>(inner(), path, std::move(file)));
    }
    // A stream is read once: a short one is held as the window holds any sound.
    std::vector<std::uint8_t> held = readShortStream(*file, path, command_);
    held.push_back(0);
    return SoundData(std::move(held));
}

std::unique_ptr<OutputFile> TableCapture::createOutput(const std::string&) {
    class Capture : public OutputFile {
      public:
        explicit Capture(TableValues& values) : values_(values), reader_(values) {}
        void write(std::string_view text) override { reader_.write(text); }
        void writeBytes(std::string_view) override {}
        void commit() override { values_.complete(); }

      private:
        TableValues& values_;
        TableReader reader_;
    };
    return std::make_unique<Capture>(values_);
}

}  // namespace vornelik
