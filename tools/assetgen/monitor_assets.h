// The generator of the monitor's assets: "output.gxu", "Texture1.jpg", "ASmallTexture1.jpg",
// and the contact sheet's views of the model and its pictures.
#pragma once

#include "asset.h"

namespace assetgen {

void GenerateMonitorAssets(Generated* out);

}  // namespace assetgen
