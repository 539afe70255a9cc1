// SPDX-License-Identifier: MIT
#include "win32/windows_file_system.h"

#include <algorithm>
#include <array>

#include "win32/windows_api.h"

#include "core/failure.h"
#include "win32/replacing_text_file.h"
#include "win32/wide_text.h"
#include "win32/windows_error.h"

namespace vornelik {
namespace {

constexpr DWORD kPiece = 1 << 20;

// Closes the file however the reading ends.
class InputFile {
  public:
    explicit InputFile(const std::wstring& path)
        : path_(path),
          handle_(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)) {
        if (handle_ == INVALID_HANDLE_VALUE) {
            throw windowsFailure("cannot open", path_);
        }
    }
    ~InputFile() { CloseHandle(handle_); }
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    HANDLE handle() const { return handle_; }
    const std::wstring& path() const { return path_; }

    // The length it reports, for a first guess of the room needed.
    std::int64_t reportedLength() const {
        LARGE_INTEGER size;
        return GetFileSizeEx(handle_, &size) != 0 ? size.QuadPart : 0;
    }

  private:
    std::wstring path_;
    HANDLE handle_;
};

}  // namespace

std::int64_t WindowsFileSystem::fileLength(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (GetFileAttributesExW(widen(path).c_str(), GetFileExInfoStandard, &data) == 0 ||
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        throw windowsFailure("no such file", widen(path));
    }
    return static_cast<std::int64_t>((static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) |
                                     data.nFileSizeLow);
}

std::vector<std::uint8_t> WindowsFileSystem::readAll(const std::string& path,
                                                     std::int64_t maxBytes) {
    const InputFile file(widen(path));
    // Read to the end, whatever length the file reports: some report more than they hold,
    // and a file may grow. Room for the reported length and the window's one 0 is taken at
    // once, so a sound costs its own size.
    std::vector<std::uint8_t> bytes;
    bytes.reserve(
        static_cast<std::size_t>(std::clamp<std::int64_t>(file.reportedLength(), 0, maxBytes)) + 1);
    for (;;) {
        const std::size_t done = bytes.size();
        const std::size_t room = bytes.capacity() - done - 1;
        if (room == 0) {
            // As long as reported: a small read tells whether that is all.
            std::array<std::uint8_t, 4096> probe;
            DWORD got = 0;
            if (ReadFile(file.handle(), probe.data(), probe.size(), &got, nullptr) == 0) {
                throw windowsFailure("cannot read", file.path());
            }
            if (got == 0) {
                return bytes;
            }
            bytes.reserve(done + got + kPiece + 1);
            bytes.insert(bytes.end(), probe.begin(), probe.begin() + got);
            continue;
        }
        const DWORD piece = static_cast<DWORD>(std::min<std::size_t>(room, kPiece));
        bytes.resize(done + piece);
        DWORD got = 0;
        if (ReadFile(file.handle(), bytes.data() + done, piece, &got, nullptr) == 0) {
            throw windowsFailure("cannot read", file.path());
        }
        bytes.resize(done + got);
        if (static_cast<std::int64_t>(bytes.size()) > maxBytes) {
            throw Failure(path + " is too long for a sound");
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
