// SPDX-License-Identifier: MIT
#include "win32/replacing_output_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/failure.h"
#include "scratch_folder.h"
#include "win32/wide_text.h"

namespace vornelik {
namespace {

// Text in the code page; bytes, such as a WAV file's, exactly as they are.
TEST(ReplacingOutputFile, writesTextInTheCodePageAndBytesAsGiven) {
    const ScratchFolder folder;
    const std::wstring path = folder / L"çıktı.bas";
    ReplacingOutputFile file(path, 1254);
    file.write("'kotu kalite ayarı'\r\n");
    file.write("CDATA  1,2\r\n");
    file.writeBytes(std::string_view("ı\0\xFF", 4));
    file.commit();
    EXPECT_EQ(readBytes(path), std::string("'kotu kalite ayar\xFD'\r\nCDATA  1,2\r\nı\0\xFF", 37));
    EXPECT_EQ(folder.names().size(), 1u);
}

TEST(ReplacingOutputFile, replacesAnExistingFileWhole) {
    const ScratchFolder folder;
    const std::wstring path = folder / L"ses.inc";
    writeBytes(path, std::string(200000, 'x'));
    ReplacingOutputFile file(path, 1252);
    // More than one piece, so that the file is written before commit.
    const std::string line = "CDATA  135,150,175,205,233,250,252,234,204,170\r\n";
    std::string expected;
    for (int i = 0; i < 3000; ++i) {
        file.write(line);
        expected += line;
    }
    EXPECT_EQ(readBytes(path), std::string(200000, 'x'));
    file.commit();
    EXPECT_EQ(readBytes(path), expected);
}

TEST(ReplacingOutputFile, leavesTheOldFileWhenNotCommitted) {
    const ScratchFolder folder;
    const std::wstring path = folder / L"ses.bas";
    writeBytes(path, "old");
    {
        ReplacingOutputFile file(path, 1252);
        file.write(std::string(100000, 'n'));
    }
    EXPECT_EQ(readBytes(path), "old");
    EXPECT_EQ(folder.names(), std::vector<std::wstring>{L"ses.bas"});
}

TEST(ReplacingOutputFile, failsWithoutTraceWhenTheNameCannotBeReplaced) {
    const ScratchFolder folder;
    const std::wstring path = folder / L"klasör";
    CreateDirectoryW(path.c_str(), nullptr);
    EXPECT_THROW(ReplacingOutputFile(path, 1252), Failure);
    EXPECT_EQ(GetFileAttributesW(path.c_str()) & FILE_ATTRIBUTE_DIRECTORY,
              static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY));
    EXPECT_EQ(folder.names(), std::vector<std::wstring>{L"klasör"});
}

TEST(ReplacingOutputFile, failsAtOnceInAFolderThatIsNotThere) {
    const ScratchFolder folder;
    EXPECT_THROW(ReplacingOutputFile(folder / L"yok\\ses.bas", 1252), Failure);
}

// A folder path over Windows' old limit of 260 characters, with the "\\?\" form or without:
// the file is written whole and no temporary file stays beside it.
TEST(ReplacingOutputFile, writesIntoFoldersOfAnyLength) {
    const ScratchFolder folder;
    std::wstring deep = folder / L"";
    for (int level = 0; level < 5; ++level) {
        deep += std::wstring(60, static_cast<wchar_t>(L'a' + level)) + L"\\";
        ASSERT_NE(CreateDirectoryW((L"\\\\?\\" + deep).c_str(), nullptr), 0);
    }
    ASSERT_GT(deep.size(), 300u);
    for (const std::wstring& path : {deep + L"ses.bas", L"\\\\?\\" + deep + L"ses.inc"}) {
        ReplacingOutputFile file(path, 1254);
        file.write("CDATA  1,2\r\n");
        file.commit();
    }
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW data;
    const HANDLE search = FindFirstFileW((L"\\\\?\\" + deep + L"*").c_str(), &data);
    ASSERT_NE(search, INVALID_HANDLE_VALUE);
    do {
        names.emplace_back(data.cFileName);
    } while (FindNextFileW(search, &data));
    FindClose(search);
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::wstring>{L".", L"..", L"ses.bas", L"ses.inc"}));
    for (const wchar_t* name : {L"ses.bas", L"ses.inc"}) {
        DeleteFileW((L"\\\\?\\" + deep + name).c_str());
    }
    while (deep.size() > (folder / L"").size()) {
        RemoveDirectoryW((L"\\\\?\\" + deep).c_str());
        deep.erase(deep.find_last_of(L'\\', deep.size() - 2) + 1);
    }
}

// What is already under the name decides: a read-only file and a folder are refused before
// anything is written, a file held open without sharing is named with Windows' reason, and a
// device is written to directly.
TEST(ReplacingOutputFile, theDestinationDecides) {
    const ScratchFolder folder;
    const std::wstring readOnly = folder / L"salt okunur.inc";
    writeBytes(readOnly, "old");
    SetFileAttributesW(readOnly.c_str(), FILE_ATTRIBUTE_READONLY);
    const std::wstring held = folder / L"tutulan.bas";
    writeBytes(held, "old");
    const HANDLE holder =
        CreateFileW(held.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    const std::wstring directory = folder / L"klasör";
    CreateDirectoryW(directory.c_str(), nullptr);
    struct DestinationCase {
        std::wstring path;
        const char* refusal;  // empty: written
    };
    const DestinationCase cases[] = {
        {readOnly, ": the file is read-only"},
        {directory, ": it is a directory"},
        {held, ": "},
        {L"NUL", ""},
        {L"\\\\.\\NUL", ""},
    };
    for (const DestinationCase& c : cases) {
        SCOPED_TRACE(narrow(c.path));
        try {
            ReplacingOutputFile file(c.path, 1254);
            file.write("CDATA  1,2\r\n");
            file.commit();
            EXPECT_STREQ(c.refusal, "");
        } catch (const Failure& failure) {
            const std::string message = failure.what();
            EXPECT_NE(std::string_view(c.refusal), "") << message;
            EXPECT_NE(message.find(narrow(c.path) + c.refusal), std::string::npos) << message;
        }
    }
    CloseHandle(holder);
    EXPECT_EQ(readBytes(readOnly), "old");
    EXPECT_NE(GetFileAttributesW(readOnly.c_str()) & FILE_ATTRIBUTE_READONLY, 0u);
    EXPECT_EQ(readBytes(held), "old");
    SetFileAttributesW(readOnly.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(folder.names().size(), 3u);
}

}  // namespace
}  // namespace vornelik
