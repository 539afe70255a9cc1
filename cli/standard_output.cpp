// SPDX-License-Identifier: MIT
#include "cli/standard_output.h"

#include <filesystem>
#include <random>
#include <system_error>

#include "cli/replacing_file.h"

namespace vornelik {
namespace {

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
        writeWholeFile("-", {reinterpret_cast<const char*>(bytes.data()), bytes.size()});
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
