// SPDX-License-Identifier: MIT
#include "win32/replacing_text_file.h"

#include "win32/windows_api.h"

#include "core/best_fit.h"
#include "core/failure.h"
#include "win32/wide_text.h"
#include "win32/windows_error.h"

namespace vornelik {
namespace {

constexpr std::size_t kPieceSize = 64 * 1024;

std::wstring folderOf(const std::wstring& path) {
    const auto slash = path.find_last_of(L"\\/");
    if (slash == std::wstring::npos) {
        return L".";
    }
    // "C:\name" keeps its root backslash.
    return path.substr(0, slash == 2 && path[1] == L':' ? slash + 1 : slash);
}

}  // namespace

ReplacingTextFile::ReplacingTextFile(const std::wstring& path, unsigned codePage)
    : path_(path), handle_(nullptr), codePage_(codePage) {
    wchar_t temporary[MAX_PATH];
    // Beside the target, so that the final move stays on one volume and cannot be half done.
    if (GetTempFileNameW(folderOf(path).c_str(), L"vor", 0, temporary) == 0) {
        throw windowsFailure("cannot create", path);
    }
    temporaryPath_ = temporary;
    const HANDLE handle = CreateFileW(temporary, GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        const Failure failure = windowsFailure("cannot create", path);
        DeleteFileW(temporary);
        throw failure;
    }
    handle_ = handle;
    pending_.reserve(kPieceSize);
}

ReplacingTextFile::~ReplacingTextFile() {
    if (!committed_) {
        discard();
    }
}

void ReplacingTextFile::write(std::string_view text) {
    if (isAscii(text)) {
        pending_.append(text);
    } else {
        pending_.append(toCodePage(text, codePage_));
    }
    if (pending_.size() >= kPieceSize) {
        flush();
    }
}

void ReplacingTextFile::writeBytes(std::string_view bytes) {
    pending_.append(bytes);
    if (pending_.size() >= kPieceSize) {
        flush();
    }
}

void ReplacingTextFile::commit() {
    try {
        flush();
        const HANDLE handle = handle_;
        handle_ = nullptr;
        if (FlushFileBuffers(handle) == 0) {
            const Failure failure = windowsFailure("cannot write", path_);
            CloseHandle(handle);
            throw failure;
        }
        if (CloseHandle(handle) == 0) {
            throw windowsFailure("cannot write", path_);
        }
        if (MoveFileExW(temporaryPath_.c_str(), path_.c_str(),
                        MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) == 0) {
            throw windowsFailure("cannot replace", path_);
        }
        committed_ = true;
    } catch (...) {
        discard();
        throw;
    }
}

void ReplacingTextFile::flush() {
    std::size_t done = 0;
    while (done < pending_.size()) {
        const DWORD piece = static_cast<DWORD>(pending_.size() - done);
        DWORD written = 0;
        if (WriteFile(handle_, pending_.data() + done, piece, &written, nullptr) == 0 ||
            written == 0) {
            throw windowsFailure("cannot write", path_);
        }
        done += written;
    }
    pending_.clear();
}

void ReplacingTextFile::discard() {
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
