// The baseline JPEG decoder's state and its stages: marker parsing, the entropy-coded scan,
// the inverse DCT and the colour conversion. Portable (no windows.h); Texture::load_jpeg
// (assets/texture.h) is its entry point.
#pragma once

#include <cstdint>
#include <memory>

#include "assets/memory_stream.h"

// The most pixels a frame may have: the RGBA buffer's byte count then fits a 32-bit signed
// size, as the texture manager and OpenGL take it.
constexpr std::int32_t kJpegMaxPixels = 0x7FFFFFFF / 4;

struct JpegComponent {
    std::int32_t id;
    std::int32_t h_samp;
    std::int32_t v_samp;
    std::int32_t quant_table;
    std::int32_t dc_table;
    std::int32_t ac_table;
};

// Codes of up to this many bits are decoded by one look-up.
constexpr int kJpegLookupBits = 9;

struct HuffmanTable {
    unsigned char counts[16];
    unsigned char values[256];
    unsigned char lengths[256];
    std::uint16_t codes[256];
    // Derived when the table is read, for decoding without a symbol-by-symbol search.
    std::int32_t defined;
    std::int32_t symbol_count;
    // 1 when the counts over-fill the code space: the codes are then made as for any table
    // (some longer than their length allows) and every symbol is found by the plain search
    // over lengths and codes in order, not through lookup and max_code (left empty).
    std::int32_t over_full;
    // By the next kJpegLookupBits bits: (code length << 8) | symbol, or 0 when no code that
    // short matches them.
    std::uint16_t lookup[1 << kJpegLookupBits];
    // By code length 1-16: the largest code of that length (-1: none), and what to add to a
    // code of that length to get its index in values.
    std::int32_t max_code[17];
    std::int32_t value_offset[17];
};

struct JpegDecoder {
    std::unique_ptr<MemoryStream> stream;
    std::int32_t width;
    std::int32_t height;
    std::int32_t pixel_count;
    unsigned char* output;
    std::int32_t precision;
    std::int32_t component_count;
    std::int32_t restart_interval;
    JpegComponent components[3];
    HuffmanTable ac_tables[4];
    HuffmanTable dc_tables[4];
    std::int32_t quant_tables[4][64];
    std::int32_t scan_start;
    std::int32_t scan_end;
    std::int32_t approx_high;
    std::int32_t approx_low;
    std::int32_t dc_predictors[3];
    // The entropy-coded bits not yet used, most significant first, instead of one byte and a
    // bit position: whole data bytes are taken in at a time, up to the next marker, which is
    // acted on only when the bits after it are needed (as a byte-at-a-time reader would).
    std::uint64_t bit_buffer;
    std::int32_t bit_count;
    std::int32_t marker_next;   // 1 when the next data byte comes after a marker
    std::int32_t padding_bits;  // zero bits taken in from past the end of the data
    // 1 once a block has used a bit from past the end of the data, or, with restart
    // intervals, from past the marker that ends the interval's data: every later block (of
    // the interval) is then mid-grey.
    std::int32_t exhausted;
    // With restart intervals: the number n (0-7) of the RSTn marker due next.
    std::int32_t restart_next;
};

// Reads segments up to the first scan header. 1 when the stream stands at the scan's first
// entropy-coded byte; 0 for anything it cannot decode safely (M3 and M4 are written here).
int jpeg_read_markers(JpegDecoder* decoder);
// Derives lengths and codes (T.81 Annex C) from counts and values; 0 when the counts hold
// more than 256 symbols. Counts that over-fill the code space give a table marked over_full.
int jpeg_build_huffman_table(HuffmanTable* table);

// Entropy-coded data: the next bit, n (0-16) bits most significant first, and one Huffman
// symbol (the 16-bit accumulator itself when no code of 16 bits or fewer matches). Past the
// end of the data the bits are 0; so are the bits after a marker inside a restart interval.
int jpeg_get_bit(JpegDecoder* decoder);
int jpeg_get_bits(JpegDecoder* decoder, int count);
int jpeg_huff_decode(JpegDecoder* decoder, const HuffmanTable* table);
// The end of a restart interval, as T.81 decodes it: the bits left in the current byte are
// dropped, the DC predictors set to 0, and the next marker is looked for. The RSTn marker due
// is passed over and the next interval decodes. A marker one or two numbers ahead means that
// the intervals before it were lost: it is left for them, and this interval has no data. One
// or two behind is an old marker: it is passed over and the search goes on, as it does over
// any bytes before a marker (codes below C0 included). Other RSTn numbers are taken as the one
// due. Any other marker, or the end of the data, ends the scan's data: this interval and all
// later ones are grey.
void jpeg_restart(JpegDecoder* decoder);

// Decodes the next block of component ci into block (64 floats, natural order): each
// coefficient dequantised and prescaled as (quantiser x coefficient) x a[column] x a[row],
// with a the AAN factors; the others 0. Returns the mask of natural positions that may be
// non-zero (bit 0 always set).
std::uint64_t jpeg_decode_block(JpegDecoder* decoder, int ci, float* block);
// Decodes every MCU of the scan into output: component ci in byte ci of each RGBA pixel.
// Each row of MCUs is converted to R, G, B, A as soon as it is complete, while it is still in
// the cache: by jpeg_grey_to_rgba for one component, jpeg_ycc_to_rgba for three; other
// counts are left as decoded.
void jpeg_decode_scan(JpegDecoder* decoder);
// The separable float AAN inverse DCT, in place on a dequantised, prescaled 8 x 8 block.
// nonzero has bit n set for every natural position n that may hold a non-zero value (~0 when
// unknown): a block with values in column 0 only takes a shorter way to the same result.
void jpeg_idct_float(float* block, std::uint64_t nonzero);
// Convert rows [first_row, first_row + row_count) of output in place.
void jpeg_ycc_to_rgba(JpegDecoder* decoder, int first_row, int row_count);
void jpeg_grey_to_rgba(JpegDecoder* decoder, int first_row, int row_count);
