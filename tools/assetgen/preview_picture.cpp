// The preview picture from the committed screenshot (see preview_picture.h).
#include "preview_picture.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace assetgen {

namespace {

constexpr int kWidth = 256, kHeight = 128;
constexpr int kShownWidth = 152, kShownHeight = 112;

[[noreturn]] void Fail(const std::string& what) {
    std::fprintf(stderr, "assetgen: preview: %s\n", what.c_str());
    std::exit(1);
}

// The shown corner's pixel that an unseen one repeats: the nearer of the corner's edges,
// counting the wrap from the far side of the texture back to its first column and row.
int Nearest(int i, int shown, int size) {
    if (i < shown) return i;
    return i - (shown - 1) <= size - i ? shown - 1 : 0;
}

// The sRGB transfer function and its inverse, per channel.
double ToLinear(double v) { return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); }
double ToEncoded(double v) {
    return v <= 0.0031308 ? v * 12.92 : 1.055 * std::pow(v, 1.0 / 2.4) - 0.055;
}
Image Transfer(const Image& image, double (*f)(double)) {
    Image out(image.width, image.height);
    for (std::size_t i = 0; i < image.pixels.size(); ++i) {
        const Rgb& p = image.pixels[i];
        out.pixels[i] = {f(p.r), f(p.g), f(p.b)};
    }
    return out;
}

}  // namespace

Image ReadPpm(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) Fail("cannot read " + path);
    int width = 0, height = 0, maxval = 0;
    const int fields = std::fscanf(file, "P6 %d %d %d", &width, &height, &maxval);
    // One whitespace byte ends the header.
    if (fields != 3 || maxval != 255 || width <= 0 || height <= 0 || width > 4096 ||
        height > 4096 || std::fgetc(file) == EOF) {
        std::fclose(file);
        Fail(path + " is not an 8-bit binary PPM");
    }
    std::vector<unsigned char> rgb(static_cast<std::size_t>(width) * height * 3);
    const bool complete = std::fread(rgb.data(), 1, rgb.size(), file) == rgb.size();
    std::fclose(file);
    if (!complete) Fail(path + " is short");
    return FromBytes(width, height, rgb);
}

Image PreviewPicture(const Image& source) {
    if (source.width != 2 * kShownWidth || source.height != 2 * kShownHeight)
        Fail("the screenshot must be 304 x 224");
    // Halved in linear light, as the screenshot was scaled: the rain's strokes keep their light.
    const Image shown = Transfer(Downsample(Transfer(source, ToLinear), 2), ToEncoded);
    Image picture(kWidth, kHeight);
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            picture.At(x, y) =
                shown.At(Nearest(x, kShownWidth, kWidth), Nearest(y, kShownHeight, kHeight));
        }
    }
    return picture;
}

}  // namespace assetgen
