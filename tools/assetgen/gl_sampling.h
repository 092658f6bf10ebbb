// A software stand-in for the few OpenGL steps that put our pictures on the screen: textures
// sampled with GL_LINEAR and GL_REPEAT at pixel centres (no mipmaps, as the screen saver
// uploads them) on axis-aligned quads given in normalized device coordinates.
#pragma once

#include <vector>

#include "picture.h"

namespace assetgen {

// Colour components from 0 to 1, blended without gamma correction as OpenGL 1.1 does.
struct FloatPicture {
    FloatPicture(int w, int h) : width(w), height(h), rgb(static_cast<std::size_t>(w) * h * 3, 0.0f) {}
    float* at(int x, int y) { return &rgb[(static_cast<std::size_t>(y) * width + x) * 3]; }
    const float* at(int x, int y) const {
        return &rgb[(static_cast<std::size_t>(y) * width + x) * 3];
    }

    int width;
    int height;
    std::vector<float> rgb;
};

FloatPicture ToFloat(const GreyPicture& picture);
FloatPicture ToFloat(const RgbPicture& picture);
RgbPicture ToBytes(const FloatPicture& picture);

// The texture's colour at (u, v); v = 0 is the picture's top row, as the screen saver
// uploads every picture.
void SampleLinear(const FloatPicture& texture, float u, float v, float rgb[3]);

// A quad from x_left to x_right and y_bottom to y_top (normalized device coordinates, y up),
// whose texture coordinate u runs from u_left to u_right and v from v_bottom to v_top. It
// covers the pixels whose centres lie inside it; each takes the sampled colour times colour
// (GL_MODULATE; white for GL_REPLACE), without blending.
struct Quad {
    float x_left, x_right, y_bottom, y_top;
    float u_left, u_right, v_bottom, v_top;
    float colour[3];
};
void DrawQuad(FloatPicture* target, const FloatPicture& texture, const Quad& quad);

}  // namespace assetgen
