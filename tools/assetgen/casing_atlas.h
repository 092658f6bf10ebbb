// The casing's 512 x 512 atlas, "Texture1.jpg" before compression: light warm-grey plastic
// with a fine grain, the bezel front with its badge, buttons and LED, the housing's vents and
// the foot, each where the model's texture coordinates look for it (monitor_design.h).
#pragma once

#include "image.h"

namespace assetgen {

Image PaintCasingAtlas();

}  // namespace assetgen
