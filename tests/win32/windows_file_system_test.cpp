// SPDX-License-Identifier: MIT
#include "win32/windows_file_system.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <iterator>
#include <memory>
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

// Every failure names the sound and says why, in the words that fit it.
TEST(WindowsFileSystem, aSoundThatCannotBeReadIsNamedWithItsReason) {
    const ScratchFolder folder;
    // Sparse: a sound a 32-bit program cannot hold, costing no disk.
    const std::wstring huge = folder / L"büyük.wav";
    const HANDLE file = CreateFileW(huge.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    LARGE_INTEGER length;
    length.QuadPart = 3LL << 29;  // 1.5 GiB
    SetFilePointerEx(file, length, nullptr, FILE_BEGIN);
    SetEndOfFile(file);
    CloseHandle(file);
    struct ReasonCase {
        std::wstring path;
        const char* reason;
    };
    const ReasonCase cases[] = {
        {folder / L"yok.wav", ": "},
        {folder / L"", ": it is a directory"},
        {folder / L".", ": it is a directory"},
    };
    std::vector<ReasonCase> all(std::begin(cases), std::end(cases));
    if (sizeof(void*) == 4) {  // a 64-bit test build has the room
        all.push_back({huge, ": a sound of 1610612736 bytes does not fit in the program's memory"});
    }
    WindowsFileSystem files(1252);
    for (const ReasonCase& c : all) {
        SCOPED_TRACE(narrow(c.path));
        for (const bool whole : {false, true}) {
            try {
                if (whole) {
                    files.readAll(narrow(c.path), INT32_MAX);
                } else {
                    files.fileLength(narrow(c.path));
                }
                ADD_FAILURE() << "no failure";
            } catch (const Failure& failure) {
                const std::string message = failure.what();
                EXPECT_NE(message.find(narrow(c.path) + c.reason), std::string::npos) << message;
                EXPECT_NE(message.back(), ' ') << message;
            }
        }
    }
}

// Files are the same by volume and file index, "-" by what standard input and output are; a
// stream is copied once and read at any position, a file read where it is.
TEST(WindowsFileSystem, knowsFilesByIdentityAndReadsStreamsOnce) {
    const ScratchFolder folder;
    writeBytes(folder / L"kay\u0131t.wav", "RIFF and more");
    writeBytes(folder / L"other.wav", "RIFF");
    ASSERT_NE(CreateHardLinkW((folder / L"hard.wav").c_str(), (folder / L"kay\u0131t.wav").c_str(),
                              nullptr),
              0);
    const std::string rec = narrow(folder / L"kay\u0131t.wav");
    const std::string hard = narrow(folder / L"hard.wav");
    const std::string other = narrow(folder / L"other.wav");
    WindowsFileSystem files(1252, true);
    const HANDLE savedIn = GetStdHandle(STD_INPUT_HANDLE);
    const HANDLE savedOut = GetStdHandle(STD_OUTPUT_HANDLE);
    const HANDLE in =
        CreateFileW((folder / L"kay\u0131t.wav").c_str(), GENERIC_READ,
                    FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    SetStdHandle(STD_INPUT_HANDLE, in);
    const struct {
        std::string input;
        std::string output;
        bool same;
    } cases[] = {{rec, hard, true},   {"-", hard, true},   {rec, other, false},
                 {"-", other, false}, {rec, "NUL", false}, {"NUL", "NUL", false}};
    for (const auto& c : cases) {
        EXPECT_EQ(files.isSameFile(c.input, c.output), c.same) << c.input << " " << c.output;
    }
    const std::unique_ptr<RandomAccessInput> file = files.openRandomAccess("-", 5);
    EXPECT_EQ(file->size(), 13);
    EXPECT_FALSE(file->copied());
    std::string tail(4, '\0');
    EXPECT_EQ(file->readAt(9, reinterpret_cast<std::uint8_t*>(tail.data()), 10), 4U);
    EXPECT_EQ(tail, "more");
    SetStdHandle(STD_INPUT_HANDLE, savedIn);
    CloseHandle(in);  // standard input's handle is not the input's to close

    HANDLE reader = nullptr;
    HANDLE writer = nullptr;
    ASSERT_NE(CreatePipe(&reader, &writer, nullptr, 1 << 16), 0);
    DWORD written = 0;
    WriteFile(writer, "piped bytes", 11, &written, nullptr);
    CloseHandle(writer);
    SetStdHandle(STD_INPUT_HANDLE, reader);
    EXPECT_FALSE(files.isSameFile("-", rec));
    const std::unique_ptr<RandomAccessInput> stream = files.openRandomAccess("-", 100);
    SetStdHandle(STD_INPUT_HANDLE, savedIn);
    SetStdHandle(STD_OUTPUT_HANDLE, savedOut);
    CloseHandle(reader);
    EXPECT_TRUE(stream->copied());
    EXPECT_EQ(stream->size(), 11);
    EXPECT_EQ(stream->readAt(6, reinterpret_cast<std::uint8_t*>(tail.data()), 4), 4U);
    EXPECT_EQ(tail, "byte");
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
