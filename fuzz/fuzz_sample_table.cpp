// SPDX-License-Identifier: MIT
// The sample table writer over any sound and any offset texts. The input is a quality byte
// ('1' or any odd byte is poor), the start text, "|", the end text, "|", and the sound's bytes.
// The sound lies in a buffer of exactly its size (with the extra 0 element), so AddressSanitizer
// catches any read outside it. What is written must be whole lines holding the sound's bytes at
// the positions the offsets give, as many as fit, and a failure only where the next line would
// leave the sound.

#include <cstddef>
#include <cstdint>
#include <limits>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "core/failure.h"
#include "core/numeric_text.h"
#include "core/sample_table.h"
#include "core/text_sink.h"
#include "fuzz/fuzz_check.h"

namespace {

using vornelik::fuzz::require;

class StringSink : public vornelik::TextSink {
  public:
    void write(std::string_view text) override { text_ += text; }
    const std::string& text() const { return text_; }

  private:
    std::string text_;
};

std::string_view takeField(std::string_view& rest) {
    const std::size_t bar = rest.find('|');
    const std::string_view field = rest.substr(0, bar);
    rest.remove_prefix(bar == std::string_view::npos ? rest.size() : bar + 1);
    return field;
}

// The offsets as the writer reads them: the end less one line's span, and the start, each
// rounded; nullopt where reading them fails.
std::optional<std::int64_t> roundedOffset(std::string_view text, double less) {
    try {
        return vornelik::realToInteger(vornelik::Val(text) - less);
    } catch (const vornelik::Failure&) {
        return std::nullopt;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const bool poor = (data[0] & 1) != 0;
    std::string_view rest(reinterpret_cast<const char*>(data) + 1, size - 1);
    const std::string_view startText = takeField(rest);
    const std::string_view endText = takeField(rest);

    const std::size_t sampleCount = rest.size() + 1;
    const auto sound = std::make_unique<std::uint8_t[]>(sampleCount);
    for (std::size_t k = 0; k < rest.size(); ++k) {
        sound[k] = static_cast<std::uint8_t>(rest[k]);
    }
    sound[rest.size()] = 0;

    const vornelik::TableSource source{std::span(sound.get(), sampleCount),
                                       poor ? vornelik::Quality::poor : vornelik::Quality::good,
                                       startText, endText};
    StringSink out;
    std::int32_t tableIndex = 0;
    bool failed = false;
    try {
        vornelik::writeSampleTable(out, source, tableIndex);
    } catch (const vornelik::Failure&) {
        failed = true;
    }

    const std::int64_t step = poor ? 2 : 1;
    const std::int64_t lineSpan = 10 * step;
    const auto limit = roundedOffset(endText, static_cast<double>(lineSpan));
    const auto start = roundedOffset(startText, 0);
    if (!limit || !start) {
        require(failed && out.text().empty(), "unreadable offsets fail before any line");
        return 0;
    }

    // Each line, rebuilt from the positions it must hold.
    std::string_view written = out.text();
    std::int64_t lines = 0;
    while (!written.empty()) {
        const std::int64_t lineStart = *start + lines * lineSpan;
        std::string expected = "CDATA  ";
        for (std::int64_t k = 1; k <= 10; ++k) {
            const std::int64_t position = lineStart + k * step;
            require(position >= 0 && position < static_cast<std::int64_t>(sampleCount),
                    "a written value lies inside the sound");
            expected += vornelik::byteToText(sound[static_cast<std::size_t>(position)]);
            expected += k < 10 ? "," : "\r\n";
        }
        require(written.substr(0, expected.size()) == expected, "a whole line of the right values",
                written.substr(0, expected.size()));
        written.remove_prefix(expected.size());
        ++lines;
    }

    const std::int64_t fitting = *limit >= *start ? (*limit - *start) / lineSpan + 1 : 0;
    const std::int64_t nextStart = *start + lines * lineSpan;
    if (failed) {
        const bool nextLineOutside =
            nextStart + step < 0 || nextStart + lineSpan >= static_cast<std::int64_t>(sampleCount);
        require((lines < fitting && nextLineOutside) ||
                    nextStart > std::numeric_limits<std::int32_t>::max(),
                "a failure only where the next line leaves the sound");
    } else {
        require(lines == fitting, "every line that fits is written");
        require(tableIndex == nextStart, "the loop position stops after the last line");
    }
    return 0;
}
