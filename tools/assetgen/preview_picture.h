// "ASmallTexture1.jpg" before compression: the scene in miniature for the Display Properties
// preview, drawn by the rasteriser until a picture of the real scene replaces it.
#pragma once

#include <vector>

#include "image.h"
#include "mesh.h"

namespace assetgen {

// 256 x 128: the top-left 152 x 112 pixels are the picture (the preview stretches them over
// its whole width and 0.915 of its height, so they are drawn that much taller); the rest is
// never shown and stays dark.
Image PaintPreviewPicture(const Mesh& mesh, const std::vector<MaterialRecord>& materials,
                          const Image& atlas, const Image& screen);

}  // namespace assetgen
