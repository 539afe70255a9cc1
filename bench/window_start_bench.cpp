// SPDX-License-Identifier: MIT
// How long a window program takes from its start until its window is shown, against
// another program, in pairs whose order alternates so that neither gains from a warm cache:
//   window_start_bench.exe PROGRAM YARDSTICK PAIRS
// Prints the median of each and their ratio.

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct Search {
    DWORD process;
    HWND found;
};

// Finds the visible top-level window of the process.
BOOL CALLBACK visibleWindowOf(HWND window, LPARAM searchAddress) {
    auto* search = reinterpret_cast<Search*>(searchAddress);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->process && IsWindowVisible(window)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

// Milliseconds from CreateProcess until the program's window is shown, found by looking every
// millisecond, as a user would see it.
double startTime(const std::wstring& program) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    std::wstring commandLine = L"\"" + program + L"\"";
    LARGE_INTEGER frequency;
    LARGE_INTEGER before;
    LARGE_INTEGER after;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&before);
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &started)) {
        std::fprintf(stderr, "cannot start %ls\n", program.c_str());
        std::exit(1);
    }
    Search search{started.dwProcessId, nullptr};
    for (int tries = 0; search.found == nullptr && tries < 30000; ++tries) {
        EnumWindows(visibleWindowOf, reinterpret_cast<LPARAM>(&search));
        if (search.found == nullptr) {
            Sleep(1);
        }
    }
    QueryPerformanceCounter(&after);
    if (search.found != nullptr) {
        PostMessageW(search.found, WM_CLOSE, 0, 0);
    }
    if (WaitForSingleObject(started.hProcess, 10000) != WAIT_OBJECT_0) {
        TerminateProcess(started.hProcess, 1);
    }
    CloseHandle(started.hThread);
    CloseHandle(started.hProcess);
    return 1000.0 * static_cast<double>(after.QuadPart - before.QuadPart) /
           static_cast<double>(frequency.QuadPart);
}

double median(std::vector<double> times) {
    std::sort(times.begin(), times.end());
    const std::size_t middle = times.size() / 2;
    return times.size() % 2 == 1 ? times[middle] : (times[middle - 1] + times[middle]) / 2;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: window_start_bench PROGRAM YARDSTICK PAIRS\n");
        return 1;
    }
    const int pairs = std::max(1, _wtoi(argv[3]));
    startTime(argv[1]);  // the first start of each loads the libraries from the disk
    startTime(argv[2]);
    std::vector<double> program;
    std::vector<double> yardstick;
    for (int pair = 0; pair < pairs; ++pair) {
        if (pair % 2 == 0) {
            program.push_back(startTime(argv[1]));
            yardstick.push_back(startTime(argv[2]));
        } else {
            yardstick.push_back(startTime(argv[2]));
            program.push_back(startTime(argv[1]));
        }
    }
    const double programMedian = median(program);
    const double yardstickMedian = median(yardstick);
    std::printf(
        "window start, median of %d paired runs: %.1f ms, bare window %.1f ms, ratio %.3f\n", pairs,
        programMedian, yardstickMedian, programMedian / yardstickMedian);
    return 0;
}
