// From decoded samples to R, G, B, A pixels: the JFIF YCbCr conversion through tables built
// once for the life of the program, and grey replication.
#include "assets/jpeg_decoder.h"

namespace {

std::int32_t cb_to_b[256];
std::int32_t cr_to_r[256];
std::int32_t cbcr_to_g[65536];
// The limit rule (v > 255 gives 255, v <= 0 gives 0) for v from -512 to 511, by v + 512;
// Y plus a table value always lies in that range.
unsigned char limit_table[1024];
bool tables_built = false;

void build_tables() {
    for (int i = 0; i < 256; ++i) {
        const float c = static_cast<float>(i - 128);
        cb_to_b[i] = static_cast<std::int32_t>(c * 1.772f);
        cr_to_r[i] = static_cast<std::int32_t>(c * 1.402f);
    }
    for (int cb = 0; cb < 256; ++cb) {
        for (int cr = 0; cr < 256; ++cr) {
            const float g = static_cast<float>(cb - 128) * 0.34414f +
                            static_cast<float>(cr - 128) * 0.71414f;
            cbcr_to_g[cb * 256 + cr] = static_cast<std::int32_t>(g);
        }
    }
    for (int v = -512; v < 512; ++v) {
        limit_table[v + 512] = static_cast<unsigned char>(v > 255 ? 255 : (v <= 0 ? 0 : v));
    }
    tables_built = true;
}

}  // namespace

void jpeg_ycc_to_rgba(JpegDecoder* d, int first_row, int row_count) {
    if (!tables_built) build_tables();
    unsigned char* p = d->output + static_cast<std::size_t>(first_row) * d->width * 4;
    const std::size_t pixels = static_cast<std::size_t>(row_count) * d->width;
    for (std::size_t i = 0; i < pixels; ++i, p += 4) {
        const std::int32_t y = p[0];
        const int cb = p[1];
        const int cr = p[2];
        p[0] = limit_table[y + cr_to_r[cr] + 512];
        p[1] = limit_table[y - cbcr_to_g[cb * 256 + cr] + 512];
        p[2] = limit_table[y + cb_to_b[cb] + 512];
        p[3] = 255;
    }
}

void jpeg_grey_to_rgba(JpegDecoder* d, int first_row, int row_count) {
    unsigned char* p = d->output + static_cast<std::size_t>(first_row) * d->width * 4;
    const std::size_t pixels = static_cast<std::size_t>(row_count) * d->width;
    for (std::size_t i = 0; i < pixels; ++i, p += 4) {
        p[1] = p[0];
        p[2] = p[0];
        p[3] = 255;
    }
}
