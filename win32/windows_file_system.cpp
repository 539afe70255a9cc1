// SPDX-License-Identifier: MIT
#include "win32/windows_file_system.h"

#include <algorithm>

#include <windows.h>

#include "core/best_fit.h"
#include "core/failure.h"
#include "win32/replacing_text_file.h"
#include "win32/wide_text.h"
#include "win32/windows_error.h"
#include "win32/windows_path.h"

namespace vornelik {
namespace {

constexpr DWORD kPiece = 1 << 20;

// Why a sound cannot be opened, in words that fit: a folder is called a directory.
Failure openFailure(const std::wstring& path) {
    const DWORD error = GetLastError();
    const DWORD attributes = GetFileAttributesW(systemPath(path).c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return Failure("cannot open " + narrow(path) + ": it is a directory");
    }
    SetLastError(error);
    return windowsFailure("cannot open", path);
}

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

// A sound is held whole, with a working copy of it: a 32-bit program lacks the room long
// before the longest sound the window takes. Asked of the address space before anything is read.
bool hasRoomFor(std::int64_t length) {
    const std::uint64_t needed = 2 * static_cast<std::uint64_t>(length) + 1;
    if (needed > SIZE_MAX) {
        return false;
    }
    void* room = VirtualAlloc(nullptr, static_cast<SIZE_T>(needed), MEM_RESERVE, PAGE_NOACCESS);
    if (room == nullptr) {
        return false;
    }
    VirtualFree(room, 0, MEM_RELEASE);
    return true;
}

Failure noRoomFailure(const std::string& path, std::int64_t length) {
    return Failure("cannot read " + path + ": a sound of " + std::to_string(length) +
                   " bytes does not fit in the program's memory");
}

}  // namespace

std::unique_ptr<InputFile> WindowsFileSystem::openInput(const std::string& path) {
    if (isStandardStream(path)) {
        return std::make_unique<HandleInput>(GetStdHandle(STD_INPUT_HANDLE), L"standard input",
                                             false);
    }
    const std::wstring name = widen(path);
    const HANDLE handle =
        CreateFileW(systemPath(name).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        throw openFailure(name);
    }
    return std::make_unique<HandleInput>(handle, name, true);
}

bool WindowsFileSystem::isSameFile(const std::string& first, const std::string& second) {
    return !isStandardStream(first) && !isStandardStream(second) &&
           vornelik::isSameFile(widen(first), widen(second));
}

std::int64_t WindowsFileSystem::fileLength(const std::string& path) {
    if (isStandardStream(path)) {
        return 0;  // measured as it is read
    }
    const std::wstring wide = widen(path);
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (GetFileAttributesExW(systemPath(wide).c_str(), GetFileExInfoStandard, &data) == 0) {
        throw openFailure(wide);
    }
    if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        throw Failure("cannot open " + path + ": it is a directory");
    }
    const auto length = static_cast<std::int64_t>(
        (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow);
    if (!hasRoomFor(length)) {
        throw noRoomFailure(path, length);
    }
    return length;
}

std::vector<std::uint8_t> WindowsFileSystem::readAll(const std::string& path,
                                                     std::int64_t maxBytes) {
    // A 32-bit program may lack the room even for a sound below the longest: said as such.
    const std::unique_ptr<InputFile> file = openInput(path);
    try {
        return readToEnd(*file, path, maxBytes);
    } catch (const std::bad_alloc&) {
        throw noRoomFailure(path, file->knownSize());
    } catch (const std::length_error&) {
        throw noRoomFailure(path, file->knownSize());
    }
}

std::unique_ptr<OutputFile> WindowsFileSystem::createOutput(const std::string& path) {
    if (isStandardStream(path)) {
        return std::make_unique<StandardOutput>(codePage());
    }
    return std::make_unique<ReplacingTextFile>(widen(path), codePage());
}

}  // namespace vornelik
