// SPDX-License-Identifier: MIT
#include "win32/windows_file_system.h"

#include "win32/windows_api.h"

#include "core/failure.h"
#include "win32/replacing_text_file.h"
#include "win32/wide_text.h"

namespace vornelik {
namespace {

constexpr DWORD kPiece = 1 << 20;

// Closes the file however the reading ends.
class InputFile {
  public:
    explicit InputFile(const std::wstring& path)
        : handle_(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)) {
        if (handle_ == INVALID_HANDLE_VALUE) {
            throw Failure("cannot open the sound file");
        }
    }
    ~InputFile() { CloseHandle(handle_); }
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    HANDLE handle() const { return handle_; }

  private:
    HANDLE handle_;
};

}  // namespace

std::int64_t WindowsFileSystem::fileLength(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (GetFileAttributesExW(widen(path).c_str(), GetFileExInfoStandard, &data) == 0 ||
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        throw Failure("no such file");
    }
    return static_cast<std::int64_t>((static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) |
                                     data.nFileSizeLow);
}

std::vector<std::uint8_t> WindowsFileSystem::readAll(const std::string& path,
                                                     std::int64_t maxBytes) {
    const InputFile file(widen(path));
    // Read to the end, whatever length the file reports: some report more than they hold.
    std::vector<std::uint8_t> bytes;
    for (;;) {
        const std::size_t done = bytes.size();
        bytes.resize(done + kPiece);
        DWORD got = 0;
        if (ReadFile(file.handle(), bytes.data() + done, kPiece, &got, nullptr) == 0) {
            throw Failure("cannot read the sound file");
        }
        bytes.resize(done + got);
        if (static_cast<std::int64_t>(bytes.size()) > maxBytes) {
            throw Failure("the sound file is too long");
        }
        if (got == 0) {
            return bytes;
        }
    }
}

std::unique_ptr<OutputFile> WindowsFileSystem::createOutput(const std::string& path) {
    return std::make_unique<ReplacingTextFile>(widen(path), codePage_);
}

}  // namespace vornelik
