// SPDX-License-Identifier: MIT
#include "cli/sound_conversion_input.h"

#include <fcntl.h>
#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <string_view>
#include <vector>

#include "cli/sound_conversion.h"
#include "core/riff.h"
#include "core/utf8.h"

#include "cli/filled_text.h"
#include "cli/translation.h"  // last: its _ is a macro

namespace vornelik {
namespace {

// The bytes of a file's start looked at to say why libsndfile refused it.
constexpr std::size_t kLookedAt = 64 * 1024;

// Standard error sent nowhere while a decoder runs: libmpg123 prints its own complaints
// ("[src/libmpg123/parse.c:…]") there. Nothing of ours is printed meanwhile.
class DecoderSilenced {
  public:
    DecoderSilenced() {
        std::fflush(stderr);
#ifdef _WIN32
        saved_ = _dup(2);
        const int nowhere = _open("NUL", _O_WRONLY);
        if (saved_ >= 0 && nowhere >= 0) {
            _dup2(nowhere, 2);
        }
        if (nowhere >= 0) {
            _close(nowhere);
        }
#else
        saved_ = fcntl(2, F_DUPFD_CLOEXEC, 0);
        const int nowhere = open("/dev/null", O_WRONLY | O_CLOEXEC);
        if (saved_ >= 0 && nowhere >= 0) {
            dup2(nowhere, 2);
        }
        if (nowhere >= 0) {
            close(nowhere);
        }
#endif
    }
    ~DecoderSilenced() {
        std::fflush(stderr);
        if (saved_ >= 0) {
#ifdef _WIN32
            _dup2(saved_, 2);
            _close(saved_);
#else
            dup2(saved_, 2);
            close(saved_);
#endif
        }
    }
    DecoderSilenced(const DecoderSilenced&) = delete;
    DecoderSilenced& operator=(const DecoderSilenced&) = delete;

  private:
    int saved_ = -1;
};

// Up to `room` bytes from `position`, fewer only at the file's end: readAt may give less.
std::size_t readUpTo(RandomAccessInput& file, std::int64_t position, std::uint8_t* into,
                     std::size_t room) {
    std::size_t done = 0;
    while (done < room) {
        const std::size_t got =
            file.readAt(position + static_cast<std::int64_t>(done), into + done, room - done);
        if (got == 0) {
            break;
        }
        done += got;
    }
    return done;
}

std::string rateReason(std::int64_t rate) {
    return filled(_("a sample rate of {1} Hz, where convert takes {2} to {3} Hz"),
                  {std::to_string(rate), std::to_string(kLowestSourceRate),
                   std::to_string(kHighestSourceRate)});
}

// What a WAV header shows of why libsndfile refused the file, or "".
std::string waveReason(RandomAccessInput& file) {
    std::vector<std::uint8_t> start(
        static_cast<std::size_t>(std::min<std::int64_t>(file.size(), kLookedAt)));
    start.resize(readUpTo(file, 0, start.data(), start.size()));
    const RiffWave wave = readRiffWave(start);
    if (!wave.isRiffWave) {
        return "";
    }
    if (!wave.format) {
        return _("the file ends inside its header, or the header is damaged");
    }
    const WaveFormat& format = *wave.format;
    if (format.sampleRate < kLowestSourceRate || format.sampleRate > kHighestSourceRate) {
        return rateReason(format.sampleRate);
    }
    if (format.channels == 0) {
        return _("its header gives no channels");
    }
    if (format.encoding() == wave_tag::ieeeFloat && format.bitsPerSample != 32 &&
        format.bitsPerSample != 64) {
        return filled(
            _("{1}-bit floating-point samples, which libsndfile does not decode (it takes "
              "32 and 64 bits)"),
            {std::to_string(format.bitsPerSample)});
    }
    return "";
}

std::string openReason(RandomAccessInput& file, int error) {
    if (file.size() == 0) {
        return _("it is empty");
    }
    if (std::string wave = waveReason(file); !wave.empty()) {
        return wave;
    }
    switch (error) {
        case SF_ERR_UNRECOGNISED_FORMAT:
            return _("it is not a sound file libsndfile reads");
        case SF_ERR_MALFORMED_FILE:
            return _("its header is damaged, or the file ends inside it");
        case SF_ERR_UNSUPPORTED_ENCODING:
            return _("its samples are in an encoding libsndfile does not decode");
        default:
            return _("libsndfile cannot decode it: it may be damaged or cut short");
    }
}

}  // namespace

// libsndfile's virtual file over the platform's file. A failure of the file cannot pass through
// libsndfile's C code: it is kept, the read ends there, and it is thrown once libsndfile returns.
struct SoundFileInput::Access {
    explicit Access(RandomAccessInput& input) : file(input) {}

    RandomAccessInput& file;
    sf_count_t position = 0;
    std::string failure;

    static Access& of(void* user) { return *static_cast<Access*>(user); }

    static sf_count_t length(void* user) { return of(user).file.size(); }
    static sf_count_t seek(sf_count_t offset, int whence, void* user) {
        Access& access = of(user);
        const sf_count_t from = whence == SEEK_CUR   ? access.position
                                : whence == SEEK_END ? access.file.size()
                                                     : 0;
        if (offset < -from) {
            return -1;
        }
        access.position = from + offset;
        return access.position;
    }
    static sf_count_t read(void* into, sf_count_t count, void* user) {
        Access& access = of(user);
        auto* bytes = static_cast<std::uint8_t*>(into);
        sf_count_t done = 0;
        try {
            done = static_cast<sf_count_t>(
                readUpTo(access.file, access.position, bytes, static_cast<std::size_t>(count)));
            access.position += done;
        } catch (const std::exception& failure) {
            access.failure = failure.what();
        }
        return done;
    }
    static sf_count_t tell(void* user) { return of(user).position; }
};

SoundFileInput::SoundFileInput(RandomAccessInput& file, const std::string& name)
    : name_(readableName(name)), access_(std::make_unique<Access>(file)) {
    SF_VIRTUAL_IO io{};
    io.get_filelen = &Access::length;
    io.seek = &Access::seek;
    io.read = &Access::read;
    io.tell = &Access::tell;
    {
        const DecoderSilenced silenced;
        file_ = sf_open_virtual(&io, SFM_READ, &info_, access_.get());
    }
    if (!access_->failure.empty()) {
        if (file_ != nullptr) {
            sf_close(file_);
        }
        throw ConversionError(access_->failure);
    }
    if (file_ == nullptr) {
        const int error = sf_error(nullptr);
        const std::string detail = sf_strerror(nullptr);
        throw ConversionError(filled(_("cannot read {1}: {2} (libsndfile: {3})"),
                                     {name_, openReason(file, error), detail}));
    }
    std::string refused;
    if (info_.samplerate < kLowestSourceRate || info_.samplerate > kHighestSourceRate) {
        refused = rateReason(info_.samplerate);
    } else if (info_.channels <= 0) {
        refused = _("it has no channels");
    }
    if (!refused.empty()) {
        sf_close(file_);
        throw ConversionError(filled(_("cannot read {1}: {2}"), {name_, refused}));
    }
}

SoundFileInput::~SoundFileInput() {
    sf_close(file_);
}

std::int64_t SoundFileInput::announcedFrames() const {
    return info_.frames > 0 && info_.frames < SF_COUNT_MAX ? info_.frames : 0;
}

std::string SoundFileInput::formatName() const {
    const auto name = [&](int value) -> std::string {
        SF_FORMAT_INFO format{};
        format.format = value;
        return sf_command(file_, SFC_GET_FORMAT_INFO, &format, sizeof format) == 0 && format.name
                   ? format.name
                   : "?";
    };
    return name(info_.format & SF_FORMAT_TYPEMASK) + " / " + name(info_.format & SF_FORMAT_SUBMASK);
}

std::size_t SoundFileInput::readFrames(double* into, std::size_t frames) {
    sf_count_t read = 0;
    {
        const DecoderSilenced silenced;
        read = sf_readf_double(file_, into, static_cast<sf_count_t>(frames));
    }
    if (!access_->failure.empty()) {
        throw ConversionError(access_->failure);
    }
    if (read <= 0) {
        if (sf_error(file_) != SF_ERR_NO_ERROR) {
            throw ConversionError(filled(_("cannot read {1}: libsndfile stopped decoding it, "
                                           "which may be damaged (libsndfile: {2})"),
                                         {name_, sf_strerror(file_)}));
        }
        return 0;
    }
    return static_cast<std::size_t>(read);
}

// libsndfile says so only in its log: "data : 529200 (should be 299956)", the chunk's declared
// size and the bytes present.
std::int64_t SoundFileInput::loggedShortfall(std::int64_t presentFrames) const {
    std::vector<char> log(16384);
    sf_command(file_, SFC_GET_LOG_INFO, log.data(), static_cast<int>(log.size()));
    const std::string_view text(log.data());
    for (const std::string_view chunk : {"data : ", "SSND : "}) {
        const std::size_t at = text.find(chunk);
        if (at == std::string_view::npos) {
            continue;
        }
        long long declared = 0;
        long long present = 0;
        const char* p = text.data() + at + chunk.size();
        const char* end = text.data() + text.size();
        auto read = std::from_chars(p, end, declared);
        constexpr std::string_view kShould = " (should be ";
        if (read.ec != std::errc() ||
            std::string_view(read.ptr, end).substr(0, kShould.size()) != kShould) {
            continue;
        }
        read = std::from_chars(read.ptr + kShould.size(), end, present);
        if (read.ec == std::errc() && present > 0 && declared > present) {
            return static_cast<std::int64_t>(static_cast<double>(declared - present) /
                                             static_cast<double>(present) *
                                             static_cast<double>(presentFrames));
        }
    }
    return 0;
}

}  // namespace vornelik
