// Converts a bitmap into B, G, R, X texture pixels, top row first, through GDI's own DIB
// conversion, so that palettised bitmaps come out in their true colours at any display depth.
#include "assets/bitmap_pixels.h"

#include <climits>

int BitmapSize(HBITMAP bitmap, int* width, int* height) {
    BITMAP info = {};
    if (bitmap == nullptr || GetObjectA(bitmap, sizeof(info), &info) != sizeof(info)) return 0;
    // A top-down DIB section may describe itself with a negative height.
    if (info.bmWidth <= 0 || info.bmHeight == 0 || info.bmHeight < -INT_MAX) return 0;
    *width = info.bmWidth;
    *height = info.bmHeight < 0 ? -info.bmHeight : info.bmHeight;
    return 1;
}

int CopyBitmapPixels(HBITMAP bitmap, int width, int height, unsigned char* out) {
    BITMAPINFO format = {};
    format.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    format.bmiHeader.biWidth = width;
    format.bmiHeader.biHeight = -height;  // top-down: the first row in memory is the top row
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;

    HDC dc = CreateCompatibleDC(nullptr);
    if (dc == nullptr) return 0;
    const int rows = GetDIBits(dc, bitmap, 0, static_cast<UINT>(height), out, &format,
                               DIB_RGB_COLORS);
    DeleteDC(dc);
    if (rows != height) return 0;

    // GDI leaves the fourth byte at 0; it becomes alpha, so make the picture opaque.
    const std::size_t count = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    for (std::size_t i = 0; i < count; ++i) out[i * 4 + 3] = 255;
    return 1;
}
