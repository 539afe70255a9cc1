// SPDX-License-Identifier: MIT
#include "win32/replacing_text_file.h"

#include <gtest/gtest.h>

#include <string>

#include "core/failure.h"
#include "scratch_folder.h"

namespace vornelik {
namespace {

TEST(ReplacingTextFile, writesTheBytesAsGivenInTheCodePage) {
    const ScratchFolder folder;
    const std::wstring path = folder / L"çıktı.bas";
    ReplacingTextFile file(path, 1254);
    file.write("'kotu kalite ayarı'\r\n");
    file.write("CDATA  1,2\r\n");
    file.commit();
    EXPECT_EQ(readBytes(path), "'kotu kalite ayar\xFD'\r\nCDATA  1,2\r\n");
    EXPECT_EQ(folder.names().size(), 1u);
}

TEST(ReplacingTextFile, replacesAnExistingFileWhole) {
    const ScratchFolder folder;
    const std::wstring path = folder / L"ses.inc";
    writeBytes(path, std::string(200000, 'x'));
    ReplacingTextFile file(path, 1252);
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

TEST(ReplacingTextFile, leavesTheOldFileWhenNotCommitted) {
    const ScratchFolder folder;
    const std::wstring path = folder / L"ses.bas";
    writeBytes(path, "old");
    {
        ReplacingTextFile file(path, 1252);
        file.write(std::string(100000, 'n'));
    }
    EXPECT_EQ(readBytes(path), "old");
    EXPECT_EQ(folder.names(), std::vector<std::wstring>{L"ses.bas"});
}

TEST(ReplacingTextFile, failsWithoutTraceWhenTheNameCannotBeReplaced) {
    const ScratchFolder folder;
    const std::wstring path = folder / L"klasör";
    CreateDirectoryW(path.c_str(), nullptr);
    ReplacingTextFile file(path, 1252);
    file.write("text\r\n");
    EXPECT_THROW(file.commit(), Failure);
    EXPECT_EQ(GetFileAttributesW(path.c_str()) & FILE_ATTRIBUTE_DIRECTORY,
              static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY));
    EXPECT_EQ(folder.names(), std::vector<std::wstring>{L"klasör"});
}

TEST(ReplacingTextFile, failsAtOnceInAFolderThatIsNotThere) {
    const ScratchFolder folder;
    EXPECT_THROW(ReplacingTextFile(folder / L"yok\\ses.bas", 1252), Failure);
}

}  // namespace
}  // namespace vornelik
