// The entropy-coded data: the bit stream with its restart intervals, Huffman symbols and the
// coefficients of a block (dequantised and prescaled as they are decoded). Bytes come in
// whole, FF 00 unstuffed, up to the next marker. Without restart intervals a marker is acted on
// (RSTn resets the DC predictors) exactly when the first bit after it is needed, so the result
// is that of reading bit by bit; with them, markers wait for the end of the interval. Past the
// end of the data the stream reads as zero bytes.
#include "assets/jpeg_decoder.h"

namespace {

// One byte of the data, or 0 past its end.
int next_raw_byte(MemoryStream* s, int* past_end) {
    const int c = s->getc();
    if (c >= 0) return c;
    *past_end = 1;
    return 0;
}

void take_in(JpegDecoder* d, int byte, int past_end) {
    d->bit_buffer |= static_cast<std::uint64_t>(byte) << (56 - d->bit_count);
    d->bit_count += 8;
    if (past_end) d->padding_bits += 8;
}

// Takes in whole bytes until at least 57 bits are held or a marker is next.
void refill(JpegDecoder* d) {
    MemoryStream* s = d->stream.get();
    while (d->bit_count <= 56 && !d->marker_next) {
        if (s->position >= s->size) {
            take_in(d, 0, 1);
            continue;
        }
        const int byte = *s->cursor;
        if (byte != 0xFF) {
            s->cursor += 1;
            s->position += 1;
            take_in(d, byte, 0);
        } else if (s->position + 1 < s->size && s->cursor[1] == 0x00) {
            s->cursor += 2;
            s->position += 2;
            take_in(d, 0xFF, 0);
        } else {
            d->marker_next = 1;
        }
    }
}

// The byte after a marker, now that its first bit is needed: any run of FF fill bytes, then
// the marker code is passed over (RSTn sets every DC predictor to 0) and the byte after the
// code is the data byte. An FF followed by 00 here is a stuffed FF (it lies at the end).
// Inside a restart interval the marker is the end of the interval's data: the interval goes
// on with zero bits, as past the end of the data, and the marker is left for jpeg_restart.
void take_in_after_marker(JpegDecoder* d) {
    if (d->restart_interval > 0) {
        take_in(d, 0, 1);
        return;
    }
    MemoryStream* s = d->stream.get();
    int past_end = 0;
    int byte = next_raw_byte(s, &past_end);
    if (byte == 0xFF) {
        int code = next_raw_byte(s, &past_end);
        while (code == 0xFF) code = next_raw_byte(s, &past_end);
        if (code != 0) {
            if (code >= 0xD0 && code <= 0xD7) {
                for (std::int32_t& predictor : d->dc_predictors) predictor = 0;
            }
            byte = next_raw_byte(s, &past_end);
        }
    }
    d->marker_next = 0;
    take_in(d, byte, past_end);
}

// The code of the next marker from the cursor on, with the cursor left at its FF; the bytes
// before it are passed over, FF 00 and FF fill bytes among them. -1, with the cursor at the
// end, when the data ends first.
int find_marker(MemoryStream* s) {
    while (s->position + 1 < s->size) {
        const int code = s->cursor[1];
        if (s->cursor[0] == 0xFF && code != 0x00 && code != 0xFF) return code;
        s->cursor += 1;
        s->position += 1;
    }
    s->cursor = s->base + s->size;
    s->position = s->size;
    return -1;
}

void pass_marker(MemoryStream* s) {
    s->cursor += 2;
    s->position += 2;
}

// At least `count` (at most 57) bits in the buffer; a marker is crossed only when needed.
void need_bits(JpegDecoder* d, int count) {
    refill(d);
    while (d->bit_count < count) {
        take_in_after_marker(d);
        refill(d);
    }
}

int take_bits(JpegDecoder* d, int count) {
    const int value = static_cast<int>(d->bit_buffer >> (64 - count));
    d->bit_buffer <<= count;
    d->bit_count -= count;
    return value;
}

// The plain search over the table's codes in code order, one bit at a time: after each bit,
// the codes of that length are compared in turn. Only over-full tables need it, since their
// codes are not canonical.
int huff_search(JpegDecoder* d, const HuffmanTable* table) {
    int code = 0;
    int k = 0;
    for (int length = 1; length <= 16; ++length) {
        code = (code << 1) | jpeg_get_bit(d);
        for (; k < table->symbol_count && table->lengths[k] <= length; ++k) {
            if (table->codes[k] == code) return table->values[k];
        }
    }
    return code;
}

// The canonical decode one bit at a time, for when a marker lies within the next 16 bits.
int huff_decode_bitwise(JpegDecoder* d, const HuffmanTable* table) {
    if (table->over_full) return huff_search(d, table);
    int code = 0;
    for (int length = 1; length <= 16; ++length) {
        code = (code << 1) | jpeg_get_bit(d);
        if (code <= table->max_code[length]) {
            return table->values[code + table->value_offset[length]];
        }
    }
    return code;
}

// The natural position of each zig-zag position (T.81 Figure A.6).
const unsigned char kNaturalOfZigzag[64] = {
    0,  1,  8,  16, 9,  2,  3,  10, 17, 24, 32, 25, 18, 11, 4,  5,
    12, 19, 26, 33, 40, 48, 41, 34, 27, 20, 13, 6,  7,  14, 21, 28,
    35, 42, 49, 56, 57, 50, 43, 36, 29, 22, 15, 23, 30, 37, 44, 51,
    58, 59, 52, 45, 38, 31, 39, 46, 53, 60, 61, 54, 47, 55, 62, 63,
};

// cos(k pi / 16) x sqrt(2), with 1 for k = 0 and 4.
const float kAanScale[8] = {1.0f, 1.3870399f,  1.306563f,  1.1758755f,
                            1.0f, 0.78569496f, 0.5411961f, 0.27589938f};

// jpeg_get_bits and jpeg_huff_decode, here so that the block decoder below has them inline.
int read_bits(JpegDecoder* d, int count) {
    if (count == 0) return 0;
    if (d->bit_count < count) need_bits(d, count);
    return take_bits(d, count);
}

int decode_symbol(JpegDecoder* d, const HuffmanTable* table) {
    if (d->bit_count < 16) {
        refill(d);
        if (d->bit_count < 16) return huff_decode_bitwise(d, table);
    }
    const int peek = static_cast<int>(d->bit_buffer >> 48);
    const int entry = table->lookup[peek >> (16 - kJpegLookupBits)];
    if (entry != 0) {
        take_bits(d, entry >> 8);
        return entry & 0xFF;
    }
    for (int length = kJpegLookupBits + 1; length <= 16; ++length) {
        const int code = peek >> (16 - length);
        if (code <= table->max_code[length]) {
            take_bits(d, length);
            return table->values[code + table->value_offset[length]];
        }
    }
    // No bits are taken yet: an over-full table, whose look-ups never match, is searched.
    if (table->over_full) return huff_search(d, table);
    take_bits(d, 16);
    return peek;
}

// T.81 EXTEND: a value of `bits` bits whose top bit is clear stands for a negative number.
int extend(int value, int bits) {
    if (bits == 0) return 0;
    if (value < (1 << (bits - 1))) return value - ((1 << bits) - 1);
    return value;
}

}  // namespace

int jpeg_build_huffman_table(HuffmanTable* table) {
    int k = 0;
    // At most 256 increments and 16 doublings: well within 32 bits. Codes are kept in 16.
    std::uint32_t code = 0;
    table->over_full = 0;
    for (int length = 1; length <= 16; ++length) {
        const int first = k;
        for (int i = 0; i < table->counts[length - 1]; ++i) {
            if (k >= 256) return 0;
            table->lengths[k] = static_cast<unsigned char>(length);
            table->codes[k] = static_cast<std::uint16_t>(code);
            ++code;
            ++k;
        }
        // More codes of this length than bit patterns: the later codes match nothing.
        if (code > (1u << length)) table->over_full = 1;
        table->max_code[length] = k > first ? static_cast<std::int32_t>(code - 1) : -1;
        table->value_offset[length] = first - static_cast<std::int32_t>(code - (k - first));
        code <<= 1;
    }
    table->symbol_count = k;
    for (std::uint16_t& entry : table->lookup) entry = 0;
    table->defined = 1;
    if (table->over_full) {
        for (std::int32_t& largest : table->max_code) largest = -1;
        return 1;
    }
    for (int i = 0; i < k; ++i) {
        const int length = table->lengths[i];
        if (length > kJpegLookupBits) break;
        const int shift = kJpegLookupBits - length;
        const int first = table->codes[i] << shift;
        for (int fill = 0; fill < (1 << shift); ++fill) {
            table->lookup[first + fill] =
                static_cast<std::uint16_t>((length << 8) | table->values[i]);
        }
    }
    return 1;
}

int jpeg_get_bit(JpegDecoder* d) {
    if (d->bit_count < 1) need_bits(d, 1);
    return take_bits(d, 1);
}

int jpeg_get_bits(JpegDecoder* d, int count) { return read_bits(d, count); }

void jpeg_restart(JpegDecoder* d) {
    MemoryStream* s = d->stream.get();
    d->bit_buffer = 0;
    d->bit_count = 0;
    d->padding_bits = 0;
    d->marker_next = 0;
    for (std::int32_t& predictor : d->dc_predictors) predictor = 0;
    const int due = d->restart_next;
    d->restart_next = (due + 1) & 7;
    d->exhausted = 1;
    for (;;) {
        const int code = find_marker(s);
        if (code < 0) return;
        if (code < 0xC0) {
            // No marker of T.81 has such a code: bytes of damaged data.
            pass_marker(s);
            continue;
        }
        if (code < 0xD0 || code > 0xD7) return;
        const int ahead = (code - 0xD0 - due) & 7;
        if (ahead == 1 || ahead == 2) return;
        pass_marker(s);
        if (ahead == 6 || ahead == 7) continue;
        d->exhausted = 0;
        return;
    }
}

int jpeg_huff_decode(JpegDecoder* d, const HuffmanTable* table) {
    return decode_symbol(d, table);
}

std::uint64_t jpeg_decode_block(JpegDecoder* d, int ci, float* block) {
    const JpegComponent& c = d->components[ci];
    const std::int32_t* quant = d->quant_tables[c.quant_table];
    for (int i = 0; i < 64; ++i) block[i] = 0.0f;

    const int dc_size = decode_symbol(d, &d->dc_tables[c.dc_table]) & 15;
    const int diff = extend(read_bits(d, dc_size), dc_size);
    // Corrupt data may push the predictor past 32 bits: it wraps instead of overflowing.
    d->dc_predictors[ci] = static_cast<std::int32_t>(
        static_cast<std::uint32_t>(d->dc_predictors[ci]) + static_cast<std::uint32_t>(diff));
    block[0] = static_cast<float>(quant[0]) * static_cast<float>(d->dc_predictors[ci]);
    std::uint64_t nonzero = 1;

    const HuffmanTable* ac = &d->ac_tables[c.ac_table];
    for (int k = 1; k < 64; ++k) {
        const int rs = decode_symbol(d, ac) & 0xFF;
        if (rs == 0) break;  // EOB
        k += rs >> 4;        // the run of zeros
        const int size = rs & 15;
        const int value = extend(read_bits(d, size), size);
        // A run past position 63 ends the block; its coefficient is dropped.
        if (k < 64 && value != 0) {
            const int n = kNaturalOfZigzag[k];
            block[n] = static_cast<float>(quant[k]) * static_cast<float>(value) *
                       kAanScale[n & 7] * kAanScale[n >> 3];
            nonzero |= std::uint64_t{1} << n;
        }
    }
    return nonzero;
}
