// The banner's raw picture expanded into 4-byte pixels (see banner_pixels.h).
#include "assets/banner_pixels.h"

bool ExpandBannerPixels(const unsigned char* source, std::size_t sourceBytes, unsigned char* rgba) {
    if (source == nullptr || rgba == nullptr || sourceBytes < kBannerSourceBytes) return false;
    for (std::size_t pixel = 0; pixel < kBannerSourceBytes / 3; ++pixel) {
        rgba[4 * pixel] = source[3 * pixel];
        rgba[4 * pixel + 1] = source[3 * pixel + 1];
        rgba[4 * pixel + 2] = source[3 * pixel + 2];
        rgba[4 * pixel + 3] = 255;
    }
    return true;
}
