// SPDX-License-Identifier: MIT
// Run inside the Wine prefix after the installer: follows the Start-menu shortcut, which must
// lead to the installed vornelik.exe, starts that program as an ordinary start, and exits with 0
// once its window has shown the form's caption and closed again with 0.
//   installed_window_check.exe SHORTCUT.lnk C:\...\vornelik.exe

#include "running_window.h"

#include <objbase.h>
#include <shlobj.h>

#include <cstdio>
#include <exception>
#include <string>

#include "ui/form_layout.h"
#include "win32/wide_text.h"

namespace {

// The program a shell link starts, or an empty text when the link cannot be read.
std::wstring shortcutTarget(const wchar_t* shortcut) {
    std::wstring target;
    IShellLinkW* link = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                reinterpret_cast<void**>(&link)))) {
        return target;
    }
    IPersistFile* file = nullptr;
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
        wchar_t path[MAX_PATH] = {};
        if (SUCCEEDED(file->Load(shortcut, STGM_READ)) &&
            SUCCEEDED(link->GetPath(path, MAX_PATH, nullptr, SLGP_RAWPATH))) {
            target = path;
        }
        file->Release();
    }
    link->Release();
    return target;
}

int failure(const std::string& reason) {
    std::fprintf(stderr, "%s\n", reason.c_str());
    return 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    using namespace vornelik;
    if (argc != 3) {
        return failure("usage: installed_window_check SHORTCUT.lnk PROGRAM.exe");
    }
    CoInitialize(nullptr);
    const std::wstring target = shortcutTarget(argv[1]);
    CoUninitialize();
    if (CompareStringOrdinal(target.c_str(), -1, argv[2], -1, TRUE) != CSTR_EQUAL) {
        return failure("the shortcut leads to \"" + narrow(target) + "\"");
    }
    try {
        // An empty script is no script: the program starts as from the Start menu.
        RunningWindow window(target, L"");
        wchar_t caption[64] = {};
        GetWindowTextW(window.window(), caption, 64);
        if (narrow(caption) != kForm1.caption) {
            return failure("the window's caption is \"" + narrow(caption) + "\"");
        }
        const unsigned long code = window.close();
        if (code != 0) {
            return failure("the program ended with " + std::to_string(code));
        }
    } catch (const std::exception& error) {
        return failure(error.what());
    }
    return 0;
}
