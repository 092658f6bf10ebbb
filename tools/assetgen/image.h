// Pictures as the generator works on them: R, G, B values from 0 to 1 per pixel, top row
// first, the values as they are stored (no gamma is applied anywhere, as in the program).
#pragma once

#include <vector>

#include "asset.h"

namespace assetgen {

struct Rgb {
    double r = 0, g = 0, b = 0;
};
inline Rgb operator+(Rgb a, Rgb b) { return {a.r + b.r, a.g + b.g, a.b + b.b}; }
inline Rgb operator*(Rgb a, double s) { return {a.r * s, a.g * s, a.b * s}; }
inline Rgb operator*(Rgb a, Rgb b) { return {a.r * b.r, a.g * b.g, a.b * b.b}; }
inline Rgb Mix(Rgb a, Rgb b, double t) { return a * (1 - t) + b * t; }
// An 8-bit colour given as 0xRRGGBB.
inline Rgb Hex(unsigned value) {
    return {((value >> 16) & 0xFF) / 255.0, ((value >> 8) & 0xFF) / 255.0, (value & 0xFF) / 255.0};
}

struct Image {
    int width = 0;
    int height = 0;
    std::vector<Rgb> pixels;

    Image() = default;
    Image(int w, int h, Rgb fill = {})
        : width(w), height(h), pixels(static_cast<std::size_t>(w) * h, fill) {}
    Rgb& At(int x, int y) { return pixels[static_cast<std::size_t>(y) * width + x]; }
    const Rgb& At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

// 8-bit R, G, B bytes, each value rounded and clamped.
std::vector<unsigned char> ToBytes(const Image& image);
Image FromBytes(int width, int height, const std::vector<unsigned char>& rgb);
SheetPicture ToSheet(const Image& image, const std::string& label);
// The mean of each factor x factor block.
Image Downsample(const Image& image, int factor);
// Bilinear sample at a texture coordinate (texel centres at (i + 0.5) / size), wrapping around
// the edges as GL_REPEAT does; t = 0 is the first row.
Rgb SampleBilinear(const Image& image, double s, double t);

}  // namespace assetgen
