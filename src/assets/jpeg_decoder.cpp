// Texture::load_jpeg and the scan: the MCU loop, block decoding, dequantisation with the AAN
// prescale, the sample store and pixel replication into the RGBA buffer.
#include <cstdio>
#include <cstring>
#include <new>

#include "assets/jpeg_decoder.h"
#include "assets/texture.h"

namespace {

// Shared scratch of the decoder (it is not re-entrant).
float coef_block[64];    // by zig-zag position
float sample_block[64];  // natural row-major order
std::int32_t upsample_x[3];
std::int32_t upsample_y[3];

// The zig-zag position of each natural position (T.81 Figure A.6).
const unsigned char kZigzagOfNatural[64] = {
    0,  1,  5,  6,  14, 15, 27, 28, 2,  4,  7,  13, 16, 26, 29, 42,
    3,  8,  12, 17, 25, 30, 41, 43, 9,  11, 18, 24, 31, 40, 44, 53,
    10, 19, 23, 32, 39, 45, 52, 54, 20, 22, 33, 38, 46, 51, 55, 60,
    21, 34, 37, 47, 50, 56, 59, 61, 35, 36, 48, 49, 57, 58, 62, 63,
};

// cos(k pi / 16) x sqrt(2), with 1 for k = 0 and 4.
const float kAanScale[8] = {1.0f,       1.3870399f, 1.306563f,  1.1758755f,
                            1.0f,       0.78569496f, 0.5411961f, 0.27589938f};

// T.81 EXTEND: a value of `bits` bits whose top bit is clear stands for a negative number.
int extend(int value, int bits) {
    if (bits == 0) return 0;
    if (value < (1 << (bits - 1))) return value - ((1 << bits) - 1);
    return value;
}

void decode_coefficients(JpegDecoder* d, int ci) {
    const JpegComponent& c = d->components[ci];
    const int dc_size = jpeg_huff_decode(d, &d->dc_tables[c.dc_table]) & 15;
    const int diff = extend(jpeg_get_bits(d, dc_size), dc_size);
    // Corrupt data may push the predictor past 32 bits: it wraps instead of overflowing.
    d->dc_predictors[ci] = static_cast<std::int32_t>(
        static_cast<std::uint32_t>(d->dc_predictors[ci]) + static_cast<std::uint32_t>(diff));
    coef_block[0] = static_cast<float>(d->dc_predictors[ci]);

    const HuffmanTable* ac = &d->ac_tables[c.ac_table];
    for (int k = 1; k < 64;) {
        const int rs = jpeg_huff_decode(d, ac) & 0xFF;
        if (rs == 0) {
            for (; k < 64; ++k) coef_block[k] = 0.0f;
            break;
        }
        const int run = rs >> 4;
        const int size = rs & 15;
        for (int i = 0; i < run && k < 64; ++i) coef_block[k++] = 0.0f;
        const int value = extend(jpeg_get_bits(d, size), size);
        if (k < 64) coef_block[k] = static_cast<float>(value);
        ++k;  // a run past position 63 ends the block; its coefficient is dropped
    }
}

void dequantise(const std::int32_t* quant) {
    for (int r = 0; r < 8; ++r) {
        for (int j = 0; j < 8; ++j) {
            const int z = kZigzagOfNatural[8 * r + j];
            sample_block[8 * r + j] =
                static_cast<float>(quant[z]) * coef_block[z] * kAanScale[j] * kAanScale[r];
        }
    }
}

// The store rule: truncate toward zero, shift right arithmetically by 3, add 128, clamp.
// Values far outside the range are decided before the conversion so that it cannot overflow.
unsigned char store_sample(float s) {
    if (!(s < 4096.0f)) return 255;
    if (s <= -4096.0f) return 0;
    const int v = (static_cast<int>(s) >> 3) + 128;
    if (v > 255) return 255;
    if (v <= 0) return 0;
    return static_cast<unsigned char>(v);
}

// Writes sample_block into byte ci of the pixels it covers: the block's top-left sample lands
// at (left, top); each sample covers sx x sy pixels. Pixels outside the image are skipped.
void store_block(JpegDecoder* d, int ci, int left, int top, int sx, int sy) {
    for (int i = 0; i < 8; ++i) {
        for (int dy = 0; dy < sy; ++dy) {
            const int y = top + sy * i + dy;
            if (y >= d->height) return;
            unsigned char* row = d->output + static_cast<std::size_t>(y) * d->width * 4 + ci;
            for (int j = 0; j < 8; ++j) {
                const unsigned char v = store_sample(sample_block[8 * i + j]);
                for (int dx = 0; dx < sx; ++dx) {
                    const int x = left + sx * j + dx;
                    if (x < d->width) row[static_cast<std::size_t>(x) * 4] = v;
                }
            }
        }
    }
}

void decode_block(JpegDecoder* d, int ci, int left, int top) {
    if (d->exhausted) {
        // The data ran out in an earlier block: this one is left flat at mid-grey.
        std::memset(sample_block, 0, sizeof sample_block);
    } else {
        decode_coefficients(d, ci);
        dequantise(d->quant_tables[d->components[ci].quant_table]);
        jpeg_idct_float(sample_block);
    }
    store_block(d, ci, left, top, upsample_x[ci], upsample_y[ci]);
}

void write_open_error(const char* name) {
    std::fprintf(stderr, "Texture::load_jpeg(): error open \"%s\" file\n", name ? name : "");
}

}  // namespace

void jpeg_decode_scan(JpegDecoder* d) {
    const JpegComponent& first = d->components[0];
    upsample_x[0] = 1;
    upsample_y[0] = 1;
    // The first component has the largest factors (checked with the frame header); every other
    // component is replicated by the ratio.
    for (int i = 1; i < d->component_count; ++i) {
        upsample_x[i] = first.h_samp / d->components[i].h_samp;
        upsample_y[i] = first.v_samp / d->components[i].v_samp;
    }
    const int mcu_width = 8 * first.h_samp;
    const int mcu_height = 8 * first.v_samp;
    for (int y0 = 0; y0 < d->height; y0 += mcu_height) {
        for (int x0 = 0; x0 < d->width; x0 += mcu_width) {
            for (int ci = 0; ci < d->component_count; ++ci) {
                const JpegComponent& c = d->components[ci];
                const int sx = upsample_x[ci];
                const int sy = upsample_y[ci];
                for (int by = 0; by < 8 * c.v_samp; by += 8) {
                    for (int bx = 0; bx < 8 * c.h_samp; bx += 8) {
                        decode_block(d, ci, x0 + sx * bx, y0 + sy * by);
                    }
                }
            }
        }
    }
}

unsigned char* Texture::load_jpeg(const char* name, int* width, int* height,
                                  const unsigned char* data, int size) {
    std::unique_ptr<JpegDecoder> d(new (std::nothrow) JpegDecoder());
    if (d && data != nullptr && size >= 0) {
        d->stream.reset(new (std::nothrow) MemoryStream(data, size));
    }
    if (!d || !d->stream || !jpeg_read_markers(d.get())) {
        write_open_error(name);
        return nullptr;
    }
    d->output = new (std::nothrow) unsigned char[static_cast<std::size_t>(d->pixel_count) * 4];
    if (d->output == nullptr) {
        write_open_error(name);
        return nullptr;
    }
    // With two components, bytes 2 and 3 of each pixel are written by nobody.
    if (d->component_count == 2) {
        std::memset(d->output, 0, static_cast<std::size_t>(d->pixel_count) * 4);
    }
    *width = d->width;
    *height = d->height;
    jpeg_decode_scan(d.get());
    if (d->component_count == 1) jpeg_grey_to_rgba(d.get());
    if (d->component_count == 3) jpeg_ycc_to_rgba(d.get());
    d->stream.reset();
    if (d->component_count != 3) {
        std::fputs("Texture::load_jpeg(): is incorrect works with not RGB JPEG images :)\n", stderr);
    }
    return d->output;
}
