// SPDX-License-Identifier: MIT
#include "win32/win32_dialogs.h"

#include <commdlg.h>

#include <string>
#include <vector>

#include "core/failure.h"
#include "core/path_folder.h"
#include "ui/form_layout.h"
#include "win32/wide_text.h"

namespace vornelik {
namespace {

// Long enough for the longest path the wide API takes.
constexpr DWORD kPathCapacity = 32768;

// comdlg32 is loaded when a dialog is first needed, not with the program: importing it at load
// pulls in several more libraries and slows every start.
class CommonDialogLibrary {
  public:
    using Ask = BOOL(WINAPI*)(OPENFILENAMEW*);
    using ExtendedError = DWORD(WINAPI*)();

    static const CommonDialogLibrary& get() {
        static const CommonDialogLibrary library;
        return library;
    }

    Ask open = nullptr;
    Ask save = nullptr;
    ExtendedError extendedError = nullptr;

  private:
    CommonDialogLibrary() {
        const HMODULE module = LoadLibraryW(L"comdlg32.dll");
        if (module == nullptr) {
            throw Failure("the file dialog cannot be shown: comdlg32.dll is missing");
        }
        open = function<Ask>(module, "GetOpenFileNameW");
        save = function<Ask>(module, "GetSaveFileNameW");
        extendedError = function<ExtendedError>(module, "CommDlgExtendedError");
    }

    template <typename Function>
    static Function function(HMODULE module, const char* name) {
        // Through a plain function pointer type, which any function pointer converts to.
        const auto found = reinterpret_cast<void (*)()>(GetProcAddress(module, name));
        if (found == nullptr) {
            throw Failure(std::string("the file dialog cannot be shown: comdlg32.dll lacks ") +
                          name);
        }
        return reinterpret_cast<Function>(found);
    }
};

std::wstring folderOf(const std::string& path) {
    return widen(folderPart<char>(path, "\\/"));
}

std::optional<std::string> askForFile(HWND owner, bool save, CommonDialog::Filter filter,
                                      const std::string& lastPath) {
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

    const CommonDialogLibrary& library = CommonDialogLibrary::get();
    if ((save ? library.save(&request) : library.open(&request)) == 0) {
        // No error is a plain cancel; anything else is the dialog failing.
        if (const DWORD error = library.extendedError(); error != 0) {
            throw Failure("the file dialog failed with error " + std::to_string(error));
        }
        return std::nullopt;
    }
    return narrow(file.data());
}

}  // namespace

std::wstring dialogFilter(CommonDialog::Filter filter) {
    std::wstring text = widen(filter.description);
    text += L'\0';
    text += widen(filter.pattern);
    text += L'\0';
    text += L'\0';
    return text;
}

std::optional<std::string> Win32CommonDialog::askForOpen(Filter filter,
                                                         const std::string& lastPath) {
    return askForFile(owner_, false, filter, lastPath);
}

std::optional<std::string> Win32CommonDialog::askForSave(Filter filter,
                                                         const std::string& lastPath) {
    return askForFile(owner_, true, filter, lastPath);
}

void Win32MsgBox::show(std::string_view prompt) {
    ::MessageBoxW(owner_, widen(prompt).c_str(), widen(kForm1.messageBoxCaption).c_str(), MB_OK);
}

}  // namespace vornelik
