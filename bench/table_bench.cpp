// SPDX-License-Identifier: MIT
// The sample table writer over a 16 MiB sound: into a sink that only counts, and into a file on
// disk. Reports bytes of table text per second. It times core alone: the program's own file
// layer is timed end to end by cli_bench.sh (vornelik-cli inc against xxd -i and cat).

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/sample_table.h"

namespace {

constexpr std::size_t kSoundBytes = 16u << 20;

const std::vector<std::uint8_t>& sound() {
    static const std::vector<std::uint8_t> data = [] {
        std::vector<std::uint8_t> bytes(kSoundBytes + 1, 0);
        std::uint32_t state = 12345;
        for (std::size_t i = 0; i < kSoundBytes; ++i) {
            state = state * 1103515245u + 12345u;  // any spread of values will do
            bytes[i] = static_cast<std::uint8_t>(state >> 24);
        }
        return bytes;
    }();
    return data;
}

class CountingSink : public vornelik::TextSink {
  public:
    void write(std::string_view text) override {
        benchmark::DoNotOptimize(text.data());
        bytes += text.size();
    }
    std::size_t bytes = 0;
};

// The table's text written to a file as it comes, through the C library's buffer.
class FileSink : public vornelik::TextSink {
  public:
    explicit FileSink(const std::filesystem::path& path) : file_(std::fopen(path.c_str(), "wb")) {
        if (file_ == nullptr) {
            throw std::runtime_error("cannot write " + path.string());
        }
    }
    ~FileSink() override { std::fclose(file_); }
    FileSink(const FileSink&) = delete;
    FileSink& operator=(const FileSink&) = delete;

    void write(std::string_view text) override { std::fwrite(text.data(), 1, text.size(), file_); }

  private:
    std::FILE* file_;
};

vornelik::TableSource wholeSound(vornelik::Quality quality, const std::string& end) {
    return {sound(), quality, "0", end};
}

void tableIntoDiscardingSink(benchmark::State& state) {
    const auto quality = static_cast<vornelik::Quality>(state.range(0));
    const std::string end = std::to_string(kSoundBytes);
    std::size_t total = 0;
    for (auto _ : state) {
        CountingSink sink;
        std::int32_t tableIndex = 0;
        vornelik::writeSampleTable(sink, wholeSound(quality, end), tableIndex);
        total += sink.bytes;
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(total));
}
BENCHMARK(tableIntoDiscardingSink)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void tableIntoFile(benchmark::State& state) {
    const auto quality = static_cast<vornelik::Quality>(state.range(0));
    const std::string end = std::to_string(kSoundBytes);
    const std::filesystem::path path =
        std::filesystem::temp_directory_path() / "vornelik-table-bench.inc";
    std::int64_t total = 0;
    for (auto _ : state) {
        {
            FileSink file(path);
            std::int32_t tableIndex = 0;
            vornelik::writeSampleTable(file, wholeSound(quality, end), tableIndex);
        }
        total += static_cast<std::int64_t>(std::filesystem::file_size(path));
    }
    std::filesystem::remove(path);
    state.SetBytesProcessed(total);
}
BENCHMARK(tableIntoFile)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
