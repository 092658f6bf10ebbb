// The preview picture (see preview_picture.h): the monitor from the program's camera at the
// start, its rain on the screen and its silhouette, over a dark ground that lightens a little
// towards the middle.
#include "preview_picture.h"

#include <cmath>

#include "raster.h"

namespace assetgen {

namespace {

constexpr int kWidth = 256, kHeight = 128;
constexpr int kShownWidth = 152, kShownHeight = 112;
// The preview quad spans y from -1 to 0.83036 of the window: 0.91518 of its height.
constexpr double kShownFraction = 1.83036 / 2;

const Rgb kGroundEdge = Hex(0x07090C);
const Rgb kGroundMiddle = Hex(0x1C222A);

// A box blur of the given radius across the rows, wrapping around as the texture does, and
// turned a quarter so that a second pass blurs the columns.
Image BlurRowsAndTurn(const Image& image, int radius) {
    Image out(image.height, image.width);
    const double weight = 1.0 / (2 * radius + 1);
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            Rgb sum;
            for (int k = -radius; k <= radius; ++k) {
                sum = sum + image.At((x + k + image.width) % image.width, y);
            }
            out.At(y, x) = sum * weight;
        }
    }
    return out;
}

// Shrunk to the preview's size the screen's thin glyph strokes average out to near black; a
// soft glow around them, as a picture tube's phosphor gives, keeps the rain visible there.
Image Glowing(const Image& screen) {
    constexpr int kRadius = 5;
    constexpr double kStrength = 2.2;
    const Image blurred = BlurRowsAndTurn(BlurRowsAndTurn(screen, kRadius), kRadius);
    Image out(screen.width, screen.height);
    for (std::size_t i = 0; i < out.pixels.size(); ++i) {
        const Rgb sum = screen.pixels[i] + blurred.pixels[i] * kStrength;
        out.pixels[i] = {Clamp(sum.r, 0, 1), Clamp(sum.g, 0, 1), Clamp(sum.b, 0, 1)};
    }
    return out;
}

}  // namespace

Image PaintPreviewPicture(const Mesh& mesh, const std::vector<MaterialRecord>& materials,
                          const Image& atlas, const Image& screen) {
    Image ground(kShownWidth, kShownHeight);
    for (int y = 0; y < kShownHeight; ++y) {
        for (int x = 0; x < kShownWidth; ++x) {
            const double dx = (x + 0.5) / kShownWidth - 0.5, dy = (y + 0.5) / kShownHeight - 0.45;
            const double r = std::sqrt(dx * dx + dy * dy) / 0.62;
            ground.At(x, y) = Mix(kGroundMiddle, kGroundEdge, Clamp(r, 0, 1));
        }
    }
    View view;
    view.width = kShownWidth;
    view.height = kShownHeight;
    view.supersample = 6;
    view.aspect = kShownWidth / (kShownHeight * kShownFraction);
    view.modelview = ProgramCamera();
    view.silhouette = true;
    const Image glowing = Glowing(screen);
    const Image shown = Render(mesh, materials, {&atlas, &glowing}, ground, view);

    Image picture(kWidth, kHeight, kGroundEdge);
    for (int y = 0; y < kShownHeight; ++y) {
        for (int x = 0; x < kShownWidth; ++x) picture.At(x, y) = shown.At(x, y);
    }
    return picture;
}

}  // namespace assetgen
