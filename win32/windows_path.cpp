// SPDX-License-Identifier: MIT
#include "win32/windows_path.h"

#include <windows.h>

#include "core/path_folder.h"
#include "win32/windows_error.h"

namespace vornelik {
namespace {

bool startsWith(const std::wstring& text, const wchar_t* prefix) {
    return text.rfind(prefix, 0) == 0;
}

std::wstring fullPath(const std::wstring& path) {
    // Asked twice if need be: the first answer gives the room the full path takes.
    std::wstring full(path.size() + MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetFullPathNameW(path.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
        if (length == 0) {
            throw windowsFailure("cannot use the name", path);
        }
        if (length < full.size()) {
            full.resize(length);
            return full;
        }
        full.resize(length);
    }
}

}  // namespace

std::wstring systemPath(const std::wstring& path) {
    if (startsWith(path, L"\\\\?\\") || startsWith(path, L"\\\\.\\")) {
        return path;
    }
    if (path.empty()) {
        SetLastError(ERROR_PATH_NOT_FOUND);
        throw windowsFailure("cannot use the name", path);
    }
    const std::wstring full = fullPath(path);
    if (startsWith(full, L"\\\\.\\") || startsWith(full, L"\\\\?\\")) {
        return full;
    }
    if (startsWith(full, L"\\\\")) {
        return L"\\\\?\\UNC\\" + full.substr(2);
    }
    return L"\\\\?\\" + full;
}

bool isDevicePath(const std::wstring& systemPath) {
    return startsWith(systemPath, L"\\\\.\\");
}

std::wstring folderOf(const std::wstring& systemPath) {
    const std::wstring_view folder = folderPart<wchar_t>(systemPath, L"\\");
    return std::wstring(folder.substr(0, folder.empty() ? 0 : folder.size() - 1));
}

}  // namespace vornelik

namespace vornelik {
namespace {

bool identify(const std::wstring& path, BY_HANDLE_FILE_INFORMATION& information) {
    // No access asked: the identity is read even from a file another program holds.
    const HANDLE handle = CreateFileW(systemPath(path).c_str(), 0,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return false;
    }
    const bool known = GetFileInformationByHandle(handle, &information) != 0;
    CloseHandle(handle);
    return known;
}

}  // namespace

bool isSameFile(const std::wstring& first, const std::wstring& second) {
    BY_HANDLE_FILE_INFORMATION one;
    BY_HANDLE_FILE_INFORMATION other;
    return identify(first, one) && identify(second, other) &&
           one.dwVolumeSerialNumber == other.dwVolumeSerialNumber &&
           one.nFileIndexHigh == other.nFileIndexHigh && one.nFileIndexLow == other.nFileIndexLow;
}

}  // namespace vornelik
