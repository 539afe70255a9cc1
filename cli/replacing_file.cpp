// SPDX-License-Identifier: MIT
#include "cli/replacing_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <random>
#include <stdexcept>
#include <system_error>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>

#include "win32/windows_output.h"
#endif

namespace vornelik {

std::filesystem::path pathFromUtf8(std::string_view name) {
    return std::filesystem::path(std::u8string(name.begin(), name.end()));
}

std::string utf8Of(const std::filesystem::path& path) {
    const std::u8string name = path.u8string();
    return {name.begin(), name.end()};
}

ReplacingFile::ReplacingFile(std::filesystem::path target) : target_(std::move(target)) {
    std::random_device random;
    temporary_ = target_;
    temporary_ += ".part-" + std::to_string(random()) + std::to_string(random());
}

ReplacingFile::~ReplacingFile() {
    if (!committed_) {
        std::error_code ignored;
        std::filesystem::remove(temporary_, ignored);
    }
}

void ReplacingFile::commit() {
    std::error_code error;
    std::filesystem::rename(temporary_, target_, error);
    if (error) {
        throw std::runtime_error("cannot write " + utf8Of(target_) + ": " + error.message());
    }
    committed_ = true;
}

void writeWholeFile(const std::string& name, std::string_view bytes) {
    if (name == "-") {
#ifdef _WIN32
        _setmode(_fileno(stdout), _O_BINARY);  // the bytes go out as they are
#endif
        if (std::fwrite(bytes.data(), 1, bytes.size(), stdout) != bytes.size() ||
            std::fflush(stdout) != 0) {
            throw std::runtime_error("cannot write to standard output");
        }
        return;
    }
#ifdef _WIN32
    // The Windows programs' one file writer: long paths, devices, read-only files.
    writeWindowsFile(name, bytes);
#else
    const std::filesystem::path target = pathFromUtf8(name);
    ReplacingFile file(target);
    {
        std::ofstream out(file.temporary(), std::ios::binary | std::ios::trunc);
        if (out) {
            out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
            out.close();
        }
        if (!out) {
            const int reason = errno;
            throw std::runtime_error("cannot write " + name + ": " +
                                     (reason != 0 ? std::strerror(reason) : "write failed"));
        }
    }
    file.commit();
#endif
}

}  // namespace vornelik
