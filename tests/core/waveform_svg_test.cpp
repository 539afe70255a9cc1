// SPDX-License-Identifier: MIT
// plot's picture: well-formed XML for any sound and name, marks where the offsets are, readable
// for a few bytes and for a hundred thousand.

#include "core/waveform_svg.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "core/utf8.h"
#include "support/test_folder.h"

namespace vornelik {
namespace {

using namespace waveform_layout;
using Bytes = std::vector<std::uint8_t>;

// What makes the text not well-formed XML, or "" when it is: valid UTF-8 without control
// characters, balanced and properly nested tags, quoted attributes, only known entities.
std::string xmlProblem(std::string_view doc) {
    for (std::size_t i = 0; i < doc.size(); ++i) {
        const auto byte = static_cast<unsigned char>(doc[i]);
        if (byte >= 0x80) {
            const std::size_t length = validUtf8Length(doc, i);
            if (length == 0) {
                return "invalid UTF-8 at " + std::to_string(i);
            }
            i += length - 1;
        } else if (byte < 0x20 && byte != '\n' && byte != '\t' && byte != '\r') {
            return "control character at " + std::to_string(i);
        }
    }
    const auto entityAt = [&](std::size_t i) {
        for (const std::string_view entity : {"&amp;", "&lt;", "&gt;", "&quot;", "&apos;"}) {
            if (doc.substr(i, entity.size()) == entity) {
                return true;
            }
        }
        return false;
    };
    const auto isName = [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == ':' || c == '_';
    };
    std::vector<std::string> open;
    bool rootSeen = false;
    std::size_t i = 0;
    while (i < doc.size()) {
        if (doc[i] != '<') {
            if (doc[i] == '&' && !entityAt(i)) {
                return "bare & at " + std::to_string(i);
            }
            if (doc[i] == '>' || (open.empty() && !std::isspace(doc[i]))) {
                return "stray text at " + std::to_string(i);
            }
            ++i;
            continue;
        }
        if (doc.substr(i, 2) == "<?") {
            const std::size_t end = doc.find("?>", i);
            if (end == std::string_view::npos || i != 0) {
                return "bad declaration";
            }
            i = end + 2;
            continue;
        }
        const bool closing = doc.substr(i, 2) == "</";
        std::size_t at = i + (closing ? 2 : 1);
        const std::size_t nameStart = at;
        while (at < doc.size() && isName(doc[at])) {
            ++at;
        }
        const std::string name(doc.substr(nameStart, at - nameStart));
        if (name.empty()) {
            return "tag without a name at " + std::to_string(i);
        }
        if (closing) {
            if (at >= doc.size() || doc[at] != '>' || open.empty() || open.back() != name) {
                return "unbalanced </" + name + "> at " + std::to_string(i);
            }
            open.pop_back();
            i = at + 1;
            continue;
        }
        if (open.empty() && rootSeen) {
            return "second root at " + std::to_string(i);
        }
        while (true) {
            while (at < doc.size() && doc[at] == ' ') {
                ++at;
            }
            if (doc.substr(at, 2) == "/>") {
                rootSeen = true;
                i = at + 2;
                break;
            }
            if (at < doc.size() && doc[at] == '>') {
                open.push_back(name);
                rootSeen = true;
                i = at + 1;
                break;
            }
            const std::size_t attribute = at;
            while (at < doc.size() && isName(doc[at])) {
                ++at;
            }
            if (at == attribute || doc.substr(at, 2) != "=\"") {
                return "bad attribute in <" + name + "> at " + std::to_string(at);
            }
            const std::size_t valueEnd = doc.find('"', at + 2);
            if (valueEnd == std::string_view::npos) {
                return "unterminated attribute";
            }
            for (std::size_t k = at + 2; k < valueEnd; ++k) {
                if (doc[k] == '<' || (doc[k] == '&' && !entityAt(k))) {
                    return "bad character in an attribute at " + std::to_string(k);
                }
            }
            at = valueEnd + 1;
        }
    }
    if (!open.empty() || !rootSeen) {
        return "unclosed <" + (open.empty() ? std::string("?") : open.back()) + ">";
    }
    return "";
}

// libxml2's own verdict, when xmllint is installed.
void checkWithXmllint(const std::string& svg) {
    if (std::system("command -v xmllint >/dev/null 2>&1") != 0) {
        return;
    }
    const TestFolder folder;
    const std::string path = folder.write("wave.svg", svg);
    EXPECT_EQ(std::system(("xmllint --noout '" + path + "'").c_str()), 0);
}

double attributeAfter(const std::string& svg, const std::string& marker) {
    const std::size_t at = svg.find(marker);
    if (at == std::string::npos) {
        ADD_FAILURE() << "missing " << marker;
        return -1;
    }
    return std::stod(svg.substr(at + marker.size()));
}

std::size_t count(const std::string& text, const std::string& what) {
    std::size_t n = 0;
    for (std::size_t at = 0; (at = text.find(what, at)) != std::string::npos; at += what.size()) {
        ++n;
    }
    return n;
}

Bytes tone(std::size_t count, std::uint64_t seed) {
    std::mt19937_64 random(seed);
    Bytes bytes(count);
    for (auto& b : bytes) {
        b = static_cast<std::uint8_t>(random());
    }
    return bytes;
}

struct PictureCase {
    const char* name;
    Bytes file;
    std::uint64_t samplesOffset;
    std::int64_t start;
    std::int64_t end;
    double startX;  // where the marks must stand
    double endX;
};

// The picture of a whole file held in memory, its samples passed as a command passes them.
std::string svgOf(const WaveformPicture& picture, std::span<const std::uint8_t> file) {
    const std::uint64_t offset = std::min<std::uint64_t>(picture.samplesOffset, file.size());
    const std::uint64_t length = std::min(picture.samplesLength, file.size() - offset);
    WaveformOutline outline(file.size());
    outline.startSamples(RiffWave(), offset);
    outline.takeSamples(
        file.subspan(static_cast<std::size_t>(offset), static_cast<std::size_t>(length)));
    return waveformSvg(picture, outline);
}

TEST(WaveformSvg, isWellFormedAndMarksTheOffsets) {
    const PictureCase cases[] = {
        {"1000 bytes", tone(1000, 1), 44, 250, 750, 70 + 225, 70 + 675},
        {"100,000 bytes", tone(100000, 2), 44, 12345, 99990, 70 + 111.105, 70 + 899.91},
        {"a few bytes", tone(5, 3), 0, 1, 4, 70 + 180, 70 + 720},
        {"one byte", tone(1, 4), 0, 0, 1, 70, 970},
        {"empty file", {}, 0, 0, 0, 70, 70},
        {"offsets outside the file", tone(400, 5), 44, -20, 900, 70, 970},
        {"no samples: all header", tone(60, 6), 60, 0, 60, 70, 970},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WaveformPicture picture;
        picture.fileName = "s.wav";
        picture.samplesOffset = c.samplesOffset;
        picture.samplesLength =
            c.file.size() - std::min<std::size_t>(c.samplesOffset, c.file.size());
        picture.start = c.start;
        picture.end = c.end;
        const std::string svg = svgOf(picture, c.file);
        EXPECT_EQ(xmlProblem(svg), "");
        checkWithXmllint(svg);
        EXPECT_NEAR(attributeAfter(svg, "id=\"range-start\" x1=\""), c.startX, 0.01);
        EXPECT_NEAR(attributeAfter(svg, "id=\"range-end\" x1=\""), c.endX, 0.01);
        EXPECT_NE(svg.find("start " + std::to_string(c.start) + "<"), std::string::npos);
        EXPECT_NE(svg.find("end " + std::to_string(c.end) + "<"), std::string::npos);
        // One stroke per pixel column at most, so a long sound stays a small document.
        EXPECT_LE(count(svg, "V"), static_cast<std::size_t>(kPlotWidth));
        EXPECT_LT(svg.size(), 120'000U);
    }
}

TEST(WaveformSvg, escapesTheFileName) {
    const Bytes file = tone(100, 7);
    WaveformPicture picture;
    picture.fileName = "a<b>&\"c'\x01\xff\xc3\xa7.wav";
    picture.samplesLength = file.size();
    const std::string svg = svgOf(picture, file);
    EXPECT_EQ(xmlProblem(svg), "");
    checkWithXmllint(svg);
    EXPECT_NE(svg.find("<title>a&lt;b&gt;&amp;&quot;c&apos;?\xEF\xBF\xBD\xc3\xa7.wav</title>"),
              std::string::npos);
}

TEST(WaveformSvg, shadesTheHeaderAndGreysSilentStretches) {
    // 100 bytes: a 44-byte header, 6 loud bytes, 30 silent ones, 10 loud, a 5-byte silent gap
    // (a crossing, not silence), 5 loud.
    Bytes file(44, 'h');
    const auto append = [&](std::size_t n, std::uint8_t value) {
        file.insert(file.end(), n, value);
    };
    append(6, 200);
    append(30, 129);
    append(10, 40);
    append(5, 128);
    append(5, 220);
    WaveformPicture picture;
    picture.samplesOffset = 44;
    picture.samplesLength = 56;
    const std::string svg = svgOf(picture, file);
    EXPECT_EQ(count(svg, "class=\"silent\""), 1U);
    EXPECT_NE(
        svg.find("<rect x=\"70\" y=\"80\" width=\"396\" height=\"240\" class=\"not-samples\""),
        std::string::npos);  // 44 of 100 bytes of the 900-pixel axis
    EXPECT_NE(svg.find("<rect x=\"520\" y=\"80\" width=\"270\" height=\"240\" class=\"silent\""),
              std::string::npos);           // bytes 50 to 79
    EXPECT_EQ(count(svg, "<circle"), 56U);  // few bytes: each a dot
}

TEST(WaveformSvg, ticksStepByOneTwoOrFiveTimesAPowerOfTen) {
    const struct {
        std::int64_t span;
        std::int64_t step;
    } cases[] = {{0, 1},          {3, 1},    {9, 2},
                 {45, 10},        {100, 20}, {9644, 2000},
                 {100000, 20000}, {399, 50}, {16'777'216, 5'000'000}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.span);
        const std::vector<std::int64_t> ticks = axisTicks(c.span);
        ASSERT_FALSE(ticks.empty());
        EXPECT_EQ(ticks.front(), 0);
        if (ticks.size() > 1) {
            EXPECT_EQ(ticks[1], c.step);
        }
        EXPECT_LE(ticks.back(), c.span);
        EXPECT_GT(ticks.back() + c.step, c.span);
        EXPECT_LE(ticks.size(), 11U);
    }
}

}  // namespace
}  // namespace vornelik
