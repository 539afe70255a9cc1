// SPDX-License-Identifier: MIT
#include "win32/windows_file_system.h"

#include <algorithm>
#include <optional>

#include <windows.h>

#include "core/best_fit.h"
#include "core/failure.h"
#include "win32/replacing_output_file.h"
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
    HANDLE handle() const { return handle_; }
    // The handle, which this input no longer closes.
    HANDLE release() {
        owned_ = false;
        return handle_;
    }
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
        writeBytes(inCodePage(text, codePage_, toCodePage));
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

// The file a handle reads or writes, when it is a file on a disk.
std::optional<FileIdentity> diskFileAt(HANDLE handle) {
    BY_HANDLE_FILE_INFORMATION information;
    if (handle == INVALID_HANDLE_VALUE || handle == nullptr ||
        GetFileType(handle) != FILE_TYPE_DISK ||
        GetFileInformationByHandle(handle, &information) == 0 ||
        (information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return std::nullopt;
    }
    return FileIdentity{
        information.dwVolumeSerialNumber,
        (static_cast<std::uint64_t>(information.nFileIndexHigh) << 32) | information.nFileIndexLow};
}

std::optional<FileIdentity> diskFileAt(const std::wstring& path) {
    // No access asked: the identity is read even from a file another program holds.
    const HANDLE handle = CreateFileW(systemPath(path).c_str(), 0,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return std::nullopt;
    }
    const std::optional<FileIdentity> identity = diskFileAt(handle);
    CloseHandle(handle);
    return identity;
}

// A file on a disk read at any position through its handle; a stream's copy is such a file,
// made to vanish when it is closed.
class HandleRandomInput : public RandomAccessInput {
  public:
    HandleRandomInput(HANDLE handle, std::wstring name, std::int64_t size,
                      std::optional<FileIdentity> identity, bool owned)
        : handle_(handle),
          name_(std::move(name)),
          size_(size),
          identity_(identity),
          owned_(owned) {}
    ~HandleRandomInput() override {
        if (owned_) {
            CloseHandle(handle_);
        }
    }
    HandleRandomInput(const HandleRandomInput&) = delete;
    HandleRandomInput& operator=(const HandleRandomInput&) = delete;

    std::int64_t size() const override { return size_; }
    std::optional<FileIdentity> identity() const override { return identity_; }
    std::size_t readAt(std::int64_t position, std::uint8_t* into, std::size_t room) override {
        OVERLAPPED at{};
        at.Offset = static_cast<DWORD>(static_cast<std::uint64_t>(position));
        at.OffsetHigh = static_cast<DWORD>(static_cast<std::uint64_t>(position) >> 32);
        DWORD got = 0;
        if (ReadFile(handle_, into, static_cast<DWORD>(std::min<std::size_t>(room, kPiece)), &got,
                     &at) == 0) {
            if (GetLastError() == ERROR_HANDLE_EOF) {
                return 0;
            }
            throw windowsFailure("cannot read", name_);
        }
        return got;
    }

  private:
    HANDLE handle_;
    std::wstring name_;
    std::int64_t size_;
    std::optional<FileIdentity> identity_;
    bool owned_;
};

// The stream's bytes, read once to its end, in a temporary file that is deleted when closed.
std::unique_ptr<RandomAccessInput> copiedStream(InputFile& from, const std::wstring& name,
                                                std::int64_t maxBytes) {
    std::wstring folder(MAX_PATH + 1, L'\0');
    folder.resize(GetTempPathW(static_cast<DWORD>(folder.size()), folder.data()));
    std::wstring path(MAX_PATH + 1, L'\0');
    if (folder.empty() || GetTempFileNameW(folder.c_str(), L"vor", 0, path.data()) == 0) {
        throw windowsFailure("cannot make a temporary copy of", name);
    }
    path.resize(wcslen(path.c_str()));
    const HANDLE copy =
        CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                    FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (copy == INVALID_HANDLE_VALUE) {
        DeleteFileW(path.c_str());
        throw windowsFailure("cannot make a temporary copy of", name);
    }
    struct Closer {
        HANDLE handle;
        ~Closer() {
            if (handle != nullptr) {
                CloseHandle(handle);  // and so deleted
            }
        }
    } closer{copy};
    std::vector<std::uint8_t> piece(kPiece);
    std::int64_t copied = 0;
    for (std::size_t got; (got = from.read(piece.data(), piece.size())) > 0;) {
        copied += static_cast<std::int64_t>(got);
        if (copied > maxBytes) {
            throw Failure(narrow(name) + " is a stream longer than " + std::to_string(maxBytes) +
                          " bytes, the most that is copied to be read more than once: save it "
                          "to a file first");
        }
        DWORD written = 0;
        if (WriteFile(copy, piece.data(), static_cast<DWORD>(got), &written, nullptr) == 0 ||
            written != got) {
            throw windowsFailure("cannot make a temporary copy of", name);
        }
    }
    closer.handle = nullptr;
    return std::make_unique<HandleRandomInput>(copy, name, copied, std::nullopt, true);
}

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

std::unique_ptr<RandomAccessInput> WindowsFileSystem::openRandomAccess(const std::string& path,
                                                                       std::int64_t maxBytes) {
    const std::unique_ptr<InputFile> stream = openInput(path);
    auto& handleInput = static_cast<HandleInput&>(*stream);
    const std::wstring name = isStandardStream(path) ? L"standard input" : widen(path);
    if (const std::optional<FileIdentity> disk = diskFileAt(handleInput.handle())) {
        // Read at its own positions, standard input's own position left where it is.
        return std::make_unique<HandleRandomInput>(
            handleInput.release(), name, handleInput.knownSize(), disk, !isStandardStream(path));
    }
    return copiedStream(*stream, name, maxBytes);
}

std::optional<FileIdentity> WindowsFileSystem::outputIdentity(const std::string& path) {
    return isStandardStream(path) ? diskFileAt(GetStdHandle(STD_OUTPUT_HANDLE))
                                  : diskFileAt(widen(path));
}

bool WindowsFileSystem::isSameFile(const std::string& input, const std::string& output) {
    const std::optional<FileIdentity> read = isStandardStream(input)
                                                 ? diskFileAt(GetStdHandle(STD_INPUT_HANDLE))
                                                 : diskFileAt(widen(input));
    return read && read == outputIdentity(output);
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
    return std::make_unique<ReplacingOutputFile>(widen(path), codePage());
}

}  // namespace vornelik
