// The baseline JPEG decoder's state and its stages: marker parsing, the entropy-coded scan,
// the inverse DCT and the colour conversion. Portable (no windows.h); Texture::load_jpeg
// (assets/texture.h) is its entry point.
#pragma once

#include <cstdint>
#include <memory>

#include "assets/memory_stream.h"

// The largest width or height accepted: the RGBA buffer then stays within 1 GiB and every
// size computed from it fits a 32-bit signed integer.
constexpr int kJpegMaxDimension = 16384;

struct JpegComponent {
    std::int32_t id;
    std::int32_t h_samp;
    std::int32_t v_samp;
    std::int32_t quant_table;
    std::int32_t dc_table;
    std::int32_t ac_table;
};

struct HuffmanTable {
    unsigned char counts[16];
    unsigned char values[256];
    unsigned char lengths[256];
    std::uint16_t codes[256];
    // Derived when the table is read, for decoding without a symbol-by-symbol search.
    std::int32_t defined;
    std::int32_t symbol_count;
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
    std::int32_t bit_position;
    unsigned char current_byte;
    // Beyond the model: which quantisation tables a DQT defined, and whether the scan has
    // needed a bit past the end of the data (every later block is then mid-grey).
    std::int32_t quant_defined[4];
    std::int32_t exhausted;
};

// Reads segments up to the first scan header. 1 when the stream stands at the scan's first
// entropy-coded byte; 0 for anything it cannot decode safely (M3 and M4 are written here).
int jpeg_read_markers(JpegDecoder* decoder);
// Derives lengths and codes (T.81 Annex C) from counts and values; 0 when the counts hold
// more than 256 symbols or over-fill the code space.
int jpeg_build_huffman_table(HuffmanTable* table);

// Entropy-coded data: the next bit, n bits most significant first, and one Huffman symbol
// (the 16-bit accumulator itself when no code of 16 bits or fewer matches).
int jpeg_get_bit(JpegDecoder* decoder);
int jpeg_get_bits(JpegDecoder* decoder, int count);
int jpeg_huff_decode(JpegDecoder* decoder, const HuffmanTable* table);

// Decodes every MCU of the scan into output: component ci in byte ci of each RGBA pixel.
void jpeg_decode_scan(JpegDecoder* decoder);
// The separable float AAN inverse DCT, in place on a dequantised, prescaled 8 x 8 block.
void jpeg_idct_float(float* block);
void jpeg_ycc_to_rgba(JpegDecoder* decoder);
void jpeg_grey_to_rgba(JpegDecoder* decoder);
