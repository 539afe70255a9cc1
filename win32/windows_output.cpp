// SPDX-License-Identifier: MIT
#include "win32/windows_output.h"

#include <windows.h>

#include <algorithm>
#include <atomic>

#include "core/failure.h"
#include "win32/wide_text.h"
#include "win32/windows_error.h"
#include "win32/windows_path.h"

namespace vornelik {
namespace {

constexpr std::size_t kPieceSize = 64 * 1024;
// The longest path the wide API takes.
constexpr std::size_t kLongestPath = 32767;

std::atomic<unsigned> nextTemporary{0};

std::wstring hex(unsigned long value) {
    static constexpr wchar_t kDigits[] = L"0123456789abcdef";
    std::wstring digits;
    do {
        digits.insert(digits.begin(), kDigits[value % 16]);
        value /= 16;
    } while (value != 0);
    return digits;
}

// A new, empty file beside the target whose name no other writer has taken: "vor" and the
// process and a counter, as GetTempFileNameW would make it, but at any length.
HANDLE createTemporary(const std::wstring& target, const std::wstring& path,
                       std::wstring& temporaryPath) {
    const std::wstring folder = folderOf(target);
    for (int attempt = 0; attempt < 1000; ++attempt) {
        const std::wstring name = L"\\vor" + hex(GetCurrentProcessId()) + L"-" +
                                  hex(GetTickCount()) + L"-" + hex(nextTemporary++) + L".tmp";
        if (folder.size() + name.size() > kLongestPath) {
            SetLastError(ERROR_FILENAME_EXCED_RANGE);
            throw windowsFailure("cannot create", path);
        }
        const std::wstring candidate = folder + name;
        const HANDLE handle = CreateFileW(candidate.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                          FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle != INVALID_HANDLE_VALUE) {
            temporaryPath = candidate;
            return handle;
        }
        if (GetLastError() != ERROR_FILE_EXISTS && GetLastError() != ERROR_ALREADY_EXISTS) {
            throw windowsFailure("cannot create", path);
        }
    }
    throw windowsFailure("cannot create", path);
}

}  // namespace

WindowsOutput::WindowsOutput(const std::wstring& path) : path_(path), target_(systemPath(path)) {
    if (isDevicePath(target_)) {
        const HANDLE handle =
            CreateFileW(target_.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle == INVALID_HANDLE_VALUE) {
            throw windowsFailure("cannot open", path_);
        }
        handle_ = handle;
    } else {
        // Windows would replace a read-only file: it is refused here, as elsewhere.
        const DWORD attributes = GetFileAttributesW(target_.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES) {
            if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
                throw Failure("cannot create " + narrow(path_) + ": it is a directory");
            }
            if ((attributes & FILE_ATTRIBUTE_READONLY) != 0) {
                throw Failure("cannot create " + narrow(path_) + ": the file is read-only");
            }
        }
        handle_ = createTemporary(target_, path_, temporaryPath_);
    }
    pending_.reserve(kPieceSize);
}

WindowsOutput::~WindowsOutput() {
    if (!committed_) {
        discard();
    }
}

void WindowsOutput::write(std::string_view bytes) {
    pending_.append(bytes);
    if (pending_.size() >= kPieceSize) {
        flush();
    }
}

void WindowsOutput::commit() {
    try {
        flush();
        const HANDLE handle = handle_;
        handle_ = nullptr;
        if (temporaryPath_.empty()) {
            // A device has nothing to flush to a disk and nothing to move.
            if (CloseHandle(handle) == 0) {
                throw windowsFailure("cannot write", path_);
            }
            committed_ = true;
            return;
        }
        if (FlushFileBuffers(handle) == 0) {
            const Failure failure = windowsFailure("cannot write", path_);
            CloseHandle(handle);
            throw failure;
        }
        if (CloseHandle(handle) == 0) {
            throw windowsFailure("cannot write", path_);
        }
        if (MoveFileExW(temporaryPath_.c_str(), target_.c_str(),
                        MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) == 0) {
            throw windowsFailure("cannot replace", path_);
        }
        committed_ = true;
    } catch (...) {
        discard();
        throw;
    }
}

void WindowsOutput::goBack(std::string_view start, std::uint64_t length) {
    if (!canGoBack()) {
        throw Failure("cannot go back in " + narrow(path_));
    }
    flush();
    LARGE_INTEGER position{};
    if (SetFilePointerEx(handle_, position, nullptr, FILE_BEGIN) == 0) {
        throw windowsFailure("cannot write", path_);
    }
    pending_.assign(start);
    flush();
    position.QuadPart = static_cast<LONGLONG>(length);
    if (SetFilePointerEx(handle_, position, nullptr, FILE_BEGIN) == 0 ||
        SetEndOfFile(handle_) == 0) {
        throw windowsFailure("cannot write", path_);
    }
}

void WindowsOutput::flush() {
    std::size_t done = 0;
    while (done < pending_.size()) {
        const DWORD piece = static_cast<DWORD>(std::min(pending_.size() - done, kPieceSize));
        DWORD written = 0;
        if (WriteFile(handle_, pending_.data() + done, piece, &written, nullptr) == 0) {
            throw windowsFailure("cannot write", path_);
        }
        if (written == 0) {
            SetLastError(ERROR_WRITE_FAULT);
            throw windowsFailure("cannot write", path_);
        }
        done += written;
    }
    pending_.clear();
}

void WindowsOutput::discard() {
    if (handle_ != nullptr) {
        CloseHandle(handle_);
        handle_ = nullptr;
    }
    if (!temporaryPath_.empty()) {
        DeleteFileW(temporaryPath_.c_str());
        temporaryPath_.clear();
    }
}

}  // namespace vornelik
