// Makes the model, paints its atlas, makes the preview picture from its screenshot, and draws
// the model for the contact sheet: first as the program's camera sees it at the start, over a
// desktop, then turned to show its sides and its back.
#include "monitor_assets.h"

#include "casing_atlas.h"
#include "image.h"
#include "jpeg_files.h"
#include "monitor_model.h"
#include "pictures.h"
#include "preview_picture.h"
#include "raster.h"

namespace assetgen {

namespace {

constexpr int kJpegQuality = 90;
constexpr int kViewWidth = 512, kViewHeight = 410;  // 5 : 4, as 1280 x 1024
const Rgb kDesktop = Hex(0x3A6E8F);
const Rgb kGround = Hex(0x1F252C);

struct SheetView {
    const char* label;
    double pitch, yaw;  // degrees, about the model's middle; 0, 0: the program's camera
};

const SheetView kViews[] = {
    {"output.gxu from the program's camera at the start, over a desktop", 0, 0},
    {"output.gxu turned 50 degrees", 12, -50},
    {"output.gxu from behind", 15, 145},
    {"output.gxu from the right", 0, -90},
};

}  // namespace

void GenerateMonitorAssets(Generated* out) {
    const MonitorModel model = BuildMonitorModel();
    out->files.push_back({"output.gxu", WriteGxu(model.mesh, model.materials)});

    // The views and the preview use the atlas as the program decodes it.
    const std::vector<unsigned char> atlas_jpeg = EncodeJpeg(PaintCasingAtlas(), kJpegQuality);
    out->files.push_back({"Texture1.jpg", atlas_jpeg});
    const Image atlas = DecodeJpeg(atlas_jpeg);
    // The glyph rain on the screen, as the screen samples the pbuffer: its first row is the
    // picture's bottom one.
    const FloatPicture rain = RainPicture();
    Image screen(rain.width, rain.height);
    for (int y = 0; y < rain.height; ++y) {
        for (int x = 0; x < rain.width; ++x) {
            const float* p = rain.at(x, rain.height - 1 - y);
            screen.At(x, y) = {p[0], p[1], p[2]};
        }
    }

    const std::vector<unsigned char> preview_jpeg =
        EncodeJpeg(PreviewPicture(ReadPpm(ASSETGEN_PREVIEW_SOURCE)), kJpegQuality);
    out->files.push_back({"ASmallTexture1.jpg", preview_jpeg});

    const Mat4 to_middle = Translation(0, -0.8, -2.3), from_middle = Translation(0, 0.8, 2.3);
    for (const SheetView& v : kViews) {
        const bool camera = v.pitch == 0 && v.yaw == 0;
        View view;
        view.width = kViewWidth;
        view.height = kViewHeight;
        view.silhouette = camera;
        view.modelview = camera ? ProgramCamera()
                                : ProgramCamera() * to_middle * Rotation(v.pitch, 1, 0, 0) *
                                      Rotation(v.yaw, 0, 1, 0) * from_middle;
        const Image background(kViewWidth, kViewHeight, camera ? kDesktop : kGround);
        out->sheet.push_back(ToSheet(
            Render(model.mesh, model.materials, {&atlas, &screen}, background, view), v.label));
    }
    out->sheet.push_back(ToSheet(atlas, "Texture1.jpg, the casing atlas"));
    out->sheet.push_back(ToSheet(DecodeJpeg(preview_jpeg),
                                 "ASmallTexture1.jpg (the preview shows the top-left 152 x 112)"));
}

}  // namespace assetgen
