// Helpers of the JPEG decoder tests: the embedded fixtures, decoding with the messages
// captured, JPEG files as editable segment lists, and crafted files with known entropy data.
#pragma once

#include <memory>
#include <string>
#include <vector>

using Bytes = std::vector<unsigned char>;

// What the decoder writes for a file it decodes but whose colours are not RGB.
inline const char* const kM2 =
    "Texture::load_jpeg(): is incorrect works with not RGB JPEG images :)\n";

struct EmbeddedFile {
    const char* name;
    const unsigned char* data;
    int size;
};
extern const EmbeddedFile kJpegFixtures[];
extern const int kJpegFixtureCount;

// The embedded file of that name; an empty vector (and a test failure) when there is none.
Bytes fixture(const std::string& name);

struct Decoded {
    std::unique_ptr<unsigned char[]> pixels;  // R, G, B, A; null when the decoder refused
    int width = -1;                           // -1: not written by the decoder
    int height = -1;
    std::string messages;                     // what the decoder wrote to stderr

    // Byte `channel` of pixel (x, y).
    int at(int x, int y, int channel) const { return pixels[(y * width + x) * 4 + channel]; }
};
// Decodes a copy of the bytes held in a buffer of exactly their size, so that a read past the
// end is an error the sanitizers see.
Decoded decode(const Bytes& bytes, const char* name = "test.jpg");
// The value of each 8 x 8 block along the top of a grey picture of one block row; a block
// that is not flat, or a pixel that is not grey with alpha 255, fails the test.
std::vector<int> flat_block_values(const Decoded& decoded);

// A binary PGM or PPM: samples per pixel 1 or 3, rows top first.
struct Pnm {
    int width = 0;
    int height = 0;
    int channels = 0;
    Bytes samples;
};
int parse_pnm(const Bytes& bytes, Pnm* pnm);

// A JPEG file as the segments before the entropy-coded data (SOS last) and that data (EOI
// included when present).
struct Segment {
    int code;
    Bytes payload;
};
struct JpegFile {
    std::vector<Segment> segments;
    Bytes entropy;

    Segment& first(int code);  // fails the test and returns segments[0] when absent
    Bytes bytes() const;       // SOI, the segments, the entropy-coded data
};
int parse_jpeg(const Bytes& bytes, JpegFile* file);

// Entropy-coded data built bit by bit; a whole byte FF is stuffed as FF 00.
class BitWriter {
public:
    void put(unsigned value, int bits);
    // Bytes written as they are (a marker, say); the bits so far must fill whole bytes.
    void raw(const Bytes& bytes);
    // Pads the current byte with 1 bits, as an encoder does before a marker.
    void align();
    // The data, its last byte padded with 1 bits.
    Bytes finish();

private:
    Bytes bytes_;
    unsigned pending_ = 0;
    int pending_bits_ = 0;
};

// A crafted baseline file. One quantisation table (destination 0: dc_quant at position 0 and
// 1 elsewhere) and one table of each class (destination 0): the DC table codes size s as the
// 4-bit number s (s = 0-11) and the AC table has the single code 0, an EOB. So a block whose
// DC difference is d is written as put(size(d), 4), put(bits of d, size(d)), put(0, 1).
// samplings holds one H/V byte per component (ids 1, 2, 3).
JpegFile crafted_jpeg(int width, int height, const std::vector<int>& samplings, int dc_quant,
                      const Bytes& entropy);
// T.81's size category of a coefficient or DC difference: the bits its magnitude needs.
int size_category(int value);
// Writes the value's size_category(value) bits, a negative value as value - 1.
void put_amplitude(BitWriter* writer, int value);
// Appends a block whose DC difference is diff to the writer (see crafted_jpeg).
void put_dc_block(BitWriter* writer, int diff);
// A DRI segment of the given restart interval, inserted just before SOS.
void add_restart_interval(JpegFile* file, int interval);
