// The container of .ico and .cur files: a directory of images, each a DIB (or, for a 256-pixel
// icon, a PNG file) that the resource compiler splits into its own resource.
#pragma once

#include "bytes.h"
#include "picture.h"

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

// A square icon image of 32 bits per pixel with alpha, followed by the AND mask (set where
// less than half covered) that older systems show instead.
Bytes EncodeIconDib(const RgbaPicture& picture);

}  // namespace assetgen
