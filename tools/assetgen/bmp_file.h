// Device-independent bitmaps: the 8-bit palettised .bmp files of the BITMAP resources, and the
// BITMAPINFOHEADER that icon and cursor images start with.
#pragma once

#include "bytes.h"
#include "picture.h"

namespace assetgen {

// A BITMAPINFOHEADER: uncompressed, one plane. Icons and cursors give twice the picture's
// height (the colour picture and the AND mask below it) and no resolution.
enum class DibUse { File, IconImage };
void PutInfoHeader(Bytes* out, DibUse use, int width, int height, int bits_per_pixel,
                   int image_bytes, int palette_entries);

// Bytes of one stored row at the given depth: padded to whole 32-bit words.
int DibRowBytes(int width, int bits_per_pixel);

// A .bmp file: 8 bits per pixel with a 256-entry grey palette (entry i is grey level i), rows
// bottom-up as Windows stores them, so that the picture's grey levels are its palette indices.
Bytes EncodeGreyBmp(const GreyPicture& picture);

}  // namespace assetgen
