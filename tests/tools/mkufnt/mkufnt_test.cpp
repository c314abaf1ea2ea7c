// mkufnt and the fonts the build renders with it: the glyph set, one line
// height, a common baseline, marks as wide as their ink, tightly packed
// files, the same bytes on every run, and clear errors.
#include <sys/wait.h>

#include <cstdio>
#include <map>
#include <string>

#include <gtest/gtest.h>

#include "testbox.h"

namespace {

struct Glyph {
    uint32_t width = 0, height = 0;
    std::string coverage;
    uint8_t at(uint32_t x, uint32_t y) const {
        return static_cast<uint8_t>(coverage[size_t{y} * width + x]);
    }
    // First and last rows and columns with ink; -1 without ink.
    int firstInkRow() const {
        for (uint32_t y = 0; y < height; ++y)
            for (uint32_t x = 0; x < width; ++x)
                if (at(x, y)) return static_cast<int>(y);
        return -1;
    }
    int lastInkRow() const {
        for (int y = static_cast<int>(height) - 1; y >= 0; --y)
            for (uint32_t x = 0; x < width; ++x)
                if (at(x, static_cast<uint32_t>(y))) return y;
        return -1;
    }
    bool columnHasInk(uint32_t x) const {
        for (uint32_t y = 0; y < height; ++y)
            if (at(x, y)) return true;
        return false;
    }
};

uint32_t word(const std::string& file, size_t at, int bytes) {
    uint32_t value = 0;
    for (int i = bytes - 1; i >= 0; --i) value = value << 8 | static_cast<uint8_t>(file.at(at + i));
    return value;
}

// Reads a UFNT file and checks its structure: entries sorted by code point,
// bitmaps packed one after another in entry order, nothing after them.
std::map<uint32_t, Glyph> readFont(const std::string& path) {
    std::map<uint32_t, Glyph> glyphs;
    std::string file = testbox::ReadFile(path);
    if (file.size() < 8 || file.substr(0, 4) != "UFNT") {
        ADD_FAILURE() << path << " is no UFNT file";
        return glyphs;
    }
    uint32_t count = word(file, 4, 4);
    size_t expectedOffset = 8 + 12 * size_t{count};
    uint32_t previous = 0;
    for (uint32_t i = 0; i < count; ++i) {
        size_t entry = 8 + 12 * size_t{i};
        uint32_t codePoint = word(file, entry, 4);
        Glyph glyph;
        glyph.width = word(file, entry + 8, 2);
        glyph.height = word(file, entry + 10, 2);
        EXPECT_TRUE(i == 0 || codePoint > previous) << path << ": entries out of order at " << i;
        EXPECT_EQ(word(file, entry + 4, 4), expectedOffset) << path << ": U+" << std::hex << codePoint;
        EXPECT_GT(glyph.width, 0u);
        glyph.coverage = file.substr(expectedOffset, size_t{glyph.width} * glyph.height);
        expectedOffset += glyph.coverage.size();
        previous = codePoint;
        glyphs.emplace(codePoint, glyph);
    }
    EXPECT_EQ(file.size(), expectedOffset) << path << ": bytes after the last bitmap";
    return glyphs;
}

struct Output {
    int exitCode;
    std::string text;
};

Output runMkufnt(const std::string& arguments) {
    std::string command = std::string(STECKWART_MKUFNT) + " " + arguments + " 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    Output output{-1, ""};
    if (!pipe) return output;
    char buffer[4096];
    size_t got;
    while ((got = fread(buffer, 1, sizeof buffer, pipe)) > 0) output.text.append(buffer, got);
    int status = pclose(pipe);
    output.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return output;
}

const char* const kFonts[] = {"Calibri_10", "Calibri_12", "Calibri_16", "Calibri_18",
                              "Firmware_0", "Firmware_1", "Firmware_2"};

TEST(Mkufnt, TheBuiltFontsHoldTheWholeGlyphSetInOneLineHeight) {
    std::vector<uint32_t> wanted;
    for (uint32_t c = 0x20; c <= 0x7E; ++c) wanted.push_back(c);
    for (uint32_t c = 0xA0; c <= 0x17F; ++c) wanted.push_back(c);  // Latin-1, Latin Extended-A
    for (uint32_t c : {0x20AC, 0x0300, 0x0301, 0x0302, 0x0303, 0x0308, 0x030A, 0x030C, 0x0327,
                       0x0384, 0x0385, 0x0386, 0x0388, 0x038C, 0x0390, 0x03AC, 0x03CE})
        wanted.push_back(c);
    for (const char* name : kFonts) {
        auto glyphs = readFont(testbox::FontPath(std::string(name) + ".ufnt"));
        for (uint32_t c : wanted) EXPECT_TRUE(glyphs.count(c)) << name << " lacks U+" << std::hex << c;
        for (const auto& [c, glyph] : glyphs)
            ASSERT_EQ(glyph.height, glyphs.at('A').height) << name << " U+" << std::hex << c;
    }
    // Larger point sizes, taller lines: 10 < 12 < 16 < 18.
    uint32_t previous = 0;
    for (int i = 0; i < 4; ++i) {
        uint32_t height = readFont(testbox::FontPath(std::string(kFonts[i]) + ".ufnt")).at('A').height;
        EXPECT_GT(height, previous) << kFonts[i];
        previous = height;
    }
}

TEST(Mkufnt, GlyphsSitOnACommonBaselineWithAccentsInsideTheLine) {
    auto glyphs = readFont(testbox::FontPath("Calibri_16.ufnt"));
    const Glyph &H = glyphs.at('H'), &x = glyphs.at('x'), &p = glyphs.at('p'),
                &A = glyphs.at(0xC4), &space = glyphs.at(' ');
    int baseline = H.lastInkRow();
    EXPECT_EQ(x.lastInkRow(), baseline);
    EXPECT_EQ(glyphs.at('E').lastInkRow(), baseline);
    EXPECT_GT(p.lastInkRow(), baseline) << "descenders hang below the baseline";
    EXPECT_LT(p.lastInkRow(), static_cast<int>(p.height));
    EXPECT_LT(H.firstInkRow(), x.firstInkRow());
    EXPECT_GE(A.firstInkRow(), 0);
    EXPECT_LT(A.firstInkRow(), H.firstInkRow()) << "the umlaut of Ä lies above the capital, inside";
    EXPECT_EQ(A.lastInkRow(), baseline);
    EXPECT_EQ(space.firstInkRow(), -1);
    EXPECT_GT(space.width, 0u);
    EXPECT_GT(glyphs.at('W').width, glyphs.at('i').width);
}

TEST(Mkufnt, MarksAreExactlyAsWideAsTheirInkAndSitAboveSmallLetters) {
    for (const char* name : {"Calibri_10", "Calibri_18", "Firmware_1"}) {
        auto glyphs = readFont(testbox::FontPath(std::string(name) + ".ufnt"));
        int xTop = glyphs.at('x').firstInkRow();
        for (uint32_t c : {0x0300, 0x0301, 0x0302, 0x0308, 0x030C, 0x00B4, 0x00A8}) {
            const Glyph& mark = glyphs.at(c);
            EXPECT_TRUE(mark.columnHasInk(0)) << name << " U+" << std::hex << c;
            EXPECT_TRUE(mark.columnHasInk(mark.width - 1)) << name << " U+" << std::hex << c;
            EXPECT_LT(mark.lastInkRow(), xTop) << name << " U+" << std::hex << c;
        }
        // The cedilla hangs below the baseline.
        EXPECT_GT(glyphs.at(0x00B8).lastInkRow(), glyphs.at('x').lastInkRow()) << name;
    }
}

TEST(Mkufnt, WritesTheSameBytesOnEveryRun) {
    std::string arguments = std::string("--font ") + STECKWART_CARLITO + " --points 12 --dpi 96";
    ASSERT_EQ(runMkufnt(arguments + " --output /tmp/a.ufnt").exitCode, 0);
    ASSERT_EQ(runMkufnt(arguments + " --output /tmp/b.ufnt").exitCode, 0);
    std::string a = testbox::ReadFile("/tmp/a.ufnt");
    EXPECT_GT(a.size(), 10000u);
    EXPECT_EQ(a, testbox::ReadFile("/tmp/b.ufnt"));
    EXPECT_EQ(a, testbox::ReadFile(testbox::FontPath("Calibri_12.ufnt"))) << "the build's font";
}

TEST(Mkufnt, ExplainsWhatIsWrongAndLeavesNoFileBehind) {
    const std::string font = std::string("--font ") + STECKWART_CARLITO;
    const struct {
        const char* name;
        std::string arguments;
        int exitCode;
        const char* message;
    } cases[] = {
        {"missing font", "--font /no/font.ttf --points 10 --output /tmp/x.ufnt", 1,
         "cannot read the font /no/font.ttf"},
        {"not a font", "--font /etc/hostname --points 10 --output /tmp/x.ufnt", 1,
         "cannot read the font"},
        {"no size", font + " --output /tmp/x.ufnt", 2, "give either --points or --pixels"},
        {"two sizes", font + " --points 10 --pixels 12 --output /tmp/x.ufnt", 2,
         "give either --points or --pixels"},
        {"size zero", font + " --points 0 --output /tmp/x.ufnt", 2, "--points wants a size"},
        {"no output", font + " --points 10", 2, "--output is missing"},
        {"unknown option", font + " --points 10 --bold --output /tmp/x.ufnt", 2,
         "unknown option --bold"},
        {"unwritable output", font + " --points 10 --output /tmp/no/such/x.ufnt", 1,
         "cannot write /tmp/no/such/x.ufnt.tmp"},
    };
    for (const auto& c : cases) {
        Output output = runMkufnt(c.arguments);
        EXPECT_EQ(output.exitCode, c.exitCode) << c.name << ":\n" << output.text;
        EXPECT_NE(output.text.find(c.message), std::string::npos) << c.name << ":\n" << output.text;
        EXPECT_FALSE(testbox::Exists("/tmp/x.ufnt")) << c.name;
    }
    Output help = runMkufnt("--help");
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.text.find("usage: mkufnt --font FILE"), std::string::npos);
}

}  // namespace
