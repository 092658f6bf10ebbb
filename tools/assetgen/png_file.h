// PNG files of R, G, B, A pictures, for the large icon image that Windows takes compressed.
#pragma once

#include "bytes.h"
#include "picture.h"

namespace assetgen {

// 8 bits per channel, colour type 6, no ancillary chunks (no time stamp), zlib at level 9:
// the same picture always gives the same bytes.
Bytes EncodePng(const RgbaPicture& picture);

}  // namespace assetgen
