// Input the decoder cannot decode safely is refused: a null result, the out arguments left
// alone, and the messages on stderr exactly as the program writes them.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

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
    // Frame header: sizes, component count, sampling factors, table destinations.
    {"width 0", [] { return sized(0, 16); }, kM1},
    {"height 0", [] { return sized(16, 0); }, kM1},
    {"width over 16384", [] { return sized(16385, 16); }, kM1},
    {"height over 16384", [] { return sized(16, 16385); }, kM1},
    {"largest size", [] { return sized(65535, 65535); }, kM1},
    {"four components", [] {
         return edited(0xC0, [](Bytes& p) { p[5] = 4; p.insert(p.end(), {4, 0x11, 0}); });
     }, kM1},
    {"no components", [] { return edited(0xC0, [](Bytes& p) { p[5] = 0; p.resize(6); }); }, kM1},
    {"frame header shorter than its components", [] {
         return edited(0xC0, [](Bytes& p) { p.resize(p.size() - 3); });
     }, kM1},
    {"horizontal factor 0", [] { return edited(0xC0, [](Bytes& p) { p[7] = 0x02; }); }, kM1},
    {"chroma vertical factor 0", [] { return edited(0xC0, [](Bytes& p) { p[10] = 0x10; }); }, kM1},
    {"chroma factor not dividing luma's", [] {
         return edited(0xC0, [](Bytes& p) { p[7] = 0x32; p[10] = 0x21; });
     }, kM1},
    {"chroma sampled finer than luma", [] {
         return edited(0xC0, [](Bytes& p) { p[7] = 0x11; p[10] = 0x22; });
     }, kM1},
    {"quantisation destination 4 in the frame", [] {
         return edited(0xC0, [](Bytes& p) { p[8] = 4; });
     }, kM1},
    // Table segments.
    {"quantisation destination 4", [] { return edited(0xDB, [](Bytes& p) { p[0] = 0x04; }); }, kM1},
    {"Huffman destination 4", [] { return edited(0xC4, [](Bytes& p) { p[0] = 0x04; }); }, kM1},
    {"Huffman table of 257 symbols", [] {
         Bytes counts(16, 0);
         counts[8] = 255;
         counts[9] = 2;
         return inserted(1, {0xC4, huffman_segment(0x11, counts, 257)});
     }, kM1},
    {"three codes of length 1", [] {
         return inserted(1, {0xC4, huffman_segment(0x11, {3}, 3)});
     }, kM1},
    {"codes over-filling length 2", [] {
         return inserted(1, {0xC4, huffman_segment(0x01, {1, 3}, 4)});
     }, kM1},
    // Scan header.
    {"scan before the frame header", [] {
         JpegFile f = base();
         f.segments.erase(f.segments.begin() + 1);
         return f.bytes();
     }, kM1},
    {"scan of a component not in the frame", [] {
         return edited(0xDA, [](Bytes& p) { p[3] = 9; });
     }, kM1},
    {"undefined DC table", [] { return edited(0xDA, [](Bytes& p) { p[2] = 0x10; }); }, kM1},
    {"undefined AC table", [] { return edited(0xDA, [](Bytes& p) { p[2] = 0x01; }); }, kM1},
    {"DC table destination 4", [] { return edited(0xDA, [](Bytes& p) { p[2] = 0x40; }); }, kM1},
    {"undefined quantisation table", [] {
         return edited(0xC0, [](Bytes& p) { p[8] = 1; });
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
