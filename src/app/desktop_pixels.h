// The captured desktop's pixel layouts and their conversion into the desktop texture: rows
// flipped into OpenGL's bottom-up order, the picture in the texture's lower-left corner.
// Portable: plain buffers only, so it builds natively with sanitizers.
#pragma once

#include <cstddef>
#include <cstdint>

// The texture side for a screen side: the next of 512, 1024, 2048 and 4096, or the side
// itself when it is larger.
std::uint32_t RoundTextureSize(std::uint32_t size);

// The size of a width x height capture at 2, 3 or 4 bytes per pixel, rows padded to an even
// number of bytes as bitmap bits are. False for other depths, for sides below 1, and for
// totals that one GetBitmapBits call cannot read (above 2^31 - 1).
bool DesktopCaptureBytes(int width, int height, int bytesPerPixel, std::size_t* bytes);

// A capture as GetBitmapBits leaves it: rows from the top of the screen down, each padded to an
// even number of bytes.
struct DesktopImage {
    const unsigned char* pixels;
    std::size_t size;   // bytes readable at pixels
    int width;
    int height;
    int bytesPerPixel;  // 4: B, G, R, unused; 3: B, G, R; 2: one little-endian word
    // 2 bytes per pixel: red, green, blue in 5-5-5 (bits 14-10, 9-5, 4-0) instead of the
    // usual 5-6-5 (bits 15-11, 10-5, 4-0).
    bool words555;
};

// Writes the capture into the lower-left width x height corner of a textureWidth x
// textureHeight R, G, B, A texture (4 bytes per pixel, bottom row first), alpha 255. The
// rest of the texture is not touched. False, with nothing written, when the capture's size,
// depth or buffer does not fit.
bool ConvertDesktopPixels(const DesktopImage& capture, unsigned char* texture,
                          std::uint32_t textureWidth, std::uint32_t textureHeight);
