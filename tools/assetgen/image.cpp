// Conversions, scaling and sampling of generator pictures (see image.h).
#include "image.h"

#include <cmath>

namespace assetgen {

namespace {

unsigned char ToByte(double v) {
    const double scaled = std::floor(v * 255 + 0.5);
    return static_cast<unsigned char>(scaled < 0 ? 0 : (scaled > 255 ? 255 : scaled));
}

int Wrap(int i, int size) {
    const int m = i % size;
    return m < 0 ? m + size : m;
}

}  // namespace

std::vector<unsigned char> ToBytes(const Image& image) {
    std::vector<unsigned char> bytes;
    bytes.reserve(image.pixels.size() * 3);
    for (const Rgb& p : image.pixels) {
        bytes.push_back(ToByte(p.r));
        bytes.push_back(ToByte(p.g));
        bytes.push_back(ToByte(p.b));
    }
    return bytes;
}

Image FromBytes(int width, int height, const std::vector<unsigned char>& rgb) {
    Image image(width, height);
    for (std::size_t i = 0; i < image.pixels.size(); ++i) {
        image.pixels[i] = {rgb[3 * i] / 255.0, rgb[3 * i + 1] / 255.0, rgb[3 * i + 2] / 255.0};
    }
    return image;
}

SheetPicture ToSheet(const Image& image, const std::string& label) {
    SheetPicture picture;
    picture.label = label;
    picture.width = image.width;
    picture.height = image.height;
    picture.rgb = ToBytes(image);
    return picture;
}

Image Downsample(const Image& image, int factor) {
    Image out(image.width / factor, image.height / factor);
    const double weight = 1.0 / (factor * factor);
    for (int y = 0; y < out.height; ++y) {
        for (int x = 0; x < out.width; ++x) {
            Rgb sum;
            for (int j = 0; j < factor; ++j) {
                for (int i = 0; i < factor; ++i)
                    sum = sum + image.At(x * factor + i, y * factor + j);
            }
            out.At(x, y) = sum * weight;
        }
    }
    return out;
}

Rgb SampleBilinear(const Image& image, double s, double t) {
    const double x = s * image.width - 0.5;
    const double y = t * image.height - 0.5;
    const double fx = std::floor(x), fy = std::floor(y);
    const double ax = x - fx, ay = y - fy;
    const int x0 = Wrap(static_cast<int>(fx), image.width), x1 = Wrap(x0 + 1, image.width);
    const int y0 = Wrap(static_cast<int>(fy), image.height), y1 = Wrap(y0 + 1, image.height);
    const Rgb top = Mix(image.At(x0, y0), image.At(x1, y0), ax);
    const Rgb bottom = Mix(image.At(x0, y1), image.At(x1, y1), ax);
    return Mix(top, bottom, ay);
}

}  // namespace assetgen
