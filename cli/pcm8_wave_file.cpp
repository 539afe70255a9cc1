// SPDX-License-Identifier: MIT
#include "cli/pcm8_wave_file.h"

#include <array>
#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <system_error>

#include "core/pcm_wave_header.h"

namespace vornelik {

Pcm8WaveFile::Pcm8WaveFile(const std::filesystem::path& target, std::uint32_t sampleRate)
    : name_(utf8Of(target)), sampleRate_(sampleRate), file_(target) {
    errno = 0;
    out_.open(file_.temporary(), std::ios::binary | std::ios::in | std::ios::out | std::ios::trunc);
    const std::array<std::uint8_t, kPcmWaveHeaderBytes> room{};  // the header comes last
    out_.write(reinterpret_cast<const char*>(room.data()), room.size());
    if (!out_) {
        fail();
    }
}

void Pcm8WaveFile::write(std::span<const std::uint8_t> samples) {
    out_.write(reinterpret_cast<const char*>(samples.data()),
               static_cast<std::streamsize>(samples.size()));
    if (!out_) {
        fail();
    }
    written_ += samples.size();
}

void Pcm8WaveFile::commit(std::uint64_t kept) {
    if (kept < written_) {
        // Trailing silence already written: cut it off, then go on writing where it began.
        out_.close();
        std::error_code error;
        std::filesystem::resize_file(file_.temporary(), kPcmWaveHeaderBytes + kept, error);
        if (error) {
            throw std::runtime_error("cannot write " + name_ + ": " + error.message());
        }
        out_.open(file_.temporary(), std::ios::binary | std::ios::in | std::ios::out);
        out_.seekp(0, std::ios::end);
        written_ = kept;
    }
    if (written_ % 2 == 1) {
        out_.put('\0');  // the pad byte after an odd-sized chunk
    }
    const auto header = pcm8MonoWaveHeader(static_cast<std::uint32_t>(written_), sampleRate_);
    out_.seekp(0);
    out_.write(reinterpret_cast<const char*>(header.data()), header.size());
    out_.close();
    if (!out_) {
        fail();
    }
    file_.commit();
}

void Pcm8WaveFile::fail() const {
    const int reason = errno;
    throw std::runtime_error("cannot write " + name_ + ": " +
                             (reason != 0 ? std::strerror(reason) : "write failed"));
}

void writePcm8Wave(const std::filesystem::path& target, std::span<const std::uint8_t> samples,
                   std::uint32_t sampleRate) {
    Pcm8WaveFile file(target, sampleRate);
    file.write(samples);
    file.commit(file.written());
}

}  // namespace vornelik
