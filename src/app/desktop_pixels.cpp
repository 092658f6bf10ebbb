// The captured desktop's pixel layouts and their conversion into the desktop texture.
#include "app/desktop_pixels.h"

namespace {

const std::uint64_t kMaxCaptureBytes = 0x7fffffff;  // GetBitmapBits takes a LONG count

// Bitmap bits pad every row to an even number of bytes, which only a 3-byte row of odd width
// needs.
std::uint64_t RowBytes(std::uint64_t width, std::uint64_t bytesPerPixel) {
    const std::uint64_t bytes = width * bytesPerPixel;
    return bytes + (bytes & 1);
}

void ConvertRow(const unsigned char* src, int width, int bytesPerPixel, bool words555,
                unsigned char* dst) {
    // Words are only shifted, not scaled: full intensity is 248 (252 for 6-bit green).
    const unsigned redShift = words555 ? 10 : 11;
    const unsigned greenMask = words555 ? 31 : 63;
    const unsigned greenScale = words555 ? 3 : 2;
    for (int x = 0; x < width; ++x, dst += 4) {
        if (bytesPerPixel == 2) {
            const unsigned v = src[0] | (src[1] << 8);
            dst[0] = static_cast<unsigned char>(((v >> redShift) & 31) << 3);
            dst[1] = static_cast<unsigned char>(((v >> 5) & greenMask) << greenScale);
            dst[2] = static_cast<unsigned char>((v & 31) << 3);
        } else {
            dst[0] = src[2];
            dst[1] = src[1];
            dst[2] = src[0];
        }
        dst[3] = 255;
        src += bytesPerPixel;
    }
}

}  // namespace

std::uint32_t RoundTextureSize(std::uint32_t size) {
    for (std::uint32_t side = 512; side <= 4096; side *= 2)
        if (size <= side) return side;
    return size;
}

bool DesktopCaptureBytes(int width, int height, int bytesPerPixel, std::size_t* bytes) {
    if (bytesPerPixel < 2 || bytesPerPixel > 4 || width < 1 || height < 1) return false;
    // Both sides are below 2^31, so neither product overflows 64 bits.
    const std::uint64_t total = RowBytes(static_cast<std::uint64_t>(width),
                                         static_cast<std::uint64_t>(bytesPerPixel)) *
                                static_cast<std::uint64_t>(height);
    if (total > kMaxCaptureBytes) return false;
    *bytes = static_cast<std::size_t>(total);
    return true;
}

bool ConvertDesktopPixels(const DesktopImage& capture, unsigned char* texture,
                          std::uint32_t textureWidth, std::uint32_t textureHeight) {
    std::size_t needed = 0;
    if (capture.pixels == nullptr || texture == nullptr ||
        !DesktopCaptureBytes(capture.width, capture.height, capture.bytesPerPixel, &needed) ||
        needed > capture.size)
        return false;
    const std::uint32_t width = static_cast<std::uint32_t>(capture.width);
    const std::uint32_t height = static_cast<std::uint32_t>(capture.height);
    if (width > textureWidth || height > textureHeight) return false;
    // Sides whose buffer could not exist must not wrap the row offsets (height is at least 1).
    if (textureWidth > SIZE_MAX / 4 / textureHeight) return false;

    // The whole capture fits in capture.size, so its row does too.
    const std::size_t srcStride =
        static_cast<std::size_t>(RowBytes(width, static_cast<std::uint64_t>(capture.bytesPerPixel)));
    const std::size_t dstStride = static_cast<std::size_t>(textureWidth) * 4;
    // Texture row i (from the bottom) is screen row height - 1 - i (from the top).
    for (std::uint32_t i = 0; i < height; ++i) {
        const unsigned char* src = capture.pixels + (height - 1 - i) * srcStride;
        ConvertRow(src, capture.width, capture.bytesPerPixel, capture.words555,
                   texture + i * dstStride);
    }
    return true;
}
