// The decoder's exact output. A crafted colour MCU with AC coefficients in every component and
// a grey picture of random blocks are worked out here step by step from the decoding rules
// (dequantisation with the AAN prescale, the float butterfly, the sample store, the colour
// tables), written independently of the decoder's code; the digests of every fixture's RGBA
// output pin the same rules on whole pictures. Any change of a constant or of the order of
// operations that moves one sample fails.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "unit/assets/jpeg_test_support.h"

namespace {

// The zig-zag sequence of T.81 Figure A.6, walked along the anti-diagonals: by zig-zag
// position, the natural position 8 x row + column.
std::vector<int> zigzag_order() {
    std::vector<int> order;
    for (int diagonal = 0; diagonal < 15; ++diagonal) {
        for (int i = 0; i <= diagonal; ++i) {
            // Even diagonals run up and to the right, odd ones down and to the left.
            const int row = diagonal % 2 == 0 ? diagonal - i : i;
            const int column = diagonal - row;
            if (row < 8 && column < 8) order.push_back(8 * row + column);
        }
    }
    return order;
}

// The AAN scale factors: 1, then cos(k pi / 16) x sqrt(2), as single-precision values.
float aan(int k) {
    if (k == 0) return 1.0f;
    return static_cast<float>(std::cos(k * std::acos(-1.0) / 16) * std::sqrt(2.0));
}

// The 8-point butterfly of the float AAN inverse DCT on x[0], x[step], ..., x[7 step].
void butterfly(float* x, int step) {
    float v[8];
    for (int k = 0; k < 8; ++k) v[k] = x[k * step];
    const float t10 = v[0] + v[4];
    const float t11 = v[0] - v[4];
    const float t13 = v[2] + v[6];
    const float t12 = (v[2] - v[6]) * 1.4142135f - t13;
    const float e0 = t10 + t13, e3 = t10 - t13, e1 = t11 + t12, e2 = t11 - t12;
    const float z13 = v[5] + v[3], z10 = v[5] - v[3], z11 = v[1] + v[7], z12 = v[1] - v[7];
    const float o7 = z11 + z13;
    const float o11 = (z11 - z13) * 1.4142135f;
    const float z5 = (z10 + z12) * 1.847759f;
    const float o10 = z12 * 1.0823922f - z5;
    const float o12 = z10 * -2.613126f + z5;
    const float o6 = o12 - o7;
    const float o5 = o11 - o6;
    const float o4 = o10 + o5;
    const float y[8] = {e0 + o7, e1 + o6, e2 + o5, e3 - o4, e3 + o4, e2 - o5, e1 - o6, e0 - o7};
    for (int k = 0; k < 8; ++k) x[k * step] = y[k];
}

int clamp(int v) { return v > 255 ? 255 : (v <= 0 ? 0 : v); }

// One component's block: its DC value (the predictor) and AC coefficients by zig-zag position,
// dequantised, prescaled, transformed and stored as 64 samples in natural order.
std::vector<int> block_samples(const int coefficients[64], const int quantisers[64]) {
    const std::vector<int> natural = zigzag_order();
    float block[64] = {};
    for (int z = 0; z < 64; ++z) {
        const int n = natural[z];
        block[n] = static_cast<float>(quantisers[z]) * static_cast<float>(coefficients[z]) *
                   aan(n % 8) * aan(n / 8);
    }
    for (int column = 0; column < 8; ++column) butterfly(block + column, 8);
    for (int row = 0; row < 8; ++row) butterfly(block + 8 * row, 1);
    std::vector<int> samples(64);
    for (int n = 0; n < 64; ++n) {
        samples[n] = clamp((static_cast<int>(block[n]) >> 3) + 128);
    }
    return samples;
}

// A coefficient as an AC symbol (run and size) in the crafted file's AC table, whose codes are
// the symbols' own 8 bits, followed by its S bits (a negative value sent as value - 1).
void put_ac(BitWriter* w, int run, int value) {
    w->put(static_cast<unsigned>((run << 4) | size_category(value)), 8);
    put_amplitude(w, value);
}

// A DC difference in crafted_jpeg's DC table: its size as 4 bits, then its bits.
void put_dc(BitWriter* w, int diff) {
    w->put(static_cast<unsigned>(size_category(diff)), 4);
    put_amplitude(w, diff);
}

// The crafted file's tables: the quantisers given (table 0, every component), the DC table of
// crafted_jpeg and an AC table of 255 codes of length 8, each symbol coded as its own byte.
void set_tables(JpegFile* file, const int quantisers[64]) {
    Bytes dqt = {0};
    for (int z = 0; z < 64; ++z) dqt.push_back(static_cast<unsigned char>(quantisers[z]));
    file->first(0xDB).payload = dqt;
    Bytes& dht = file->first(0xC4).payload;
    dht.resize(29);  // the DC table
    dht.insert(dht.end(), {0x10, 0, 0, 0, 0, 0, 0, 0, 255, 0, 0, 0, 0, 0, 0, 0, 0});
    for (int symbol = 0; symbol < 255; ++symbol) dht.push_back(static_cast<unsigned char>(symbol));
}

TEST(JpegRegression, CraftedMcuMatchesTheRulesStepByStep) {
    // Quantisation tables: luma 2 + z, chroma 5 + z mod 7 (z the zig-zag position).
    int luma_q[64], chroma_q[64];
    for (int z = 0; z < 64; ++z) {
        luma_q[z] = 2 + z;
        chroma_q[z] = 5 + z % 7;
    }
    // Coefficients by zig-zag position: Y across the first row and one mixed term, Cb down the
    // first column, Cr with a run of 16 zeros (ZRL) and a run of 2.
    int y[64] = {}, cb[64] = {}, cr[64] = {};
    y[0] = 40, y[1] = -7, y[4] = 5, y[5] = 3, y[6] = -2;
    cb[0] = -60, cb[2] = 15, cb[3] = -9, cb[9] = 4;
    cr[0] = 25, cr[1] = 3, cr[20] = -3;

    BitWriter w;
    put_dc(&w, 40);
    put_ac(&w, 0, -7);
    put_ac(&w, 2, 5);  // zig-zag 4
    put_ac(&w, 0, 3);
    put_ac(&w, 0, -2);
    w.put(0x00, 8);  // EOB
    put_dc(&w, -60);
    put_ac(&w, 1, 15);  // zig-zag 2
    put_ac(&w, 0, -9);
    put_ac(&w, 5, 4);  // zig-zag 9
    w.put(0x00, 8);
    put_dc(&w, 25);
    put_ac(&w, 0, 3);
    w.put(0xF0, 8);    // ZRL: zig-zag 2 to 17
    put_ac(&w, 2, -3);  // zig-zag 20
    w.put(0x00, 8);

    JpegFile file = crafted_jpeg(8, 8, {0x11, 0x11, 0x11}, 1, w.finish());
    set_tables(&file, luma_q);
    Bytes& dqt = file.first(0xDB).payload;
    dqt.push_back(1);  // table 1, for Cb and Cr
    for (int z = 0; z < 64; ++z) dqt.push_back(static_cast<unsigned char>(chroma_q[z]));
    Bytes& sof = file.first(0xC0).payload;
    sof[11] = 1;
    sof[14] = 1;

    const Decoded d = decode(file.bytes());
    ASSERT_NE(d.pixels, nullptr) << d.messages;
    ASSERT_EQ(d.width, 8);
    ASSERT_EQ(d.height, 8);

    const std::vector<int> ys = block_samples(y, luma_q);
    const std::vector<int> cbs = block_samples(cb, chroma_q);
    const std::vector<int> crs = block_samples(cr, chroma_q);
    int distinct_blue = 0;
    for (int n = 0; n < 64; ++n) {
        const float c_b = static_cast<float>(cbs[n] - 128);
        const float c_r = static_cast<float>(crs[n] - 128);
        const int r = clamp(ys[n] + static_cast<int>(c_r * 1.402f));
        const int g = clamp(ys[n] - static_cast<int>(c_b * 0.34414f + c_r * 0.71414f));
        const int b = clamp(ys[n] + static_cast<int>(c_b * 1.772f));
        SCOPED_TRACE(n);
        EXPECT_EQ(d.at(n % 8, n / 8, 0), r);
        EXPECT_EQ(d.at(n % 8, n / 8, 1), g);
        EXPECT_EQ(d.at(n % 8, n / 8, 2), b);
        EXPECT_EQ(d.at(n % 8, n / 8, 3), 255);
        distinct_blue += b != clamp(ys[n] + static_cast<int>(c_b * 1.765f));
    }
    // The block is one in which the colour constants show: with 1.765 for 1.772, B would
    // differ in some pixels.
    EXPECT_GT(distinct_blue, 0);
}

// Many blocks of random coefficients, high frequencies as often as low ones, through the same
// step-by-step rules: a change of any constant that moves one sample across a multiple of 8
// shows here.
TEST(JpegRegression, RandomBlocksMatchTheRulesStepByStep) {
    constexpr int kColumns = 64, kRows = 64;
    std::mt19937 random(2024);
    int quantisers[64];
    for (int& q : quantisers) q = 1 + static_cast<int>(random() % 4);
    std::vector<std::vector<int>> blocks;
    BitWriter w;
    int predictor = 0;
    for (int b = 0; b < kColumns * kRows; ++b) {
        std::vector<int> c(64, 0);
        c[0] = static_cast<int>(random() % 201) - 100;
        for (int i = 0; i < 10; ++i) {
            c[1 + random() % 63] = static_cast<int>(random() % 301) - 150;
        }
        put_dc(&w, c[0] - predictor);
        predictor = c[0];
        int run = 0;
        for (int z = 1; z < 64; ++z) {
            if (c[z] == 0) {
                ++run;
                continue;
            }
            for (; run >= 16; run -= 16) w.put(0xF0, 8);  // ZRL
            put_ac(&w, run, c[z]);
            run = 0;
        }
        if (run > 0) w.put(0x00, 8);  // EOB
        blocks.push_back(c);
    }
    JpegFile file = crafted_jpeg(8 * kColumns, 8 * kRows, {0x11}, 1, w.finish());
    set_tables(&file, quantisers);
    const Decoded d = decode(file.bytes());
    ASSERT_NE(d.pixels, nullptr) << d.messages;
    int mismatches = 0;
    for (int b = 0; b < kColumns * kRows; ++b) {
        const std::vector<int> samples = block_samples(blocks[b].data(), quantisers);
        const int left = 8 * (b % kColumns), top = 8 * (b / kColumns);
        for (int n = 0; n < 64; ++n) {
            mismatches += d.at(left + n % 8, top + n / 8, 0) != samples[n];
        }
    }
    EXPECT_EQ(mismatches, 0);
}

// FNV-1a, 64 bits, over the RGBA bytes.
std::uint64_t digest(const unsigned char* bytes, size_t size) {
    std::uint64_t h = 14695981039346656037ull;
    for (size_t i = 0; i < size; ++i) {
        h ^= bytes[i];
        h *= 1099511628211ull;
    }
    return h;
}

// Every fixture's output, byte for byte. The conformance test holds these pictures within a
// few levels of an independent decoder; the digests hold them to this decoder's rules (they
// were checked once against a literal, bit-by-bit, single-precision decode by those rules).
// A file with restart intervals has its twin's digest.
const struct {
    const char* file;
    int width;
    int height;
    std::uint64_t digest;
} kRegression[] = {
    {"q75_420_64x48.jpg", 64, 48, 0x58b576581fc2cf23},
    {"q95_420_61x47.jpg", 61, 47, 0x0806d162e3dbdd62},
    {"q95_420_61x47_restart1.jpg", 61, 47, 0x0806d162e3dbdd62},
    {"q50_420_33x17.jpg", 33, 17, 0x100563119a3fca81},
    {"q20_420_100x75.jpg", 100, 75, 0x5d3c7277d8a01055},
    {"q20_420_100x75_restart3b.jpg", 100, 75, 0x5d3c7277d8a01055},
    {"q100_420_24x40.jpg", 24, 40, 0x51058f5246d09ca5},
    {"q85_420_160x120.jpg", 160, 120, 0x47e5a91c331e8207},
    {"q90_420_saturated_48x48.jpg", 48, 48, 0xa7b78169cd320fa5},
    {"q80_422_40x24.jpg", 40, 24, 0xbe2c4985503694db},
    {"q80_422_40x24_restart5b.jpg", 40, 24, 0xbe2c4985503694db},
    {"q80_444_30x30.jpg", 30, 30, 0xc4a7e70e4e22c31a},
    {"q80_444_30x30_restart1b.jpg", 30, 30, 0xc4a7e70e4e22c31a},
    {"q85_grey_45x37.jpg", 45, 37, 0xcc3a05fed8809939},
    {"q85_grey_45x37_restart2.jpg", 45, 37, 0xcc3a05fed8809939},
};

TEST(JpegRegression, FixtureDigests) {
    for (const auto& r : kRegression) {
        SCOPED_TRACE(r.file);
        const Decoded d = decode(fixture(r.file), r.file);
        ASSERT_NE(d.pixels, nullptr) << d.messages;
        ASSERT_EQ(d.width, r.width);
        ASSERT_EQ(d.height, r.height);
        const std::uint64_t h =
            digest(d.pixels.get(), static_cast<size_t>(d.width) * d.height * 4);
        EXPECT_EQ(h, r.digest) << "0x" << std::hex << h;
    }
}

}  // namespace
