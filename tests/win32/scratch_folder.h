// SPDX-License-Identifier: MIT
#pragma once

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace vornelik {

// A fresh folder under the user's temporary folder, removed with what is left in it.
class ScratchFolder {
  public:
    ScratchFolder() {
        std::wstring temp(GetTempPathW(0, nullptr), L'\0');
        temp.resize(GetTempPathW(static_cast<DWORD>(temp.size()), temp.data()));
        path_ = temp + L"vornelik-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                std::to_wstring(next_++);
        CreateDirectoryW(path_.c_str(), nullptr);
    }
    ~ScratchFolder() {
        for (const auto& name : names()) {
            const std::wstring path = path_ + L"\\" + name;
            if (!DeleteFileW(path.c_str())) {
                RemoveDirectoryW(path.c_str());
            }
        }
        RemoveDirectoryW(path_.c_str());
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    std::wstring operator/(const std::wstring& name) const { return path_ + L"\\" + name; }
    // The folder's own name, without the folders above it.
    std::wstring name() const { return path_.substr(path_.find_last_of(L'\\') + 1); }

    // The names in the folder, so that tests see stray temporary files.
    std::vector<std::wstring> names() const {
        std::vector<std::wstring> found;
        WIN32_FIND_DATAW data;
        const HANDLE search = FindFirstFileW((path_ + L"\\*").c_str(), &data);
        if (search == INVALID_HANDLE_VALUE) {
            return found;
        }
        do {
            const std::wstring name = data.cFileName;
            if (name != L"." && name != L"..") {
                found.push_back(name);
            }
        } while (FindNextFileW(search, &data));
        FindClose(search);
        return found;
    }

  private:
    static inline int next_ = 0;
    std::wstring path_;
};

inline void writeBytes(const std::wstring& path, const std::string& bytes) {
    std::ofstream out(std::filesystem::path(path), std::ios::binary);
    out << bytes;
}

inline std::string readBytes(const std::wstring& path) {
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace vornelik
