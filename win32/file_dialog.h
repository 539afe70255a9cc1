#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace vornelik {

// "ses dosyaları|*.wav" in the form the common dialogs take: description and pattern each ended
// by a null character, and one more null at the end.
std::wstring dialogFilter(std::string_view filter);

enum class FileDialogMode { open, save };

// Shows the Open or Save dialog: no title of its own, no default extension, no test that the
// file exists and no question before an existing file is replaced. It starts in the folder of
// lastPath without proposing a name, so that a plain confirmation cannot pick the sound file
// for writing. Returns the confirmed full path, or nothing when the user cancelled.
std::optional<std::wstring> askForFile(HWND owner, FileDialogMode mode, std::string_view filter,
                                       const std::wstring& lastPath);

}  // namespace vornelik
