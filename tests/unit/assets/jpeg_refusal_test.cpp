// Header faults. What the decoder cannot decode safely is refused: a null result, the out
// arguments left alone, and the messages on stderr exactly as the program writes them. Faults
// that decode safely are decoded, as the segment rules read them: length fields that SOF0, DRI
// and SOS do not use, tables never defined, over-full Huffman tables, selectors that name no
// component, wide frames.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "assets/texture.h"
#include "unit/assets/jpeg_test_support.h"

namespace {

const std::string kM1 = "Texture::load_jpeg(): error open \"test.jpg\" file\n";
const std::string kM4 = "jpeg_read_markers(): end of image\n";

// A valid 16 x 16 colour file, 4:2:0, every block flat.
JpegFile base() {
    BitWriter w;
    for (int block = 0; block < 6; ++block) put_dc_block(&w, block % 2 ? 3 : -3);
    return crafted_jpeg(16, 16, {0x22, 0x11, 0x11}, 8, w.finish());
}

void set_word(Bytes* payload, size_t at, int value) {
    (*payload)[at] = static_cast<unsigned char>(value >> 8);
    (*payload)[at + 1] = static_cast<unsigned char>(value & 0xFF);
}

// base() with one segment changed by edit.
template <typename Edit>
Bytes edited(int code, Edit edit) {
    JpegFile f = base();
    edit(f.first(code).payload);
    return f.bytes();
}

// base() with the frame's size changed.
Bytes sized(int width, int height) {
    return edited(0xC0, [width, height](Bytes& p) {
        set_word(&p, 1, height);
        set_word(&p, 3, width);
    });
}

// base() with a segment inserted before the one at position `before`.
Bytes inserted(size_t before, Segment segment) {
    JpegFile f = base();
    f.segments.insert(f.segments.begin() + static_cast<long>(before), segment);
    return f.bytes();
}

Bytes huffman_segment(int class_and_destination, const Bytes& counts, int symbol_count) {
    Bytes payload = {static_cast<unsigned char>(class_and_destination)};
    payload.insert(payload.end(), counts.begin(), counts.end());
    payload.resize(17, 0);
    for (int i = 0; i < symbol_count; ++i) payload.push_back(static_cast<unsigned char>(i));
    return payload;
}

struct Refusal {
    const char* what;
    Bytes (*make)();
    std::string messages;
};

const Refusal kRefusals[] = {
    // Frame header. A frame without width or lines (those would come in a DNL segment, which
    // is not read) would come back as an empty picture.
    {"width 0", [] { return sized(0, 16); }, kM1},
    {"height 0", [] { return sized(16, 0); }, kM1},
    // Sizes whose RGBA byte count overflows a 32-bit signed size.
    {"largest size", [] { return sized(65535, 65535); }, kM1},
    {"2 GiB of pixels, a byte past a 32-bit size", [] { return sized(16384, 32768); }, kM1},
    // More frame components than the decoder has room for.
    {"four components", [] {
         return edited(0xC0, [](Bytes& p) { p[5] = 4; p.insert(p.end(), {4, 0x11, 0}); });
     }, kM1},
    // A luma factor of 0 makes an MCU of no width (the MCU loop would never end), a chroma
    // factor of 0 a replication by division by 0.
    {"no components", [] { return edited(0xC0, [](Bytes& p) { p[5] = 0; p.resize(6); }); }, kM1},
    {"horizontal factor 0", [] { return edited(0xC0, [](Bytes& p) { p[7] = 0x02; }); }, kM1},
    {"chroma vertical factor 0", [] { return edited(0xC0, [](Bytes& p) { p[10] = 0x10; }); }, kM1},
    // Replication by whole factors would leave chroma bytes of some pixels never written.
    {"chroma factor not dividing luma's", [] {
         return edited(0xC0, [](Bytes& p) { p[7] = 0x32; p[10] = 0x21; });
     }, kM1},
    {"chroma sampled finer than luma", [] {
         return edited(0xC0, [](Bytes& p) { p[7] = 0x11; p[10] = 0x22; });
     }, kM1},
    // Table destinations above 3 lie outside the decoder's tables; so do Huffman symbols past
    // the 256th.
    {"quantisation destination 4 in the frame", [] {
         return edited(0xC0, [](Bytes& p) { p[8] = 4; });
     }, kM1},
    {"quantisation destination 4", [] { return edited(0xDB, [](Bytes& p) { p[0] = 0x04; }); }, kM1},
    {"Huffman destination 4", [] { return edited(0xC4, [](Bytes& p) { p[0] = 0x04; }); }, kM1},
    {"Huffman table of 257 symbols", [] {
         Bytes counts(16, 0);
         counts[8] = 255;
         counts[9] = 2;
         return inserted(1, {0xC4, huffman_segment(0x11, counts, 257)});
     }, kM1},
    {"DC table destination 4", [] { return edited(0xDA, [](Bytes& p) { p[2] = 0x40; }); }, kM1},
    // A scan with no frame before it would be an empty picture.
    {"scan before the frame header", [] {
         JpegFile f = base();
         f.segments.erase(f.segments.begin() + 1);
         return f.bytes();
     }, kM1},
    // Segment lengths and the end of the data.
    {"segment running past the data", [] {
         return Bytes{0xFF, 0xD8, 0xFF, 0xE1, 0xFF, 0xFF, 1, 2, 3};
     }, kM1},
    {"segment length 1", [] { return Bytes{0xFF, 0xD8, 0xFF, 0xE1, 0, 1, 0xFF, 0xD9}; }, kM1},
    {"segment length 0", [] { return Bytes{0xFF, 0xD8, 0xFF, 0xE1, 0, 0, 0xFF, 0xD9}; }, kM1},
    {"data ending inside a table", [] {
         Bytes b = base().bytes();
         b.resize(30);
         return b;
     }, kM1},
    {"data ending before the scan", [] {
         JpegFile f = base();
         f.segments.pop_back();
         f.entropy.clear();
         return f.bytes();
     }, kM1},
    {"no marker where one is due", [] { return Bytes{0xFF, 0xD8, 0x00, 0xC4}; }, kM1},
    {"empty data", [] { return Bytes(); }, kM1},
    {"EOI before the scan", [] {
         JpegFile f = base();
         f.segments.resize(2);
         f.entropy = {0xFF, 0xD9, 0xFF, 0xDA};
         return f.bytes();
     }, kM4 + kM1},
    {"EOI as the last two bytes", [] { return Bytes{0xFF, 0xD8, 0xFF, 0xD9}; }, kM4 + kM1},
};

TEST(JpegRefusal, CraftedBaseDecodes) {
    const Decoded d = decode(base().bytes());
    ASSERT_NE(d.pixels, nullptr) << d.messages;
    EXPECT_EQ(d.messages, "");
    EXPECT_EQ(d.width, 16);
    EXPECT_EQ(d.height, 16);
}

TEST(JpegRefusal, RefusesWhatItCannotDecodeSafely) {
    for (const Refusal& r : kRefusals) {
        SCOPED_TRACE(r.what);
        const Decoded d = decode(r.make());
        EXPECT_EQ(d.pixels, nullptr);
        EXPECT_EQ(d.width, -1);
        EXPECT_EQ(d.height, -1);
        EXPECT_EQ(d.messages, r.messages);
    }
}

// The file's bytes with the length field of the first segment of that code set to `length`.
Bytes with_length(const Bytes& bytes, int code, int length) {
    Bytes out = bytes;
    for (size_t at = 2; at + 3 < out.size(); ++at) {
        if (out[at] == 0xFF && out[at + 1] == code) {
            out[at + 2] = static_cast<unsigned char>(length >> 8);
            out[at + 3] = static_cast<unsigned char>(length & 0xFF);
            return out;
        }
    }
    ADD_FAILURE() << "no segment " << std::hex << code;
    return out;
}

// Faults that change nothing the decoder uses: the pixels are base()'s.
const struct {
    const char* what;
    Bytes (*make)();
} kHarmless[] = {
    {"SOS length 0", [] { return with_length(base().bytes(), 0xDA, 0); }},
    {"SOS length shorter than its fields", [] { return with_length(base().bytes(), 0xDA, 3); }},
    {"SOS length past the end of the data", [] {
         return with_length(base().bytes(), 0xDA, 0xFFFF);
     }},
    {"SOF0 length shorter than its components", [] {
         return with_length(base().bytes(), 0xC0, 8);
     }},
    {"SOF0 length past the end of the data", [] {
         return with_length(base().bytes(), 0xC0, 0xFFFF);
     }},
    {"DRI of interval 0 with length 2", [] {
         JpegFile f = base();
         add_restart_interval(&f, 0);
         return with_length(f.bytes(), 0xDD, 2);
     }},
    {"DHT of length 0, before the other tables", [] {
         return with_length(inserted(1, {0xC4, {}}), 0xC4, 0);
     }},
    {"a scan selector naming no frame component", [] {
         return edited(0xDA, [](Bytes& p) { p[5] = 9; });
     }},
};

TEST(JpegRefusal, FaultsOutsideWhatIsDecodedChangeNoPixel) {
    const Decoded expected = decode(base().bytes());
    ASSERT_NE(expected.pixels, nullptr);
    for (const auto& c : kHarmless) {
        SCOPED_TRACE(c.what);
        const Decoded d = decode(c.make());
        ASSERT_NE(d.pixels, nullptr) << d.messages;
        EXPECT_EQ(d.messages, "");
        ASSERT_EQ(d.width, 16);
        ASSERT_EQ(d.height, 16);
        EXPECT_EQ(0, std::memcmp(d.pixels.get(), expected.pixels.get(), 16 * 16 * 4));
    }
}

// Tables that no segment defined decode as the zero-filled tables they are: an undefined
// Huffman table matches no code, so each of its symbols is the next 16 bits (a DC size in
// the low 4, an AC run and size in the low 8); an over-full one decodes the codes that fit.
// Each file is two grey blocks, quantiser 16, with DC differences 5 and -2: samples 138, 134.
TEST(JpegRefusal, UndefinedAndOverFullTablesDecode) {
    const auto grey = [](int scan_tables, const std::vector<Segment>& extra,
                         void (*write)(BitWriter*)) {
        BitWriter w;
        write(&w);
        JpegFile f = crafted_jpeg(16, 8, {0x11}, 16, w.finish());
        f.first(0xDA).payload[2] = static_cast<unsigned char>(scan_tables);
        f.segments.insert(f.segments.end() - 1, extra.begin(), extra.end());
        return decode(f.bytes());
    };
    const struct {
        const char* what;
        int scan_tables;
        std::vector<Segment> extra;
        void (*write)(BitWriter*);
    } kCases[] = {
        {"undefined DC table", 0x10, {}, [](BitWriter* w) {
             w->put(0x0003, 16);  // size 3
             w->put(5, 3);
             w->put(0, 1);         // EOB
             w->put(0xABC2, 16);   // size 2
             w->put(1, 2);         // -2
             w->put(0, 1);
         }},
        {"undefined AC table", 0x01, {}, [](BitWriter* w) {
             w->put(3, 4);
             w->put(5, 3);
             w->put(0x5A00, 16);  // run and size 0: EOB
             w->put(2, 4);
             w->put(1, 2);
             w->put(0x0100, 16);
         }},
        {"three codes of length 1 (the third never matches)", 0x10,
         {{0xC4, {0x01, 3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 3, 2, 7}}},
         [](BitWriter* w) {
             w->put(0, 1);  // size 3
             w->put(5, 3);
             w->put(0, 1);
             w->put(1, 1);  // size 2
             w->put(1, 2);
             w->put(0, 1);
         }},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.what);
        const Decoded d = grey(c.scan_tables, c.extra, c.write);
        EXPECT_EQ(flat_block_values(d), (std::vector<int>{138, 134}));
    }
}

// A quantisation table that no DQT defined is all 0: the luma blocks come out flat at 128,
// so every pixel is Y 128 with base()'s chroma (Cb 125, Cr 131).
TEST(JpegRefusal, UndefinedQuantisationTableDecodesFlat) {
    const Decoded d = decode(edited(0xC0, [](Bytes& p) { p[8] = 1; }));
    ASSERT_NE(d.pixels, nullptr) << d.messages;
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            // R = 128 + (int)(3 x 1.402), G = 128 - (int)(-3 x 0.34414 + 3 x 0.71414),
            // B = 128 + (int)(-3 x 1.772).
            ASSERT_EQ(d.at(x, y, 0), 132) << x << "," << y;
            ASSERT_EQ(d.at(x, y, 1), 127);
            ASSERT_EQ(d.at(x, y, 2), 123);
            ASSERT_EQ(d.at(x, y, 3), 255);
        }
    }
}

// Frames wider or taller than 16384 decode while their RGBA bytes fit a 32-bit size: the one
// MCU of data gives base()'s first 16 x 16 pixels, and the rest is grey.
TEST(JpegRefusal, WideAndTallFramesDecode) {
    const Decoded expected = decode(base().bytes());
    for (const auto& size : {std::pair<int, int>{16385, 16}, {16, 16385}, {65535, 8}}) {
        SCOPED_TRACE(size.first);
        const Decoded d = decode(sized(size.first, size.second));
        ASSERT_NE(d.pixels, nullptr) << d.messages;
        ASSERT_EQ(d.width, size.first);
        ASSERT_EQ(d.height, size.second);
        for (int y = 0; y < 8; ++y) {
            for (int x = 0; x < 16 && x < d.width; ++x) {
                for (int ch = 0; ch < 4; ++ch) ASSERT_EQ(d.at(x, y, ch), expected.at(x, y, ch));
            }
        }
        const int x = d.width - 1, y = d.height - 1;
        EXPECT_EQ(d.at(x, y, 0), 128);
        EXPECT_EQ(d.at(x, y, 1), 128);
        EXPECT_EQ(d.at(x, y, 2), 128);
        EXPECT_EQ(d.at(x, y, 3), 255);
    }
}

TEST(JpegRefusal, NullDataIsRefused) {
    int width = -1, height = -1;
    testing::internal::CaptureStderr();
    EXPECT_EQ(Texture::load_jpeg("test.jpg", &width, &height, nullptr, 100), nullptr);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), kM1);
    EXPECT_EQ(width, -1);
    EXPECT_EQ(height, -1);
}

// Every frame type other than baseline is named by its code, then refused.
TEST(JpegRefusal, OtherFrameTypesAreNamed) {
    for (int code :
         {0xC1, 0xC2, 0xC3, 0xC5, 0xC6, 0xC7, 0xC8, 0xC9, 0xCA, 0xCB, 0xCD, 0xCE, 0xCF}) {
        JpegFile f = base();
        f.first(0xC0).code = code;
        char expected[128];
        std::snprintf(expected, sizeof expected,
                      "jpeg_read_markers(): unsupported JPEG format 0x%02x support only Baseline\n",
                      code);
        const Decoded d = decode(f.bytes());
        EXPECT_EQ(d.pixels, nullptr);
        EXPECT_EQ(d.messages, expected + kM1);
    }
}

// Files of those kinds from an independent encoder.
TEST(JpegRefusal, ProgressiveExtendedAndArithmeticFilesAreRefused) {
    const struct {
        const char* file;
        const char* code;
    } kFiles[] = {{"progressive_16x16.jpg", "0xc2"},
                  {"extended_16x16.jpg", "0xc1"},
                  {"arithmetic_16x16.jpg", "0xc9"}};
    for (const auto& f : kFiles) {
        const Decoded d = decode(fixture(f.file));
        EXPECT_EQ(d.pixels, nullptr) << f.file;
        EXPECT_EQ(d.messages, std::string("jpeg_read_markers(): unsupported JPEG format ") +
                                  f.code + " support only Baseline\n" + kM1);
    }
}

}  // namespace
