// SPDX-License-Identifier: MIT
#include "cli/standard_output.h"

#include <cstdio>
#include <filesystem>
#include <random>
#include <system_error>

#include "core/failure.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace vornelik {
namespace {

// The platform's files take UTF-8 names; a path's native narrow form need not be UTF-8.
std::string utf8Of(const std::filesystem::path& path) {
    const std::u8string name = path.u8string();
    return {reinterpret_cast<const char*>(name.data()), name.size()};
}

std::filesystem::path temporaryPath() {
    std::random_device random;
    return std::filesystem::temp_directory_path() /
           ("vornelik-" + std::to_string(random()) + std::to_string(random()) + ".txt");
}

class StandardOutput : public OutputFile {
  public:
    StandardOutput(FileSystem& files, std::filesystem::path path)
        : files_(files), path_(std::move(path)), file_(files.createOutput(utf8Of(path_))) {}
    ~StandardOutput() override {
        std::error_code ignored;
        std::filesystem::remove(path_, ignored);
    }

    void write(std::string_view text) override { file_->write(text); }

    void commit() override {
        file_->commit();
        const std::vector<std::uint8_t> bytes = files_.readAll(utf8Of(path_), INT32_MAX);
#ifdef _WIN32
        _setmode(_fileno(stdout), _O_BINARY);  // the lines end in CR LF already
#endif
        if (std::fwrite(bytes.data(), 1, bytes.size(), stdout) != bytes.size() ||
            std::fflush(stdout) != 0) {
            throw Failure("cannot write to standard output");
        }
    }

  private:
    FileSystem& files_;
    std::filesystem::path path_;
    std::unique_ptr<OutputFile> file_;
};

}  // namespace

std::unique_ptr<OutputFile> StandardOutputFiles::createOutput(const std::string& path) {
    if (path == "-") {
        return std::make_unique<StandardOutput>(*files_, temporaryPath());
    }
    return files_->createOutput(path);
}

}  // namespace vornelik
