// SPDX-License-Identifier: MIT
#pragma once

#include <string>

namespace vornelik {

// The path as the wide file API takes it at any length: made full against the working folder
// and put in the "\\?\" form, which lifts the 260-character limit ("\\?\UNC\" for a share).
// Devices ("NUL", "CON", "\\.\pipe\x") come back in their "\\.\" form, which needs no lifting.
// Throws Failure naming the path when it cannot be made full.
std::wstring systemPath(const std::wstring& path);

// Whether systemPath() gave a device rather than a file on a disk.
bool isDevicePath(const std::wstring& systemPath);

// The folder holding a full path, without its last separator ("\\?\C:\a\b" gives "\\?\C:\a").
std::wstring folderOf(const std::wstring& systemPath);

}  // namespace vornelik

namespace vornelik {

// Whether both names lead to one file, through links and different spellings alike: the same
// volume serial number and file index. False when either cannot be opened.
bool isSameFile(const std::wstring& first, const std::wstring& second);

}  // namespace vornelik
