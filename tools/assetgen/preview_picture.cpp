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
    const Image shown = Render(mesh, materials, {&atlas, &screen}, ground, view);

    Image picture(kWidth, kHeight, kGroundEdge);
    for (int y = 0; y < kShownHeight; ++y) {
        for (int x = 0; x < kShownWidth; ++x) picture.At(x, y) = shown.At(x, y);
    }
    return picture;
}

}  // namespace assetgen
