// The entropy-coded bit stream: bytes with their stuffing and markers, bits, Huffman symbols.
// Past the end of the data the stream reads as zero bytes, and the decoder is told so.
#include "assets/jpeg_decoder.h"

namespace {

// One byte of the data, or 0 past its end (which marks the decode as exhausted).
int next_raw_byte(JpegDecoder* d, int* past_end) {
    const int c = d->stream->getc();
    if (c >= 0) return c;
    *past_end = 1;
    return 0;
}

// The next byte of entropy-coded data: FF 00 is a stuffed FF; any other marker (after any run
// of FF fill bytes) is passed over, and RSTn also resets the DC predictors.
void next_data_byte(JpegDecoder* d) {
    int past_end = 0;
    int byte = next_raw_byte(d, &past_end);
    if (byte == 0xFF) {
        int marker = next_raw_byte(d, &past_end);
        while (marker == 0xFF) marker = next_raw_byte(d, &past_end);
        if (marker != 0) {
            if (marker >= 0xD0 && marker <= 0xD7) {
                for (std::int32_t& predictor : d->dc_predictors) predictor = 0;
            }
            byte = next_raw_byte(d, &past_end);
        }
    }
    d->current_byte = static_cast<unsigned char>(byte);
    d->bit_position = 0;
    if (past_end) d->exhausted = 1;
}

}  // namespace

int jpeg_get_bit(JpegDecoder* d) {
    if (d->bit_position == 8) d->bit_position = 0;
    if (d->bit_position == 0) next_data_byte(d);
    const int bit = (d->current_byte >> (7 - d->bit_position)) & 1;
    ++d->bit_position;
    return bit;
}

int jpeg_get_bits(JpegDecoder* d, int count) {
    int value = 0;
    for (int i = 0; i < count; ++i) value = (value << 1) | jpeg_get_bit(d);
    return value;
}

int jpeg_huff_decode(JpegDecoder* d, const HuffmanTable* table) {
    int accumulator = 0;
    int k = 0;
    for (int length = 1; length <= 16; ++length) {
        accumulator = (accumulator << 1) | jpeg_get_bit(d);
        while (k < table->symbol_count && table->lengths[k] <= length) {
            if (table->codes[k] == accumulator) return table->values[k];
            ++k;
        }
    }
    return accumulator;
}
