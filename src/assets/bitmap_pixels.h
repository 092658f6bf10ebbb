// Turning a loaded bitmap into texture pixels: 4 bytes per pixel in the order B, G, R, X
// (X = 255), top row first, whatever the display depth.
#pragma once

#include <windows.h>

// The bitmap's width and height in pixels (both above 0); 0 when it cannot be described.
int BitmapSize(HBITMAP bitmap, int* width, int* height);

// Converts the whole bitmap into out, which holds width x height x 4 bytes for the size
// BitmapSize gave. 1 on success; 0 when the conversion fails (out is then unspecified).
int CopyBitmapPixels(HBITMAP bitmap, int width, int height, unsigned char* out);
