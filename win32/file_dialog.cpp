#include "win32/file_dialog.h"

#include <commdlg.h>

#include <vector>

#include "core/failure.h"
#include "win32/wide_text.h"

namespace vornelik {
namespace {

// Long enough for the longest path the wide API takes.
constexpr DWORD kPathCapacity = 32768;

std::wstring folderOf(const std::wstring& path) {
    const auto slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1);
}

}  // namespace

std::wstring dialogFilter(std::string_view filter) {
    const auto bar = filter.find('|');
    const std::string_view description = filter.substr(0, bar);
    const std::string_view pattern =
        bar == std::string_view::npos ? filter : filter.substr(bar + 1);
    std::wstring result = widen(description);
    result += L'\0';
    result += widen(pattern);
    result += L'\0';
    result += L'\0';
    return result;
}

std::optional<std::wstring> askForFile(HWND owner, FileDialogMode mode, std::string_view filter,
                                       const std::wstring& lastPath) {
    const std::wstring filterText = dialogFilter(filter);
    const std::wstring folder = folderOf(lastPath);
    std::vector<wchar_t> file(kPathCapacity, L'\0');

    OPENFILENAMEW request{};
    request.lStructSize = sizeof request;
    request.hwndOwner = owner;
    request.lpstrFilter = filterText.c_str();
    request.nFilterIndex = 1;
    request.lpstrFile = file.data();
    request.nMaxFile = kPathCapacity;
    request.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
    // The program's working folder stays where it was; every path it uses is a full one.
    request.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;

    const BOOL confirmed =
        mode == FileDialogMode::open ? GetOpenFileNameW(&request) : GetSaveFileNameW(&request);
    if (!confirmed) {
        // Zero is a plain cancel; anything else is the dialog failing.
        if (CommDlgExtendedError() != 0) {
            throw Failure("the file dialog failed");
        }
        return std::nullopt;
    }
    return std::wstring(file.data());
}

}  // namespace vornelik
