#include "win32/sound_file.h"

#include <windows.h>

#include <limits>

#include "core/failure.h"

namespace vornelik {
namespace {

std::int32_t checkedLength(std::uint64_t length) {
    if (length > static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max())) {
        throw Failure("file length out of range");
    }
    return static_cast<std::int32_t>(length);
}

// Closes the file however the reading ends.
class OpenFile {
  public:
    explicit OpenFile(const std::wstring& path)
        : handle_(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)) {
        if (handle_ == INVALID_HANDLE_VALUE) {
            throw Failure("cannot open the sound file");
        }
    }
    ~OpenFile() { CloseHandle(handle_); }
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;

    HANDLE handle() const { return handle_; }

  private:
    HANDLE handle_;
};

}  // namespace

std::int32_t fileLength(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data) == 0 ||
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        throw Failure("no such file");
    }
    return checkedLength((static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) |
                         data.nFileSizeLow);
}

std::vector<std::uint8_t> readSoundFile(const std::wstring& path) {
    const OpenFile file(path);
    LARGE_INTEGER size;
    if (GetFileSizeEx(file.handle(), &size) == 0 || size.QuadPart < 0) {
        throw Failure("cannot read the sound file");
    }
    const std::int32_t length = checkedLength(static_cast<std::uint64_t>(size.QuadPart));
    std::vector<std::uint8_t> data(static_cast<std::size_t>(length) + 1, 0);
    std::int32_t done = 0;
    while (done < length) {
        DWORD got = 0;
        if (ReadFile(file.handle(), data.data() + done, static_cast<DWORD>(length - done), &got,
                     nullptr) == 0 ||
            got == 0) {
            throw Failure("cannot read the sound file");
        }
        done += static_cast<std::int32_t>(got);
    }
    return data;
}

}  // namespace vornelik
