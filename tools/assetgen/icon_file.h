// The container of .ico and .cur files: a directory of images, each a DIB (or, for a 256-pixel
// icon, a PNG file) that the resource compiler splits into its own resource.
#pragma once

#include "bytes.h"

namespace assetgen {

struct IconImage {
    int width = 0;   // 1 to 256
    int height = 0;  // 1 to 256
    int colour_count = 0;  // palette entries for depths below 8 bits, else 0
    // Icons: planes (1) and bits per pixel. Cursors: the hot spot's x and y.
    int planes_or_hot_x = 0;
    int bits_or_hot_y = 0;
    Bytes bytes;
};

enum class IconKind { Icon = 1, Cursor = 2 };

Bytes EncodeIconFile(IconKind kind, const std::vector<IconImage>& images);

}  // namespace assetgen
