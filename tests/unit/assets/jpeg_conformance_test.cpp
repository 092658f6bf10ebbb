// Our decoder against an independent one: files made by Debian's cjpeg, compared with their
// djpeg -dct float -nosmooth decodes (tests/fixtures/jpeg/make_fixtures.sh).
//
// The tolerance. Both decoders run the same float AAN transform with replicated chroma, but
// where djpeg rounds ours truncates: the sample store takes floor(s / 8) where djpeg takes the
// nearest integer (0 or 1 lower per sample), and the colour tables truncate toward zero where
// djpeg rounds (within 1 either way). A chroma sample 1 lower moves B by up to 1.772, so a
// channel may differ by -4 to +2 and on average ours is darker by about half a level:
//   colour: |ours - djpeg| <= 4 in every channel, mean(ours - djpeg) in [-1, 0];
//   grey:   ours - djpeg is -1 or 0 (there is no colour conversion).
// Misplaced blocks, swapped or mis-replicated chroma and wrong edge clipping all give far
// larger differences.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "unit/assets/jpeg_test_support.h"

namespace {

struct ConformanceCase {
    const char* jpeg;
    const char* reference;
};

const ConformanceCase kConformance[] = {
    {"q75_420_64x48.jpg", "q75_420_64x48.ppm"},
    {"q95_420_61x47.jpg", "q95_420_61x47.ppm"},
    {"q50_420_33x17.jpg", "q50_420_33x17.ppm"},
    {"q20_420_100x75.jpg", "q20_420_100x75.ppm"},
    {"q100_420_24x40.jpg", "q100_420_24x40.ppm"},
    {"q85_420_160x120.jpg", "q85_420_160x120.ppm"},
    {"q90_420_saturated_48x48.jpg", "q90_420_saturated_48x48.ppm"},
    {"q80_422_40x24.jpg", "q80_422_40x24.ppm"},
    {"q80_444_30x30.jpg", "q80_444_30x30.ppm"},
    {"q85_grey_45x37.jpg", "q85_grey_45x37.pgm"},
    // With restart intervals, in MCU rows and in MCUs; the same pictures and settings as files
    // above, so the same reference decodes.
    {"q95_420_61x47_restart1.jpg", "q95_420_61x47.ppm"},
    {"q20_420_100x75_restart3b.jpg", "q20_420_100x75.ppm"},
    {"q80_422_40x24_restart5b.jpg", "q80_422_40x24.ppm"},
    {"q80_444_30x30_restart1b.jpg", "q80_444_30x30.ppm"},
    {"q85_grey_45x37_restart2.jpg", "q85_grey_45x37.pgm"},
};

TEST(JpegConformance, MatchesIndependentDecoderWithinTolerance) {
    for (const ConformanceCase& c : kConformance) {
        SCOPED_TRACE(c.jpeg);
        Pnm reference;
        ASSERT_TRUE(parse_pnm(fixture(c.reference), &reference));
        const Decoded d = decode(fixture(c.jpeg), c.jpeg);
        ASSERT_NE(d.pixels, nullptr) << d.messages;
        ASSERT_EQ(d.width, reference.width);
        ASSERT_EQ(d.height, reference.height);
        const bool grey = reference.channels == 1;
        EXPECT_EQ(d.messages, grey ? kM2 : "");

        int worst_below = 0, worst_above = 0;
        long long sum = 0;
        for (int y = 0; y < d.height; ++y) {
            for (int x = 0; x < d.width; ++x) {
                for (int ch = 0; ch < 3; ++ch) {
                    const int ref = reference.samples[(y * d.width + x) * reference.channels +
                                                      (grey ? 0 : ch)];
                    const int diff = d.at(x, y, ch) - ref;
                    worst_below = std::min(worst_below, diff);
                    worst_above = std::max(worst_above, diff);
                    sum += diff;
                }
                ASSERT_EQ(d.at(x, y, 3), 255) << x << "," << y;
            }
        }
        const double mean = static_cast<double>(sum) / (3.0 * d.width * d.height);
        EXPECT_GE(worst_below, grey ? -1 : -4);
        EXPECT_LE(worst_above, grey ? 0 : 4);
        EXPECT_GE(mean, -1.0);
        EXPECT_LE(mean, 0.0);
    }
}

// Segment layouts that carry the same tables and data give the same pixels, bit for bit.
void merge_segments(JpegFile* file, int code) {
    std::vector<Segment> kept;
    for (Segment& s : file->segments) {
        if (s.code == code && !kept.empty() && kept.back().code == code) {
            kept.back().payload.insert(kept.back().payload.end(), s.payload.begin(),
                                       s.payload.end());
        } else {
            kept.push_back(s);
        }
    }
    file->segments = kept;
}

void widen_quant_tables(JpegFile* file) {
    for (Segment& s : file->segments) {
        if (s.code != 0xDB) continue;
        Bytes wide;
        for (size_t at = 0; at + 65 <= s.payload.size(); at += 65) {
            wide.push_back(static_cast<unsigned char>(0x10 | s.payload[at]));
            for (int i = 1; i <= 64; ++i) wide.insert(wide.end(), {0, s.payload[at + i]});
        }
        s.payload = wide;
    }
}

void add_skipped_segments(JpegFile* file) {
    const std::vector<Segment> extra = {
        {0xE1, Bytes(40, 0xAB)},               // APP1 with arbitrary bytes
        {0xFE, {'m', 'a', 'd', 'e', 0xFF, 0xD9}},  // COM holding the bytes of an EOI
        {0xEF, Bytes()},                       // an empty APP15
        {0xCC, {0x00, 0x10}},                  // DAC
    };
    file->segments.insert(file->segments.begin() + 1, extra.begin(), extra.end());
    file->segments.insert(file->segments.end() - 1, extra.begin(), extra.end());
}

TEST(JpegConformance, SegmentLayoutsGiveTheSamePixels) {
    struct Layout {
        const char* what;
        void (*edit)(JpegFile*);
    };
    const Layout kLayouts[] = {
        {"both quantisation tables in one DQT", [](JpegFile* f) { merge_segments(f, 0xDB); }},
        {"all four Huffman tables in one DHT", [](JpegFile* f) { merge_segments(f, 0xC4); }},
        {"16-bit quantisation tables", widen_quant_tables},
        {"APPn, COM and DAC segments", add_skipped_segments},
    };
    for (const char* name : {"q75_420_64x48.jpg", "q80_444_30x30.jpg"}) {
        const Bytes original = fixture(name);
        const Decoded expected = decode(original);
        ASSERT_NE(expected.pixels, nullptr);
        const size_t size = static_cast<size_t>(expected.width) * expected.height * 4;
        for (const Layout& layout : kLayouts) {
            SCOPED_TRACE(std::string(name) + ": " + layout.what);
            JpegFile file;
            ASSERT_TRUE(parse_jpeg(original, &file));
            layout.edit(&file);
            const Bytes edited = file.bytes();
            ASSERT_NE(edited, original);
            const Decoded d = decode(edited);
            ASSERT_NE(d.pixels, nullptr) << d.messages;
            EXPECT_EQ(d.messages, expected.messages);
            ASSERT_EQ(d.width, expected.width);
            ASSERT_EQ(d.height, expected.height);
            EXPECT_EQ(0, std::memcmp(d.pixels.get(), expected.pixels.get(), size));
        }
    }
}

// A second SOI before the frame is passed over like the first.
TEST(JpegConformance, RepeatedStartOfImageIsAccepted) {
    Bytes bytes = fixture("q50_420_33x17.jpg");
    const Decoded expected = decode(bytes);
    bytes.insert(bytes.begin() + 2, {0xFF, 0xD8, 0xFF, 0xD8});
    const Decoded d = decode(bytes);
    ASSERT_NE(d.pixels, nullptr);
    EXPECT_EQ(0, std::memcmp(d.pixels.get(), expected.pixels.get(),
                             static_cast<size_t>(d.width) * d.height * 4));
}

}  // namespace
