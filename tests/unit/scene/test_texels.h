// Textures of the scene tests' own, filled texel by texel, and the colour of a pixel in a
// picture read back from OpenGL.
#pragma once

#include <gtest/gtest.h>

#include <cstddef>
#include <vector>

#include "assets/texture.h"
#include "support/scene_picture.h"

// An opaque texel of the given colour.
inline void Put(unsigned char* texel, int r, int g, int b) {
    texel[0] = static_cast<unsigned char>(r);
    texel[1] = static_cast<unsigned char>(g);
    texel[2] = static_cast<unsigned char>(b);
    texel[3] = 255;
}

// A texture under name, filled by fill(x, y, rgba) with y = 0 its first row, and uploaded.
template <typename Fill>
void MakeTexture(Texture& root, const char* name, int width, int height, Fill fill) {
    ASSERT_TRUE(root.create_empty(name, width, height, 4)) << name;
    unsigned char* pixels = root.find_pixels(name);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) fill(x, y, pixels + 4 * (y * width + x));
    root.upload(name);
}

// Pixel (x, y) of R, G, B, A pixels, width a row.
inline scene::Rgb PixelAt(const std::vector<unsigned char>& pixels, int width, int x, int y) {
    const unsigned char* p = &pixels[(static_cast<std::size_t>(y) * width + x) * 4];
    return {p[0], p[1], p[2]};
}
