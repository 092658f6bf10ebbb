// Bilinear sampling with repeat wrapping and pixel-centre coverage of quads, as OpenGL's
// fixed-function pipeline does them for untransformed, axis-aligned quads.
#include "gl_sampling.h"

#include <algorithm>
#include <cmath>

namespace assetgen {

FloatPicture ToFloat(const GreyPicture& picture) {
    FloatPicture out(picture.width, picture.height);
    for (std::size_t i = 0; i < picture.pixels.size(); ++i)
        for (int c = 0; c < 3; ++c) out.rgb[i * 3 + c] = picture.pixels[i] / 255.0f;
    return out;
}

FloatPicture ToFloat(const RgbPicture& picture) {
    FloatPicture out(picture.width, picture.height);
    for (std::size_t i = 0; i < picture.pixels.size(); ++i) out.rgb[i] = picture.pixels[i] / 255.0f;
    return out;
}

RgbPicture ToBytes(const FloatPicture& picture) {
    RgbPicture out(picture.width, picture.height);
    for (std::size_t i = 0; i < picture.rgb.size(); ++i) {
        const float value = std::min(1.0f, std::max(0.0f, picture.rgb[i]));
        out.pixels[i] = static_cast<unsigned char>(std::lround(value * 255.0f));
    }
    return out;
}

namespace {

int Wrap(int i, int size) { return ((i % size) + size) % size; }

}  // namespace

void SampleLinear(const FloatPicture& texture, float u, float v, float rgb[3]) {
    const float s = u * texture.width - 0.5f;
    const float t = v * texture.height - 0.5f;
    const int s0 = static_cast<int>(std::floor(s));
    const int t0 = static_cast<int>(std::floor(t));
    const float fs = s - s0;
    const float ft = t - t0;
    const float* a = texture.at(Wrap(s0, texture.width), Wrap(t0, texture.height));
    const float* b = texture.at(Wrap(s0 + 1, texture.width), Wrap(t0, texture.height));
    const float* c = texture.at(Wrap(s0, texture.width), Wrap(t0 + 1, texture.height));
    const float* d = texture.at(Wrap(s0 + 1, texture.width), Wrap(t0 + 1, texture.height));
    for (int i = 0; i < 3; ++i) {
        rgb[i] = (a[i] * (1 - fs) + b[i] * fs) * (1 - ft) + (c[i] * (1 - fs) + d[i] * fs) * ft;
    }
}

void DrawQuad(FloatPicture* target, const FloatPicture& texture, const Quad& quad) {
    // Pixel rows count from the top; y in device coordinates grows upwards.
    const float left = (quad.x_left + 1) * 0.5f * target->width;
    const float right = (quad.x_right + 1) * 0.5f * target->width;
    const float top = (1 - quad.y_top) * 0.5f * target->height;
    const float bottom = (1 - quad.y_bottom) * 0.5f * target->height;
    const int x_first = std::max(0, static_cast<int>(std::ceil(left - 0.5f)));
    const int x_end = std::min(target->width, static_cast<int>(std::ceil(right - 0.5f)));
    const int y_first = std::max(0, static_cast<int>(std::ceil(top - 0.5f)));
    const int y_end = std::min(target->height, static_cast<int>(std::ceil(bottom - 0.5f)));
    for (int y = y_first; y < y_end; ++y) {
        const float across_y = (bottom - (y + 0.5f)) / (bottom - top);  // 0 at the bottom edge
        const float v = quad.v_bottom + (quad.v_top - quad.v_bottom) * across_y;
        for (int x = x_first; x < x_end; ++x) {
            const float across_x = (x + 0.5f - left) / (right - left);
            const float u = quad.u_left + (quad.u_right - quad.u_left) * across_x;
            float rgb[3];
            SampleLinear(texture, u, v, rgb);
            float* pixel = target->at(x, y);
            for (int i = 0; i < 3; ++i) pixel[i] = rgb[i] * quad.colour[i];
        }
    }
}

}  // namespace assetgen
