// SPDX-License-Identifier: MIT
#include "core/waveform_svg.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "core/numeric_text.h"
#include "core/sound_survey.h"
#include "core/utf8.h"

namespace vornelik {
namespace {

using namespace waveform_layout;

constexpr int kPlotBottom = kPlotTop + kPlotHeight;
constexpr int kPlotRight = kPlotLeft + kPlotWidth;

// Coordinates with at most two decimals, never in the C library's locale.
std::string num(double value) {
    std::string out = fixedText(std::round(value * 100) / 100, 2);
    while (out.ends_with('0')) {
        out.pop_back();
    }
    if (out.ends_with('.')) {
        out.pop_back();
    }
    return out == "-0" ? "0" : out;
}

double yOf(double value) {
    return kPlotTop + (255.0 - value) * kPlotHeight / 255.0;
}

std::string rect(double x1, double x2, double y1, double y2, std::string_view style) {
    return "<rect x=\"" + num(x1) + "\" y=\"" + num(y1) + "\" width=\"" + num(x2 - x1) +
           "\" height=\"" + num(y2 - y1) + "\" " + std::string(style) + "/>\n";
}

std::string text(double x, double y, std::string_view anchor, std::string_view content,
                 std::string_view extra = "") {
    return "<text x=\"" + num(x) + "\" y=\"" + num(y) + "\" text-anchor=\"" + std::string(anchor) +
           "\"" + std::string(extra) + ">" + xmlText(content) + "</text>\n";
}

// The samples as one path: a point per byte when every byte has room of its own, else the
// lowest and highest byte of each one-pixel column joined by a vertical stroke, so that a long
// sound keeps its outline and the document stays a few hundred kilobytes at most.
std::string wavePath(const WaveformOutline& o) {
    const std::uint64_t size = o.fileSize();
    std::string path;
    if (size <= static_cast<std::uint64_t>(kPlotWidth)) {
        for (std::size_t k = 0; k < o.samples().size(); ++k) {
            path += k == 0 ? 'M' : 'L';
            path += num(waveformX(size, static_cast<double>(o.samplesStart() + k)));
            path += ' ';
            path += num(yOf(o.samples()[k]));
        }
        return path;
    }
    for (std::size_t column = 0; column < o.columns().size(); ++column) {
        const WaveformOutline::Column& c = o.columns()[column];
        if (!c.drawn) {
            continue;
        }
        path += 'M';
        path += num(kPlotLeft + static_cast<double>(column) + 0.5);
        path += ' ';
        path += num(yOf(c.high));
        path += 'V';
        path += num(yOf(c.low));
    }
    return path;
}

// With few bytes each one is a dot too, so that a single sample or a flat stretch shows.
std::string sampleDots(const WaveformOutline& o) {
    constexpr std::uint64_t kDottedBytes = 100;
    const std::uint64_t size = o.fileSize();
    if (size > kDottedBytes) {
        return {};
    }
    std::string out = "<g class=\"samples\" fill=\"#222\">\n";
    for (std::size_t k = 0; k < o.samples().size(); ++k) {
        out += "<circle cx=\"" + num(waveformX(size, static_cast<double>(o.samplesStart() + k))) +
               "\" cy=\"" + num(yOf(o.samples()[k])) + "\" r=\"2\"/>\n";
    }
    return out + "</g>\n";
}

// Grey stretches where the samples stay within the silence threshold for at least a table line.
std::string silentStretches(const WaveformOutline& o) {
    std::string out;
    for (const auto& [from, to] : o.silentStretches()) {
        out += rect(waveformX(o.fileSize(), static_cast<double>(from)),
                    waveformX(o.fileSize(), static_cast<double>(to)), kPlotTop, kPlotBottom,
                    "class=\"silent\" fill=\"#e4e4e4\"");
    }
    return out;
}

std::string axis(std::uint64_t size) {
    std::string out = "<g class=\"axis\" font-size=\"12\">\n";
    out += "<line x1=\"" + num(kPlotLeft) + "\" y1=\"" + num(kPlotBottom) + "\" x2=\"" +
           num(kPlotRight) + "\" y2=\"" + num(kPlotBottom) + "\" stroke=\"#000\"/>\n";
    for (const std::int64_t tick : axisTicks(static_cast<std::int64_t>(size))) {
        const std::string x = num(waveformX(size, static_cast<double>(tick)));
        out += "<line x1=\"" + x + "\" y1=\"" + num(kPlotBottom) + "\" x2=\"" + x + "\" y2=\"" +
               num(kPlotBottom + 6) + "\" stroke=\"#000\"/>\n";
        out += text(waveformX(size, static_cast<double>(tick)), kPlotBottom + 20, "middle",
                    std::to_string(tick));
    }
    out += text(kPlotLeft + kPlotWidth / 2.0, kPlotBottom + 40, "middle", "byte offset");
    for (const int value : {0, 128, 255}) {
        out += text(kPlotLeft - 8, yOf(value) + 4, "end", std::to_string(value));
    }
    out += text(18, kPlotTop + kPlotHeight / 2.0, "middle", "byte value",
                " transform=\"rotate(-90 18 " + num(kPlotTop + kPlotHeight / 2.0) + ")\"");
    return out + "</g>\n";
}

std::string rangeMarks(const WaveformPicture& p, std::uint64_t size) {
    const double x1 = waveformX(size, static_cast<double>(p.start));
    const double x2 = waveformX(size, static_cast<double>(p.end));
    std::string out = "<g class=\"range\" font-size=\"12\" fill=\"#1f4fbf\">\n";
    // The start's label on an upper row, the end's on a lower one, so that they never overlap;
    // each beside its line, on whichever side keeps it within the picture.
    const auto mark = [&](std::string_view id, std::string_view name, double x, std::int64_t offset,
                          double row, bool leftFirst) {
        out += "<line id=\"" + std::string(id) + "\" x1=\"" + num(x) + "\" y1=\"" +
               num(kPlotTop - 32) + "\" x2=\"" + num(x) + "\" y2=\"" + num(kPlotBottom) +
               "\" stroke=\"#1f4fbf\" stroke-width=\"1.5\"/>\n";
        const std::string label = std::string(name) + " " + std::to_string(offset);
        const double width = 7.0 * static_cast<double>(label.size());  // at 12 px, about
        const bool left = leftFirst ? x - 4 - width >= 0 : x + 4 + width > kWidth;
        out += text(left ? x - 4 : x + 4, row, left ? "end" : "start", label);
    };
    mark("range-start", "start", x1, p.start, kPlotTop - 20, true);
    mark("range-end", "end", x2, p.end, kPlotTop - 6, false);
    return out + "</g>\n";
}

std::string legend(const WaveformPicture& p, std::uint64_t size) {
    const std::uint64_t after = p.samplesOffset + p.samplesLength;
    std::string samples = "Samples: " + std::to_string(p.samplesLength) + " bytes from offset " +
                          std::to_string(p.samplesOffset);
    if (p.samplesOffset > 0) {
        samples += "; header (shaded): bytes 0 to " + std::to_string(p.samplesOffset - 1);
    }
    if (after < size) {
        samples += "; after the samples (shaded): bytes " + std::to_string(after) + " to " +
                   std::to_string(size - 1);
    }
    const std::string range = std::string(p.suggested ? "Suggested" : "Chosen") +
                              " range (blue): start " + std::to_string(p.start) + ", end " +
                              std::to_string(p.end) +
                              "; the table begins one byte after the start (two in poor quality).";
    const std::string silence = "Silence (green band, grey stretches of " +
                                std::to_string(kShownSilentRun) + " bytes or more): within " +
                                std::to_string(kSilenceThreshold) + " of 128.";
    std::string out = "<g class=\"legend\" font-size=\"12\">\n";
    out += text(kPlotLeft, kPlotBottom + 62, "start", samples);
    out += text(kPlotLeft, kPlotBottom + 78, "start", range);
    out += text(kPlotLeft, kPlotBottom + 94, "start", silence);
    return out + "</g>\n";
}

}  // namespace

WaveformOutline::WaveformOutline(std::uint64_t fileSize) : size_(fileSize) {
    if (size_ > static_cast<std::uint64_t>(kPlotWidth)) {
        columns_.resize(kPlotWidth);
    }
}

void WaveformOutline::startSamples(const RiffWave&, std::uint64_t offset) {
    start_ = offset;
    next_ = offset;
    if (columns_.empty() || offset >= size_) {
        return;
    }
    // The column whose bytes, from column * size / kPlotWidth on, hold the offset.
    column_ = static_cast<std::size_t>(offset * kPlotWidth / size_);
    while ((column_ + 1) * size_ / kPlotWidth <= offset) {
        ++column_;
    }
    columnEnd_ = (column_ + 1) * size_ / kPlotWidth;
}

void WaveformOutline::takeSamples(std::span<const std::uint8_t> bytes) {
    // Bytes past the size known at the start have no place in the picture.
    bytes = bytes.first(static_cast<std::size_t>(
        std::min<std::uint64_t>(bytes.size(), size_ > next_ ? size_ - next_ : 0)));
    for (std::size_t k = 0; k < bytes.size(); ++k) {
        if (!isSilentByte(bytes[k])) {
            if (runStart_) {
                if (shown(*runStart_, next_ + k)) {
                    silentRuns_.emplace_back(*runStart_, next_ + k);
                }
                runStart_.reset();
            }
        } else if (!runStart_) {
            runStart_ = next_ + k;
        }
    }
    if (columns_.empty()) {
        bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
        next_ += bytes.size();
        return;
    }
    while (!bytes.empty()) {
        while (next_ >= columnEnd_) {
            ++column_;
            columnEnd_ = (column_ + 1) * size_ / kPlotWidth;
        }
        const auto count =
            static_cast<std::size_t>(std::min<std::uint64_t>(bytes.size(), columnEnd_ - next_));
        const auto [low, high] = std::minmax_element(bytes.begin(), bytes.begin() + count);
        Column& column = columns_[column_];
        column.low = std::min(column.low, *low);
        column.high = std::max(column.high, *high);
        column.drawn = true;
        next_ += count;
        bytes = bytes.subspan(count);
    }
}

bool WaveformOutline::shown(std::uint64_t from, std::uint64_t to) const {
    const double x1 = waveformX(size_, static_cast<double>(from));
    const double x2 = waveformX(size_, static_cast<double>(to));
    return static_cast<std::int64_t>(to - from) >= kShownSilentRun && x2 - x1 >= 1;
}

std::vector<std::pair<std::uint64_t, std::uint64_t>> WaveformOutline::silentStretches() const {
    auto runs = silentRuns_;
    if (runStart_ && shown(*runStart_, next_)) {
        runs.emplace_back(*runStart_, next_);
    }
    return runs;
}

double waveformX(std::uint64_t fileSize, double offset) {
    const double size = static_cast<double>(std::max<std::uint64_t>(fileSize, 1));
    return kPlotLeft + std::clamp(offset, 0.0, size) * kPlotWidth / size;
}

std::vector<std::int64_t> axisTicks(std::int64_t span) {
    constexpr double kTicksWanted = 8;
    const double raw = std::max(1.0, static_cast<double>(span) / kTicksWanted);
    std::int64_t power = 1;
    while (power <= static_cast<std::int64_t>(raw) / 10) {
        power *= 10;
    }
    std::int64_t step = power;
    for (const std::int64_t factor : {1, 2, 5, 10}) {
        step = factor * power;
        if (static_cast<double>(step) >= raw) {
            break;
        }
    }
    std::vector<std::int64_t> ticks;
    for (std::int64_t tick = 0; tick <= std::max<std::int64_t>(span, 0); tick += step) {
        ticks.push_back(tick);
    }
    return ticks;
}

std::string waveformSvg(const WaveformPicture& picture, const WaveformOutline& outline) {
    WaveformPicture p = picture;
    const std::uint64_t size = outline.fileSize();
    p.samplesOffset = std::min(p.samplesOffset, size);
    p.samplesLength = std::min(p.samplesLength, size - p.samplesOffset);

    std::string svg =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" +
        num(kWidth) + "\" height=\"" + num(kHeight) + "\" viewBox=\"0 0 " + num(kWidth) + " " +
        num(kHeight) + "\" font-family=\"sans-serif\">\n";
    svg += "<title>" + xmlText(p.fileName) + "</title>\n";
    svg += rect(0, kWidth, 0, kHeight, "fill=\"#fff\"");
    svg += text(kPlotLeft, 22, "start", p.fileName, " font-size=\"16\" font-weight=\"bold\"");
    svg += text(kPlotLeft, 40, "start", std::to_string(size) + " bytes", " font-size=\"12\"");

    // Solid fills in layers, from the range up to the wave, so that no viewer needs transparency.
    const double rangeLeft = waveformX(size, static_cast<double>(p.start));
    const double rangeRight = waveformX(size, static_cast<double>(p.end));
    if (rangeRight > rangeLeft) {
        svg += rect(rangeLeft, rangeRight, kPlotTop, kPlotBottom,
                    "class=\"range-fill\" fill=\"#dbe5fa\"");
    }
    const double samplesLeft = waveformX(size, static_cast<double>(p.samplesOffset));
    const double samplesRight =
        waveformX(size, static_cast<double>(p.samplesOffset + p.samplesLength));
    const std::string_view shaded = "class=\"not-samples\" fill=\"#f3d9d9\"";
    if (samplesLeft > kPlotLeft) {
        svg += rect(kPlotLeft, samplesLeft, kPlotTop, kPlotBottom, shaded);
    }
    if (samplesRight < kPlotRight) {
        svg += rect(samplesRight, kPlotRight, kPlotTop, kPlotBottom, shaded);
    }
    svg += silentStretches(outline);
    if (samplesRight > samplesLeft) {
        svg += rect(samplesLeft, samplesRight, yOf(128 + kSilenceThreshold),
                    yOf(128 - kSilenceThreshold), "class=\"silence-band\" fill=\"#b4e0b4\"");
    }
    svg += "<line x1=\"" + num(kPlotLeft) + "\" y1=\"" + num(yOf(128)) + "\" x2=\"" +
           num(kPlotRight) + "\" y2=\"" + num(yOf(128)) +
           "\" stroke=\"#999\" stroke-dasharray=\"4 3\"/>\n";
    svg += rangeMarks(p, size);
    const std::string path = wavePath(outline);
    if (!path.empty()) {
        svg += "<path class=\"wave\" d=\"" + path +
               "\" fill=\"none\" stroke=\"#222\" stroke-width=\"1\" "
               "stroke-linecap=\"square\" stroke-linejoin=\"round\"/>\n";
    }
    svg += sampleDots(outline);
    svg += axis(size);
    svg += legend(p, size);
    return svg + "</svg>\n";
}

std::string xmlText(std::string_view text) {
    return keepingUtf8(text, [](std::string& out, unsigned char byte) {
        switch (byte) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            case '\'':
                out += "&apos;";
                break;
            default:
                if (byte >= 0x80) {
                    out += "\xEF\xBF\xBD";  // U+FFFD
                } else {
                    out += byte < 0x20 || byte == 0x7F ? '?' : static_cast<char>(byte);
                }
        }
    });
}

}  // namespace vornelik
