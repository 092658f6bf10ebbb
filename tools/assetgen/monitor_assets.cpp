// Makes the model, paints its atlas and the preview picture, and draws the model for the
// contact sheet.
#include "monitor_assets.h"

#include "casing_atlas.h"
#include "image.h"
#include "jpeg_files.h"
#include "monitor_model.h"
#include "preview_picture.h"
#include "rain_picture.h"
#include "raster.h"

namespace assetgen {

void GenerateMonitorAssets(Generated* out) {
    const MonitorModel model = BuildMonitorModel();
    out->files.push_back({"output.gxu", WriteGxu(model.mesh, model.materials)});

    const std::vector<unsigned char> atlas_jpeg = EncodeJpeg(PaintCasingAtlas(), 90);
    out->files.push_back({"Texture1.jpg", atlas_jpeg});
    const Image atlas = DecodeJpeg(atlas_jpeg);
    out->sheet.push_back(ToSheet(atlas, "Texture1.jpg"));
    // The pbuffer's picture: its first row is the bottom one, at t = 0.
    const Image rain = PaintRainPicture();
    out->sheet.push_back(ToSheet(rain, "the rain still on the model's screen"));
    const Image screen = FlipRows(rain);

    const std::vector<unsigned char> preview_jpeg =
        EncodeJpeg(PaintPreviewPicture(model.mesh, model.materials, atlas, screen), 90);
    out->files.push_back({"ASmallTexture1.jpg", preview_jpeg});
    out->sheet.push_back(ToSheet(DecodeJpeg(preview_jpeg), "ASmallTexture1.jpg"));
    const Image background(512, 410, Hex(0x202830));
    View view;
    view.width = 512;
    view.height = 410;
    view.modelview = ProgramCamera();
    view.silhouette = true;
    out->sheet.push_back(ToSheet(Render(model.mesh, model.materials, {&atlas, &screen}, background, view),
                                 "output.gxu, camera"));
    view.silhouette = false;
    // The other views turn the model about its middle.
    const Mat4 to_middle = Translation(0, -0.8, -2.3), back = Translation(0, 0.8, 2.3);
    view.modelview = ProgramCamera() * to_middle * Rotation(12, 1, 0, 0) * Rotation(-50, 0, 1, 0) * back;
    out->sheet.push_back(ToSheet(Render(model.mesh, model.materials, {&atlas, &screen}, background, view),
                                 "output.gxu, front right"));
    view.modelview = ProgramCamera() * to_middle * Rotation(15, 1, 0, 0) * Rotation(145, 0, 1, 0) * back;
    out->sheet.push_back(ToSheet(Render(model.mesh, model.materials, {&atlas, &screen}, background, view),
                                 "output.gxu, back left"));
    view.modelview = ProgramCamera() * to_middle * Rotation(-90, 0, 1, 0) * back;
    out->sheet.push_back(ToSheet(Render(model.mesh, model.materials, {&atlas, &screen}, background, view),
                                 "output.gxu, right side"));
}

}  // namespace assetgen
