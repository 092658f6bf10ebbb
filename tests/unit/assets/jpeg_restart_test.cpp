// Restart intervals: every interval starts byte-aligned after its RSTn marker with the DC
// predictors at 0; a missing, repeated, out-of-order or foreign marker costs at most the
// intervals it touches, and the decoder finds its way back to the markers after it.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "unit/assets/jpeg_test_support.h"

namespace {

constexpr int kGrey = 128;

// The DC values written for each interval of three blocks (quantiser 8: a block's samples
// are 128 + its value).
const std::vector<std::vector<int>> kIntervals = {
    {20, 25, 30}, {-40, -35, -30}, {60, 65, 70}, {-80, -75, -70}};

// The samples of an intact decode of kIntervals.
std::vector<int> intact_samples() {
    std::vector<int> samples;
    for (const std::vector<int>& interval : kIntervals) {
        for (int value : interval) samples.push_back(128 + value);
    }
    return samples;
}

// A grey file of one row of blocks with a restart interval of `interval` blocks: each entry of
// `written` is the DC values of an interval's blocks (the predictor starting from 0), padded
// to a byte and followed by between[i] (in an intact file the marker RSTi).
Bytes restart_file(int interval, const std::vector<std::vector<int>>& written,
                   const std::vector<Bytes>& between, int blocks) {
    BitWriter w;
    for (size_t i = 0; i < written.size(); ++i) {
        int predictor = 0;
        for (int value : written[i]) {
            put_dc_block(&w, value - predictor);
            predictor = value;
        }
        w.align();
        if (i < between.size()) w.raw(between[i]);
    }
    JpegFile file = crafted_jpeg(8 * blocks, 8, {0x11}, 8, w.finish());
    add_restart_interval(&file, interval);
    return file.bytes();
}

std::vector<int> decoded_blocks(const Bytes& bytes) {
    const Decoded d = decode(bytes);
    EXPECT_EQ(d.messages, kM2);
    return flat_block_values(d);
}

TEST(JpegRestart, MarkersBetweenIntervals) {
    const std::vector<int> all = intact_samples();
    const std::vector<int> g = {kGrey, kGrey, kGrey};
    auto join = [](std::vector<std::vector<int>> parts) {
        std::vector<int> out;
        for (const auto& p : parts) out.insert(out.end(), p.begin(), p.end());
        return out;
    };
    const std::vector<int> i0 = {148, 153, 158}, i1 = {88, 93, 98}, i2 = {188, 193, 198},
                           i3 = {48, 53, 58};
    const struct {
        const char* what;
        std::vector<Bytes> between;
        std::vector<int> samples;
    } kCases[] = {
        {"RST0, RST1, RST2", {{0xFF, 0xD0}, {0xFF, 0xD1}, {0xFF, 0xD2}}, all},
        {"fill bytes before each marker",
         {{0xFF, 0xFF, 0xD0}, {0xFF, 0xFF, 0xFF, 0xD1}, {0xFF, 0xFF, 0xD2}}, all},
        {"damaged bytes before a marker",
         {{0xFF, 0xD0}, {0x12, 0xFF, 0x00, 0x34, 0xFF, 0x05, 0xFF, 0xD1}, {0xFF, 0xD2}}, all},
        {"RST1 missing: the interval after it is lost",
         {{0xFF, 0xD0}, {}, {0xFF, 0xD2}}, join({i0, i1, g, i3})},
        {"RST0 and RST1 missing", {{}, {}, {0xFF, 0xD2}}, join({i0, g, g, i3})},
        {"an old marker again before the one due",
         {{0xFF, 0xD0}, {0xFF, 0xD0, 0xFF, 0xD1}, {0xFF, 0xD2}}, all},
        {"RST5 where RST1 is due", {{0xFF, 0xD0}, {0xFF, 0xD5}, {0xFF, 0xD2}}, all},
        {"EOI where RST1 is due: the rest is grey",
         {{0xFF, 0xD0}, {0xFF, 0xD9}, {0xFF, 0xD2}}, join({i0, i1, g, g})},
        {"APP0 where RST1 is due", {{0xFF, 0xD0}, {0xFF, 0xE0}, {0xFF, 0xD2}},
         join({i0, i1, g, g})},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(decoded_blocks(restart_file(3, kIntervals, c.between, 12)), c.samples);
    }
}

// An interval whose data stops early: the block that meets the marker (or the end of the
// data) is completed with zero bits, the rest of the interval is grey, and decoding goes on
// after the marker. The one block of -5 fills exactly one byte, so no padding is read.
TEST(JpegRestart, IntervalDataEndingEarly) {
    const std::vector<std::vector<int>> short_second = {
        {20, 25, 30}, {-5}, {60, 65, 70}, {-80, -75, -70}};
    const std::vector<Bytes> markers = {{0xFF, 0xD0}, {0xFF, 0xD1}, {0xFF, 0xD2}};
    EXPECT_EQ(decoded_blocks(restart_file(3, short_second, markers, 12)),
              (std::vector<int>{148, 153, 158, 123, 123, kGrey, 188, 193, 198, 48, 53, 58}));

    // The data ends inside the second interval: everything after it is grey.
    Bytes cut = restart_file(3, {{20, 25, 30}, {-5}}, {{0xFF, 0xD0}}, 12);
    cut.resize(cut.size() - 2);  // no EOI either
    std::vector<int> expected = {148, 153, 158, 123, 123};
    expected.resize(12, kGrey);
    EXPECT_EQ(decoded_blocks(cut), expected);
}

// Intervals of one block: the markers due run RST0 to RST7 and start again at RST0.
TEST(JpegRestart, MarkerNumbersWrapAfterSeven) {
    std::vector<std::vector<int>> written;
    std::vector<Bytes> markers;
    std::vector<int> expected;
    for (int i = 0; i < 12; ++i) {
        written.push_back({i % 2 ? -7 * i : 7 * i});
        markers.push_back({0xFF, static_cast<unsigned char>(0xD0 + i % 8)});
        expected.push_back(128 + written.back()[0]);
    }
    EXPECT_EQ(decoded_blocks(restart_file(1, written, markers, 12)), expected);
}

// An interval longer than the scan: no restart falls inside it, the predictor runs on.
TEST(JpegRestart, IntervalLongerThanTheScan) {
    EXPECT_EQ(decoded_blocks(restart_file(100, {{20, 25, 30, -40, -35}}, {}, 5)),
              (std::vector<int>{148, 153, 158, 88, 93}));
}

// Each cjpeg file with restart intervals holds the coefficients of its twin without them.
const struct {
    const char* restart;
    const char* twin;
} kTwins[] = {
    {"q95_420_61x47_restart1.jpg", "q95_420_61x47.jpg"},
    {"q20_420_100x75_restart3b.jpg", "q20_420_100x75.jpg"},
    {"q80_422_40x24_restart5b.jpg", "q80_422_40x24.jpg"},
    {"q80_444_30x30_restart1b.jpg", "q80_444_30x30.jpg"},
    {"q85_grey_45x37_restart2.jpg", "q85_grey_45x37.jpg"},
};

TEST(JpegRestart, EncodedFilesGiveTheirTwinsPixels) {
    for (const auto& t : kTwins) {
        SCOPED_TRACE(t.restart);
        const Decoded expected = decode(fixture(t.twin));
        const Decoded d = decode(fixture(t.restart));
        ASSERT_NE(d.pixels, nullptr) << d.messages;
        EXPECT_EQ(d.messages, expected.messages);
        ASSERT_EQ(d.width, expected.width);
        ASSERT_EQ(d.height, expected.height);
        EXPECT_EQ(0, std::memcmp(d.pixels.get(), expected.pixels.get(),
                                 static_cast<size_t>(d.width) * d.height * 4));
    }
}

// Where each RSTn marker (FF D0 to FF D7) of entropy-coded data starts.
std::vector<size_t> marker_offsets(const Bytes& entropy) {
    std::vector<size_t> at;
    for (size_t i = 0; i + 1 < entropy.size(); ++i) {
        if (entropy[i] == 0xFF && entropy[i + 1] >= 0xD0 && entropy[i + 1] <= 0xD7) at.push_back(i);
    }
    return at;
}

// The 30 x 30 4:4:4 file has one 8 x 8 MCU per interval, four to a row. A damaged file must
// match the intact one everywhere outside MCU `lost`, which is grey when `grey` is set.
void expect_only_mcu_differs(const Decoded& d, const Decoded& intact, int lost, bool grey) {
    ASSERT_NE(d.pixels, nullptr) << d.messages;
    ASSERT_EQ(d.width, 30);
    ASSERT_EQ(d.height, 30);
    int changed = 0;
    for (int y = 0; y < 30; ++y) {
        for (int x = 0; x < 30; ++x) {
            const bool inside = (y / 8) * 4 + x / 8 == lost;
            for (int ch = 0; ch < 4; ++ch) {
                if (!inside) {
                    ASSERT_EQ(d.at(x, y, ch), intact.at(x, y, ch)) << x << "," << y << " " << ch;
                } else if (grey) {
                    ASSERT_EQ(d.at(x, y, ch), ch == 3 ? 255 : kGrey) << x << "," << y;
                }
                changed += inside && d.at(x, y, ch) != intact.at(x, y, ch);
            }
        }
    }
    EXPECT_GT(changed, 0) << "the damage left MCU " << lost << " as it was";
}

TEST(JpegRestart, DamageInAnEncodedFileStaysInItsInterval) {
    const Bytes original = fixture("q80_444_30x30_restart1b.jpg");
    const Decoded intact = decode(original);
    JpegFile file;
    ASSERT_TRUE(parse_jpeg(original, &file));
    const std::vector<size_t> markers = marker_offsets(file.entropy);
    ASSERT_EQ(markers.size(), 15u);

    // RST4, after MCU 4, removed: MCU 5's data is passed over on the way to RST5.
    JpegFile missing = file;
    missing.entropy.erase(missing.entropy.begin() + static_cast<long>(markers[4]),
                          missing.entropy.begin() + static_cast<long>(markers[4] + 2));
    expect_only_mcu_differs(decode(missing.bytes()), intact, 5, true);

    // A byte in the middle of MCU 7's data changed: whatever MCU 7 becomes, MCU 8 starts
    // cleanly after RST7.
    JpegFile damaged = file;
    unsigned char& byte = damaged.entropy[(markers[6] + 2 + markers[7]) / 2];
    byte = byte == 0x00 ? 0x5A : static_cast<unsigned char>(byte ^ 0x0F);
    ASSERT_NE(byte, 0xFF);
    expect_only_mcu_differs(decode(damaged.bytes()), intact, 7, false);
}

}  // namespace
