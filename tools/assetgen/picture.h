// The pictures the generators draw in memory before they become files or contact-sheet
// pictures: grey levels, R, G, B, or R, G, B, A bytes, always top row first.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "asset.h"

namespace assetgen {

struct GreyPicture {
    GreyPicture(int w, int h) : width(w), height(h), pixels(static_cast<std::size_t>(w) * h, 0) {}
    unsigned char& at(int x, int y) { return pixels[static_cast<std::size_t>(y) * width + x]; }
    unsigned char at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }

    int width;
    int height;
    std::vector<unsigned char> pixels;  // 0 black to 255 white
};

// channels 3 (R, G, B) or 4 (R, G, B, A; A = 0 transparent, 255 opaque)
template <int channels>
struct ColourPicture {
    ColourPicture(int w, int h)
        : width(w), height(h), pixels(static_cast<std::size_t>(w) * h * channels, 0) {}
    unsigned char* at(int x, int y) {
        return &pixels[(static_cast<std::size_t>(y) * width + x) * channels];
    }
    const unsigned char* at(int x, int y) const {
        return &pixels[(static_cast<std::size_t>(y) * width + x) * channels];
    }

    int width;
    int height;
    std::vector<unsigned char> pixels;
};
using RgbPicture = ColourPicture<3>;
using RgbaPicture = ColourPicture<4>;

SheetPicture ToSheet(const std::string& label, const GreyPicture& picture);
SheetPicture ToSheet(const std::string& label, const RgbPicture& picture);

// Copies a picture into a larger one with its top-left corner at (x, y); R, G, B, A pictures
// are laid over what is there by their alpha.
void Paste(RgbPicture* target, int x, int y, const RgbPicture& picture);
void Paste(RgbPicture* target, int x, int y, const RgbaPicture& picture);
void Fill(RgbPicture* target, int x, int y, int width, int height, const unsigned char rgb[3]);

}  // namespace assetgen
