#include "win32/sound_file.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "core/failure.h"
#include "scratch_folder.h"

namespace vornelik {
namespace {

TEST(SoundFile, readsEveryByteAndOneZeroUnderATurkishName) {
    const ScratchFolder folder;
    const std::wstring path = folder / L"ses kaydı ğüşöç.wav";
    std::string bytes = "RIFF";
    bytes += std::string("\0\x80\xFF\r\n\x1A", 6);
    writeBytes(path, bytes);
    EXPECT_EQ(fileLength(path), 10);
    const std::vector<std::uint8_t> expected = {'R',  'I',  'F',  'F',  0, 0x80,
                                                0xFF, '\r', '\n', 0x1A, 0};
    EXPECT_EQ(readSoundFile(path), expected);
}

TEST(SoundFile, anEmptyFileIsTheZeroAlone) {
    const ScratchFolder folder;
    const std::wstring path = folder / L"bos.wav";
    writeBytes(path, "");
    EXPECT_EQ(fileLength(path), 0);
    EXPECT_EQ(readSoundFile(path), std::vector<std::uint8_t>{0});
}

TEST(SoundFile, failsForAMissingFileAndForAFolder) {
    const ScratchFolder folder;
    for (const std::wstring& path : {folder / L"yok.wav", folder / L""}) {
        EXPECT_THROW(fileLength(path), Failure);
        EXPECT_THROW(readSoundFile(path), Failure);
    }
}

}  // namespace
}  // namespace vornelik
