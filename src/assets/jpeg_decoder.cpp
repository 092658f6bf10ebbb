// Texture::load_jpeg and the scan: the MCU loop, the transform of each decoded block, the
// sample store and pixel replication into the RGBA buffer.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <new>

#include "assets/jpeg_decoder.h"
#include "assets/texture.h"

namespace {

// Shared scratch of the decoder (it is not re-entrant): the block being decoded, dequantised
// and prescaled in natural row-major order, and each component's replication factors.
float sample_block[64];
std::int32_t upsample_x[3];
std::int32_t upsample_y[3];

// The store rule: truncate toward zero, shift right arithmetically by 3, add 128, clamp.
// The float is first held within +-4096, which gives the same byte and keeps the conversion
// from overflowing; written without branches so that a block's 64 samples go in vectors.
unsigned char store_sample(float s) {
    const float held = std::max(-4096.0f, std::min(4096.0f, s));
    const int v = (static_cast<int>(held) >> 3) + 128;
    return static_cast<unsigned char>(std::max(0, std::min(255, v)));
}

// Writes 8 x 8 samples into byte ci of the pixels they cover: the top-left sample lands at
// (left, top) and each covers sx x sy pixels. Pixels outside the image are not written.
void store_block(JpegDecoder* d, int ci, int left, int top, int sx, int sy,
                 const unsigned char* samples) {
    const int columns = std::min(8 * sx, d->width - left);
    if (columns <= 0 || top >= d->height) return;  // a block of a partial MCU, wholly outside
    const std::size_t stride = static_cast<std::size_t>(d->width) * 4;
    unsigned char* row = d->output + static_cast<std::size_t>(top) * stride +
                         static_cast<std::size_t>(left) * 4 + ci;
    int y = top;
    for (int i = 0; i < 8; ++i) {
        const unsigned char* from = samples + 8 * i;
        for (int dy = 0; dy < sy; ++dy, ++y, row += stride) {
            if (y >= d->height) return;
            if (sx == 1 && columns == 8) {
                for (int j = 0; j < 8; ++j) row[4 * j] = from[j];
            } else if (sx == 2 && columns == 16) {
                for (int j = 0; j < 8; ++j) row[8 * j] = row[8 * j + 4] = from[j];
            } else {
                for (int px = 0; px < columns; ++px) row[4 * px] = from[px / sx];
            }
        }
    }
}

void decode_block(JpegDecoder* d, int ci, int left, int top) {
    unsigned char samples[64];
    if (d->exhausted) {
        // The data (of this restart interval) ran out in an earlier block: this one is left
        // flat at mid-grey.
        std::memset(samples, 128, sizeof samples);
    } else {
        const std::uint64_t nonzero = jpeg_decode_block(d, ci, sample_block);
        // Once a bit from past the end of the data (or of the interval) has been used, the
        // data is spent.
        if (d->bit_count < d->padding_bits) d->exhausted = 1;
        if (nonzero == 1) {
            // Only the DC coefficient: the transform passes it through to all 64 samples.
            std::memset(samples, store_sample(sample_block[0]), sizeof samples);
        } else {
            jpeg_idct_float(sample_block, nonzero);
            for (int i = 0; i < 64; ++i) samples[i] = store_sample(sample_block[i]);
        }
    }
    store_block(d, ci, left, top, upsample_x[ci], upsample_y[ci], samples);
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
    // MCUs left in the current restart interval; a restart comes between intervals, not after
    // the last MCU.
    int until_restart = d->restart_interval;
    for (int y0 = 0; y0 < d->height; y0 += mcu_height) {
        for (int x0 = 0; x0 < d->width; x0 += mcu_width) {
            if (d->restart_interval > 0) {
                if (until_restart == 0) {
                    jpeg_restart(d);
                    until_restart = d->restart_interval;
                }
                --until_restart;
            }
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
        const int rows = std::min(mcu_height, d->height - y0);
        if (d->component_count == 1) jpeg_grey_to_rgba(d, y0, rows);
        if (d->component_count == 3) jpeg_ycc_to_rgba(d, y0, rows);
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
    d->stream.reset();
    if (d->component_count != 3) {
        std::fputs("Texture::load_jpeg(): is incorrect works with not RGB JPEG images :)\n",
                   stderr);
    }
    return d->output;
}
