// The committed pictures the screen saver draws, as its texture code and passes take them:
// the two palettised bitmaps, the glyph strip's cells, the failure message's box and the raw
// banner.
#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <string>

#include "unit/resources/resource_file.h"

namespace {

bool IsGrey(const unsigned char* p) { return p[0] == p[1] && p[1] == p[2]; }

TEST(BitmapResources, AreUncompressedEightBitPalettisedWithGreyPalettes) {
    const struct {
        const char* name;
        int width, height;
    } cases[] = {
        {"font.bmp", 512, 16},
        {"SYSFAIL.bmp", 128, 32},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const ResourceFile file = ReadResource(c.name);
        ASSERT_TRUE(file.has(0, 54));
        EXPECT_EQ(file.bytes[0], 'B');
        EXPECT_EQ(file.bytes[1], 'M');
        EXPECT_EQ(file.u32(2), file.bytes.size());
        EXPECT_EQ(file.u32(14), 40u) << "BITMAPINFOHEADER";
        EXPECT_EQ(static_cast<int>(file.u32(18)), c.width);
        EXPECT_EQ(std::abs(static_cast<int>(file.u32(22))), c.height);
        EXPECT_EQ(file.u16(26), 1u) << "planes";
        EXPECT_EQ(file.u16(28), 8u) << "bits per pixel";
        EXPECT_EQ(file.u32(30), 0u) << "BI_RGB, uncompressed";
        const std::uint32_t colours = file.u32(46) == 0 ? 256 : file.u32(46);
        ASSERT_LE(colours, 256u);
        EXPECT_EQ(file.u32(10), 54 + 4 * colours) << "pixels right after the palette";
        for (std::uint32_t i = 0; i < colours; ++i) {
            const std::size_t entry = 54 + 4 * i;
            EXPECT_TRUE(file.u8(entry) == file.u8(entry + 1) && file.u8(entry) == file.u8(entry + 2))
                << "palette entry " << i << " is not grey";
        }
        const std::size_t row_bytes = (static_cast<std::size_t>(c.width) + 3) / 4 * 4;
        EXPECT_EQ(file.bytes.size(), file.u32(10) + row_bytes * c.height);
        const Pixels pixels = Decode(file.bytes.data(), file.bytes.size());
        EXPECT_EQ(pixels.width, c.width);
        EXPECT_EQ(pixels.height, c.height);
    }
}

// The rain samples glyph g from x = 10 g to 10 g + 10 over the strip's whole height.
TEST(GlyphStrip, HoldsFortyOneDistinctWhiteGlyphsAndNothingBeyond) {
    const ResourceFile file = ReadResource("font.bmp");
    const Pixels strip = Decode(file.bytes.data(), file.bytes.size());
    ASSERT_EQ(strip.width, 512);
    ASSERT_EQ(strip.height, 16);
    std::set<std::string> cells;
    for (int glyph = 0; glyph < 41; ++glyph) {
        std::string cell;
        int brightest = 0;
        for (int y = 0; y < 16; ++y) {
            for (int x = glyph * 10; x < glyph * 10 + 10; ++x) {
                EXPECT_TRUE(IsGrey(strip.at(x, y))) << "(" << x << ", " << y << ")";
                cell.push_back(static_cast<char>(strip.at(x, y)[0]));
                brightest = std::max(brightest, static_cast<int>(strip.at(x, y)[0]));
            }
        }
        EXPECT_EQ(brightest, 255) << "glyph " << glyph << " is empty or not white";
        EXPECT_TRUE(cells.insert(cell).second) << "glyph " << glyph << " repeats an earlier one";
    }
    int ink_beyond = 0;
    for (int y = 0; y < 16; ++y)
        for (int x = 410; x < 512; ++x) ink_beyond += strip.at(x, y)[0] != 0;
    EXPECT_EQ(ink_beyond, 0) << "pixels lit right of the 41st glyph";
}

// Linear filtering at a cell's edge also reads the texel beyond it, so a black column on
// each side of every cell keeps a neighbour's ink out of it.
TEST(GlyphStrip, KeepsEveryCellsOuterColumnsBlack) {
    const ResourceFile file = ReadResource("font.bmp");
    const Pixels strip = Decode(file.bytes.data(), file.bytes.size());
    ASSERT_EQ(strip.width, 512);
    for (int glyph = 0; glyph < 41; ++glyph) {
        for (int x : {glyph * 10, glyph * 10 + 9}) {
            for (int y = 0; y < strip.height; ++y)
                EXPECT_EQ(strip.at(x, y)[0], 0) << "glyph " << glyph << " at (" << x << ", " << y << ")";
        }
    }
}

// The monitor shows the 104 x 20 pixels at the top left; the linear filter at the region's
// edges, wrapping around, reads the pixels next to it, so everything else stays black.
TEST(FailureMessage, LiesInsideItsBoxAndEverythingElseIsBlack) {
    const ResourceFile file = ReadResource("SYSFAIL.bmp");
    const Pixels picture = Decode(file.bytes.data(), file.bytes.size());
    ASSERT_EQ(picture.width, 128);
    ASSERT_EQ(picture.height, 32);
    int outside = 0;
    int left = picture.width, right = -1, top = picture.height, bottom = -1;
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            const unsigned char* p = picture.at(x, y);
            EXPECT_TRUE(IsGrey(p)) << "(" << x << ", " << y << ")";
            if (p[0] == 0) continue;
            if (x >= 104 || y >= 20) {
                ++outside;
                continue;
            }
            // What lies off the box's two outermost rows and columns on each side is the text.
            if (x >= 3 && x < 101 && y >= 3 && y < 17) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
    }
    EXPECT_EQ(outside, 0) << "lit pixels outside the box";
    ASSERT_GE(right, left) << "no text in the box";
    EXPECT_GE(right - left + 1, 52) << "the text fills less than half the box's width";
    EXPECT_GE(bottom - top + 1, 7) << "the text is too low to read";
}

TEST(Banner, IsRawRgbWithGreenLettersOnBlackAndBlackEdges) {
    const ResourceFile file = ReadResource("GM.raw");
    ASSERT_EQ(file.bytes.size(), 24576u) << "256 x 32 pixels of R, G, B";
    int ink = 0;
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 256; ++x) {
            const unsigned char* p = &file.bytes[(static_cast<std::size_t>(y) * 256 + x) * 3];
            if (p[0] == 0 && p[1] == 0 && p[2] == 0) continue;
            ++ink;
            EXPECT_TRUE(p[1] > p[0] && p[1] > p[2]) << "(" << x << ", " << y << ") is not green";
            // The banner's texture repeats: its edges meet the opposite ones under the filter.
            EXPECT_TRUE(x > 0 && x < 255 && y > 0 && y < 31) << "(" << x << ", " << y << ") on the edge";
        }
    }
    EXPECT_GT(ink, 1000) << "too few lit pixels for a line of letters";
}

// At 1280 x 1024 the banner is 21 rows tall: the filter samples it every 1.5 rows, and in a
// stroke at least 3 rows thick some sample always reads two rows that are both ink.
TEST(Banner, HorizontalStrokesSurviveTheSqueezeToTwoThirds) {
    const ResourceFile file = ReadResource("GM.raw");
    ASSERT_EQ(file.bytes.size(), 24576u);
    for (int x = 0; x < 256; ++x) {
        int run = 0;
        for (int y = 0; y <= 32; ++y) {
            const bool lit = y < 32 && file.bytes[(static_cast<std::size_t>(y) * 256 + x) * 3 + 1] != 0;
            if (lit) {
                ++run;
                continue;
            }
            EXPECT_TRUE(run == 0 || run >= 3) << "a stroke " << run << " rows thick ends at (" << x << ", " << y << ")";
            run = 0;
        }
    }
}

}  // namespace
