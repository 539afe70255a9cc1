// SPDX-License-Identifier: MIT
#include "win32/windows_cli.h"

#include <windows.h>

#include <iostream>
#include <streambuf>
#include <string>

#include "core/utf8.h"
#include "win32/wide_text.h"
#include "win32/windows_path.h"

namespace vornelik {
namespace {

// A stream buffer that hands UTF-8 text to a console as UTF-16.
class ConsoleBuffer : public std::streambuf {
  public:
    explicit ConsoleBuffer(HANDLE console) : console_(console) {}

  protected:
    int_type overflow(int_type c) override {
        if (c != traits_type::eof()) {
            pending_.push_back(static_cast<char>(c));
            if (c == '\n') {
                sync();
            }
        }
        return traits_type::not_eof(c);
    }
    std::streamsize xsputn(const char* text, std::streamsize count) override {
        pending_.append(text, static_cast<std::size_t>(count));
        if (pending_.find('\n') != std::string::npos) {
            sync();
        }
        return count;
    }
    int sync() override {
        // A character split between two writes waits for its other half.
        const std::size_t complete = completeUtf8Length(pending_);
        if (complete == 0) {
            return 0;
        }
        std::wstring wide;
        try {
            wide = widen(std::string_view(pending_).substr(0, complete));
        } catch (const std::exception&) {
            wide = std::wstring(pending_.begin(), pending_.begin() + complete);
        }
        pending_.erase(0, complete);
        std::size_t done = 0;
        while (done < wide.size()) {
            DWORD written = 0;
            const auto piece = static_cast<DWORD>(std::min<std::size_t>(wide.size() - done, 8192));
            if (WriteConsoleW(console_, wide.data() + done, piece, &written, nullptr) == 0 ||
                written == 0) {
                return -1;
            }
            done += written;
        }
        return 0;
    }

  private:
    HANDLE console_;
    std::string pending_;
};

void useConsole(std::ostream& stream, DWORD which) {
    const HANDLE handle = GetStdHandle(which);
    DWORD mode = 0;
    if (handle == INVALID_HANDLE_VALUE || handle == nullptr || GetConsoleMode(handle, &mode) == 0) {
        return;  // redirected: the UTF-8 bytes go out as they are
    }
    stream.flush();
    stream.rdbuf(new ConsoleBuffer(handle));  // kept for as long as the stream lives
}

}  // namespace

void prepareWindowsConsole() {
    useConsole(std::cout, STD_OUTPUT_HANDLE);
    useConsole(std::cerr, STD_ERROR_HANDLE);
}

}  // namespace vornelik
