// "ASmallTexture1.jpg" before compression: the preview's still picture, made from a screenshot
// of the running scene (preview-source.ppm, which take-preview-shot writes).
#pragma once

#include <string>

#include "image.h"

namespace assetgen {

// A binary PPM (P6, 8 bits) as a picture; exits with a message when it is not one.
Image ReadPpm(const std::string& path);

// 256 x 128: the top-left 152 x 112 pixels are the source (304 x 224) halved in linear light;
// the rest, never shown, repeats the nearest edge of the shown corner so that neither the
// compression nor the texture's filtering (which wraps around) brings anything else to its
// edges.
Image PreviewPicture(const Image& source);

}  // namespace assetgen
