// SPDX-License-Identifier: MIT
#include "win32/windows_file_system.h"

#include <algorithm>
#include <array>

#include "win32/windows_api.h"

#include "core/best_fit.h"
#include "core/failure.h"
#include "win32/replacing_text_file.h"
#include "win32/wide_text.h"
#include "win32/windows_error.h"

namespace vornelik {
namespace {

constexpr DWORD kPiece = 1 << 20;

// Closes the file however the reading ends.
class OpenFile {
  public:
    explicit OpenFile(const std::wstring& path)
        : path_(path),
          handle_(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)) {
        if (handle_ == INVALID_HANDLE_VALUE) {
            throw windowsFailure("cannot open", path_);
        }
    }
    ~OpenFile() { CloseHandle(handle_); }
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;

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

// An input read through its handle, for openInput: a file, or standard input (not closed).
class HandleInput : public InputFile {
  public:
    HandleInput(HANDLE handle, std::wstring name, bool owned)
        : handle_(handle), name_(std::move(name)), owned_(owned) {
        LARGE_INTEGER size;
        if (GetFileType(handle_) == FILE_TYPE_DISK && GetFileSizeEx(handle_, &size) != 0) {
            knownSize_ = size.QuadPart;
        }
    }
    ~HandleInput() override {
        if (owned_) {
            CloseHandle(handle_);
        }
    }
    HandleInput(const HandleInput&) = delete;
    HandleInput& operator=(const HandleInput&) = delete;

    std::int64_t knownSize() const override { return knownSize_; }
    std::size_t read(std::uint8_t* into, std::size_t room) override {
        DWORD got = 0;
        if (ReadFile(handle_, into, static_cast<DWORD>(std::min<std::size_t>(room, kPiece)), &got,
                     nullptr) == 0) {
            if (GetLastError() == ERROR_BROKEN_PIPE) {
                return 0;  // the writer of a pipe is done
            }
            throw windowsFailure("cannot read", name_);
        }
        return got;
    }

  private:
    HANDLE handle_;
    std::wstring name_;
    bool owned_;
    std::int64_t knownSize_ = -1;
};

// Standard output, written directly: text in the code page, bytes as they are.
class StandardOutput : public OutputFile {
  public:
    explicit StandardOutput(unsigned codePage)
        : handle_(GetStdHandle(STD_OUTPUT_HANDLE)), codePage_(codePage) {}

    void write(std::string_view text) override {
        writeBytes(isAscii(text) ? std::string(text) : toCodePage(text, codePage_));
    }
    void writeBytes(std::string_view bytes) override {
        while (!bytes.empty()) {
            DWORD written = 0;
            const auto piece = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), kPiece));
            if (WriteFile(handle_, bytes.data(), piece, &written, nullptr) == 0 || written == 0) {
                throw windowsFailure("cannot write", L"standard output");
            }
            bytes.remove_prefix(written);
        }
    }
    void commit() override {}

  private:
    HANDLE handle_;
    unsigned codePage_;
};

// The volume and file ID that name one file whatever the path to it, or nothing.
bool fileIdOf(const std::string& path, BY_HANDLE_FILE_INFORMATION& information) {
    const HANDLE handle =
        CreateFileW(widen(path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return false;
    }
    const bool known = GetFileInformationByHandle(handle, &information) != 0;
    CloseHandle(handle);
    return known;
}

}  // namespace

std::unique_ptr<InputFile> WindowsFileSystem::openInput(const std::string& path) {
    if (isStandardStream(path)) {
        return std::make_unique<HandleInput>(GetStdHandle(STD_INPUT_HANDLE), L"standard input",
                                             false);
    }
    const std::wstring name = widen(path);
    const HANDLE handle =
        CreateFileW(name.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        throw windowsFailure("cannot open", name);
    }
    return std::make_unique<HandleInput>(handle, name, true);
}

bool WindowsFileSystem::isSameFile(const std::string& first, const std::string& second) {
    BY_HANDLE_FILE_INFORMATION one;
    BY_HANDLE_FILE_INFORMATION other;
    if (isStandardStream(first) || isStandardStream(second) || !fileIdOf(first, one) ||
        !fileIdOf(second, other)) {
        return false;
    }
    return one.dwVolumeSerialNumber == other.dwVolumeSerialNumber &&
           one.nFileIndexHigh == other.nFileIndexHigh && one.nFileIndexLow == other.nFileIndexLow;
}

std::int64_t WindowsFileSystem::fileLength(const std::string& path) {
    if (isStandardStream(path)) {
        return 0;  // measured as it is read
    }
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
    if (isStandardStream(path)) {
        return FileSystem::readAll(path, maxBytes);
    }
    const OpenFile file(widen(path));
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
    if (isStandardStream(path)) {
        return std::make_unique<StandardOutput>(codePage_);
    }
    return std::make_unique<ReplacingTextFile>(widen(path), codePage_);
}

}  // namespace vornelik
