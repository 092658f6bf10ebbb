// Writes BITMAPINFOHEADERs and 8-bit palettised .bmp files.
#include "bmp_file.h"

namespace assetgen {

namespace {

constexpr int kFileHeaderBytes = 14;
constexpr int kInfoHeaderBytes = 40;
constexpr int kPixelsPerMetre = 2835;  // 72 dpi

}  // namespace

int DibRowBytes(int width, int bits_per_pixel) { return (width * bits_per_pixel + 31) / 32 * 4; }

void PutInfoHeader(Bytes* out, DibUse use, int width, int height, int bits_per_pixel,
                   int image_bytes, int palette_entries) {
    const std::uint32_t resolution = use == DibUse::File ? kPixelsPerMetre : 0;
    PutLe32(out, kInfoHeaderBytes);
    PutLe32(out, static_cast<std::uint32_t>(width));
    PutLe32(out, static_cast<std::uint32_t>(height));  // positive: rows stored bottom-up
    PutLe16(out, 1);
    PutLe16(out, static_cast<std::uint32_t>(bits_per_pixel));
    PutLe32(out, 0);  // BI_RGB
    PutLe32(out, static_cast<std::uint32_t>(image_bytes));
    PutLe32(out, resolution);
    PutLe32(out, resolution);
    PutLe32(out, static_cast<std::uint32_t>(palette_entries));
    PutLe32(out, 0);  // every palette entry is important
}

Bytes EncodeGreyBmp(const GreyPicture& picture) {
    const int row_bytes = DibRowBytes(picture.width, 8);
    const int image_bytes = row_bytes * picture.height;
    const int palette_bytes = 256 * 4;
    const int offset = kFileHeaderBytes + kInfoHeaderBytes + palette_bytes;

    Bytes out;
    out.push_back('B');
    out.push_back('M');
    PutLe32(&out, static_cast<std::uint32_t>(offset + image_bytes));
    PutLe32(&out, 0);
    PutLe32(&out, static_cast<std::uint32_t>(offset));
    PutInfoHeader(&out, DibUse::File, picture.width, picture.height, 8, image_bytes, 256);
    for (int level = 0; level < 256; ++level) {
        for (int channel = 0; channel < 3; ++channel)  // B, G, R
            out.push_back(static_cast<unsigned char>(level));
        out.push_back(0);
    }
    for (int y = picture.height - 1; y >= 0; --y) {
        for (int x = 0; x < picture.width; ++x) out.push_back(picture.at(x, y));
        for (int pad = picture.width; pad < row_bytes; ++pad) out.push_back(0);
    }
    return out;
}

}  // namespace assetgen
