// From decoded samples to R, G, B, A pixels: the JFIF YCbCr conversion through tables built
// once for the life of the program, and grey replication.
#include "assets/jpeg_decoder.h"

namespace {

std::int32_t cb_to_b[256];
std::int32_t cr_to_r[256];
std::int32_t cbcr_to_g[65536];
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
    tables_built = true;
}

unsigned char clamp_sample(std::int32_t v) {
    if (v > 255) return 255;
    if (v <= 0) return 0;
    return static_cast<unsigned char>(v);
}

}  // namespace

void jpeg_ycc_to_rgba(JpegDecoder* d) {
    if (!tables_built) build_tables();
    unsigned char* p = d->output;
    for (std::int32_t i = 0; i < d->pixel_count; ++i, p += 4) {
        const std::int32_t y = p[0];
        const int cb = p[1];
        const int cr = p[2];
        p[0] = clamp_sample(y + cr_to_r[cr]);
        p[1] = clamp_sample(y - cbcr_to_g[cb * 256 + cr]);
        p[2] = clamp_sample(y + cb_to_b[cb]);
        p[3] = 255;
    }
}

void jpeg_grey_to_rgba(JpegDecoder* d) {
    unsigned char* p = d->output;
    for (std::int32_t i = 0; i < d->pixel_count; ++i, p += 4) {
        p[1] = p[0];
        p[2] = p[0];
        p[3] = 255;
    }
}
