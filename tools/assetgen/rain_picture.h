// A still of the glyph rain as the monitor's screen shows it: green columns with white heads
// on black, in the 512 x 512 picture the program renders into its pbuffer. The glyphs here are
// simple stand-ins of the generator's own; the program draws the real glyph strip.
#pragma once

#include "image.h"

namespace assetgen {

// Top row first, the picture upright.
Image PaintRainPicture();

}  // namespace assetgen
