// SPDX-License-Identifier: MIT
#include "win32/windows_file_system.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "core/failure.h"
#include "scratch_folder.h"
#include "win32/wide_text.h"

namespace vornelik {
namespace {

TEST(WindowsFileSystem, readsEveryByteOfAFileWithATurkishName) {
    const ScratchFolder folder;
    const std::wstring path = folder / L"ses kayd\u0131 \u011f\u00fc\u015f\u00f6\u00e7.wav";
    writeBytes(path, std::string("RIFF\0\x80\xFF\r\n\x1A", 10));
    WindowsFileSystem files(1254);
    EXPECT_EQ(files.fileLength(narrow(path)), 10);
    const std::vector<std::uint8_t> expected = {'R',  'I',  'F',  'F',  0,
                                                0x80, 0xFF, '\r', '\n', 0x1A};
    EXPECT_EQ(files.readAll(narrow(path), 10), expected);
    EXPECT_THROW(files.readAll(narrow(path), 9), Failure);
}

TEST(WindowsFileSystem, readsAnEmptyFileAsNoBytes) {
    const ScratchFolder folder;
    const std::wstring path = folder / L"bos.wav";
    writeBytes(path, "");
    WindowsFileSystem files(1252);
    EXPECT_EQ(files.fileLength(narrow(path)), 0);
    EXPECT_TRUE(files.readAll(narrow(path), 100).empty());
}

TEST(WindowsFileSystem, failsForAMissingFileAndForAFolder) {
    const ScratchFolder folder;
    WindowsFileSystem files(1252);
    for (const std::wstring& path : {folder / L"yok.wav", folder / L""}) {
        EXPECT_THROW(files.fileLength(narrow(path)), Failure);
        EXPECT_THROW(files.readAll(narrow(path), 100), Failure);
    }
}

TEST(WindowsFileSystem, writesOutputInItsCodePageUnderATurkishName) {
    const ScratchFolder folder;
    const std::wstring path = folder / L"\u00e7\u0131kt\u0131.inc";
    WindowsFileSystem files(1254);
    const auto file = files.createOutput(narrow(path));
    file->write("'kotu kalite ayarı ile oluşturulmuştur'\r\n");
    file->commit();
    EXPECT_EQ(readBytes(path), "'kotu kalite ayar\xFD ile olu\xFEturulmu\xFEtur'\r\n");
}

}  // namespace
}  // namespace vornelik
