// The decoder's exact rules on crafted files: the sample store, byte stuffing, markers inside
// the entropy-coded data, data that ends early, and component counts other than 3.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "unit/assets/jpeg_test_support.h"

namespace {

// A grey file of one row of flat 8 x 8 blocks; returns the value of each block's pixels.
std::vector<int> grey_blocks(int dc_quant, const Bytes& entropy, int blocks) {
    const Decoded d = decode(crafted_jpeg(8 * blocks, 8, {0x11}, dc_quant, entropy).bytes());
    EXPECT_EQ(d.messages, kM2);
    return flat_block_values(d);
}

// A block with only a DC value V gives 64 samples (V truncated, shifted right by 3) + 128,
// clamped: the store rule at its edges.
TEST(JpegDecode, StoreRuleOnFlatBlocks) {
    const struct {
        int value;
        int sample;
    } kCases[] = {
        {0, 128},    {7, 128},    {8, 129},   {-1, 127},    {-8, 127},   {-9, 126},
        {-1016, 1},  {-1017, 0},  {-2047, 0}, {-1, 127},    {1015, 254}, {1016, 255},
        {2047, 255},
    };
    BitWriter w;
    int predictor = 0;
    std::vector<int> expected;
    for (const auto& c : kCases) {
        put_dc_block(&w, c.value - predictor);
        predictor = c.value;
        expected.push_back(c.sample);
    }
    EXPECT_EQ(grey_blocks(1, w.finish(), static_cast<int>(expected.size())), expected);
}

TEST(JpegDecode, StuffedAndFilledFFBytesAreData) {
    // "00000", then size 11 and value 2047: the second byte is FF.
    BitWriter w;
    put_dc_block(&w, 0);
    put_dc_block(&w, 2047);
    put_dc_block(&w, -2047);
    const Bytes stuffed = w.finish();
    const std::vector<int> expected = {128, 255, 128};
    EXPECT_EQ(grey_blocks(1, stuffed, 3), expected);

    Bytes filled = stuffed;
    const Bytes stuffing = {0xFF, 0x00};
    const auto at = std::search(filled.begin(), filled.end(), stuffing.begin(), stuffing.end());
    ASSERT_NE(at, filled.end());
    filled.insert(at, 0xFF);
    EXPECT_EQ(grey_blocks(1, filled, 3), expected);
}

// Without a restart interval, RSTn sets every DC predictor to 0 when the byte after it is first
// read, which may be in the middle of a block; other markers are passed over. The byte after a
// marker continues the bits.
TEST(JpegDecode, MarkersInsideEntropyData) {
    const struct {
        const char* what;
        Bytes marker;
        std::vector<int> blocks;
    } kCases[] = {
        {"none", {}, {144, 145, 145}},
        {"RST0 between a DC size and its bits", {0xFF, 0xD0}, {144, 129, 129}},
        {"RST7 after fill bytes", {0xFF, 0xFF, 0xFF, 0xD7}, {144, 129, 129}},
        {"an APP0 marker", {0xFF, 0xE0}, {144, 145, 145}},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.what);
        BitWriter w;
        put_dc_block(&w, 64);  // 12 bits; predictor 64, sample 128 with quantiser 2
        w.put(3, 4);           // the next block's DC size, 3: the 16th bit
        w.raw(c.marker);
        w.put(5, 3);  // +5
        w.put(0, 1);  // EOB
        put_dc_block(&w, 0);
        EXPECT_EQ(grey_blocks(2, w.finish(), 3), c.blocks);
    }
}

// Past the end of the data the bits read as 0: the block in which the data runs out is
// completed with them, and every later block is mid-grey.
TEST(JpegDecode, DataEndingEarlyFillsTheRestWithGrey) {
    BitWriter w;
    put_dc_block(&w, 5);  // exactly one byte; the next block reads past the EOI marker
    Bytes entropy = w.finish();
    const std::vector<int> expected = {138, 138, 128, 128};
    EXPECT_EQ(grey_blocks(16, entropy, 4), expected);
}

TEST(JpegDecode, TruncatedPhotographKeepsItsDecodedPart) {
    const Bytes full = fixture("q75_420_64x48.jpg");
    JpegFile parsed;
    ASSERT_TRUE(parse_jpeg(full, &parsed));
    const size_t scan_start = full.size() - parsed.entropy.size();
    const Decoded whole = decode(full);
    ASSERT_NE(whole.pixels, nullptr);
    const size_t bytes = static_cast<size_t>(whole.width) * whole.height * 4;

    // Without its EOI marker nothing changes.
    const Decoded no_eoi = decode(Bytes(full.begin(), full.end() - 2));
    ASSERT_NE(no_eoi.pixels, nullptr);
    EXPECT_EQ(0, std::memcmp(no_eoi.pixels.get(), whole.pixels.get(), bytes));

    for (size_t kept : {size_t{0}, parsed.entropy.size() / 2}) {
        SCOPED_TRACE(kept);
        const Bytes cut(full.begin(), full.begin() + static_cast<long>(scan_start + kept));
        const Decoded d = decode(cut);
        ASSERT_NE(d.pixels, nullptr);
        EXPECT_EQ(d.messages, "");
        const Decoded again = decode(cut);
        EXPECT_EQ(0, std::memcmp(d.pixels.get(), again.pixels.get(), bytes));
        // The last MCU is beyond the data in both cuts; the first is intact in the second.
        for (int y = 32; y < 48; ++y) {
            for (int x = 48; x < 64; ++x) {
                for (int ch = 0; ch < 3; ++ch) ASSERT_EQ(d.at(x, y, ch), 128) << x << "," << y;
                ASSERT_EQ(d.at(x, y, 3), 255);
            }
        }
        for (int y = 0; y < 16 && kept > 0; ++y) {
            EXPECT_EQ(0, std::memcmp(&d.pixels[y * 64 * 4], &whole.pixels[y * 64 * 4], 16 * 4));
        }
    }
}

// Two components: bytes 0 and 1 of each pixel hold them, bytes 2 and 3 are 0, and M2 is
// written; no replication factor of an earlier colour decode leaks into it.
TEST(JpegDecode, TwoComponentsComeBackUnconverted) {
    ASSERT_NE(decode(fixture("q50_420_33x17.jpg")).pixels, nullptr);
    BitWriter w;
    put_dc_block(&w, 5);
    put_dc_block(&w, -5);
    const Decoded d = decode(crafted_jpeg(8, 8, {0x11, 0x11}, 16, w.finish()).bytes());
    ASSERT_NE(d.pixels, nullptr);
    EXPECT_EQ(d.messages, kM2);
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) {
            EXPECT_EQ(d.at(x, y, 0), 138);
            EXPECT_EQ(d.at(x, y, 1), 118);
            EXPECT_EQ(d.at(x, y, 2), 0);
            EXPECT_EQ(d.at(x, y, 3), 0);
        }
    }
}

// Flat YCbCr blocks through the colour tables: R = Y + cr_to_r, G = Y - cbcr_to_g,
// B = Y + cb_to_b, each truncated toward zero, then clamped.
TEST(JpegDecode, ColourConversionOfFlatBlocks) {
    const struct {
        int y, cb, cr;  // DC values, quantiser 8, so the samples are 128 + value
        int r, g, b;
    } kCases[] = {
        {0, 0, 0, 128, 128, 128},
        {0, 0, 10, 142, 121, 128},     // 1.402 x 10 = 14.02; 0.71414 x 10 = 7.14
        {0, -10, 0, 128, 131, 111},    // -3.44 truncates to -3; -17.72 to -17
        {100, 0, 127, 255, 138, 228},  // R clamps at 255
        {-128, 0, -128, 0, 91, 0},     // Y 0: R and B clamp at 0
    };
    for (const auto& c : kCases) {
        BitWriter w;
        for (int b = 0; b < 4; ++b) put_dc_block(&w, b == 0 ? c.y : 0);
        put_dc_block(&w, c.cb);
        put_dc_block(&w, c.cr);
        const Decoded d = decode(crafted_jpeg(16, 16, {0x22, 0x11, 0x11}, 8, w.finish()).bytes());
        ASSERT_NE(d.pixels, nullptr);
        EXPECT_EQ(d.messages, "");
        const int px[3] = {d.at(15, 15, 0), d.at(15, 15, 1), d.at(15, 15, 2)};
        EXPECT_EQ(px[0], c.r) << c.y << " " << c.cb << " " << c.cr;
        EXPECT_EQ(px[1], c.g) << c.y << " " << c.cb << " " << c.cr;
        EXPECT_EQ(px[2], c.b) << c.y << " " << c.cb << " " << c.cr;
    }
}

}  // namespace
