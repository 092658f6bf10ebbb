// The rain still (see rain_picture.h): 80 x 60 cells, each column a white head under a tail
// that fades from bright to dark green, from the same kind of random generator the program
// uses, so the picture is the same on every run.
#include "rain_picture.h"

#include <cstdint>

#include "paint.h"

namespace assetgen {

namespace {

constexpr int kColumns = 80, kRows = 60, kSize = 512;
constexpr int kStills = 340;  // columns in the picture

struct Random {
    std::uint32_t state = 1;
    int Next() {
        state = state * 214013u + 2531011u;
        return static_cast<int>((state >> 16) & 0x7FFF);
    }
};

// A 5 x 7 glyph: two to four bold strokes from a small set, chosen by its number.
bool GlyphBit(int glyph, int x, int y) {
    bool on = false;
    int strokes = 0;
    for (int k = 0; k < 9; ++k) {
        if (Hash01(glyph, k, 77) > 0.62) continue;
        ++strokes;
        switch (k) {
            case 0: on |= x == 0; break;
            case 1: on |= x == 2 && y > 0 && y < 6; break;
            case 2: on |= x == 4; break;
            case 3: on |= y == 0; break;
            case 4: on |= y == 3 && x < 4; break;
            case 5: on |= y == 6; break;
            case 6: on |= x * 6 == y * 4 + 1 || x * 6 == y * 4; break;
            case 7: on |= (x == 1 || x == 3) && y == 1; break;
            default: on |= x == 1 && y > 2; break;
        }
    }
    if (strokes < 2) on |= x == 4 || y == 0;
    return on;
}

}  // namespace

Image PaintRainPicture() {
    Image picture(kSize, kSize);
    Random random;
    // Rows count from the bottom, as the program's grid does.
    auto put = [&picture](int column, int row, int glyph, Rgb colour) {
        if (row < 0 || row >= kRows) return;
        const int x0 = static_cast<int>(column * kSize / static_cast<double>(kColumns)) + 1;
        const int y1 = kSize - 1 - static_cast<int>(row * kSize / static_cast<double>(kRows)) - 1;
        for (int y = 0; y < 7; ++y) {
            for (int x = 0; x < 5; ++x) {
                // Bold: each stroke two pixels wide.
                if (GlyphBit(glyph, x, y) || (x > 0 && GlyphBit(glyph, x - 1, y))) {
                    picture.At(x0 + x, y1 - 7 + y) = colour;
                }
            }
        }
    };
    for (int i = 0; i < kStills; ++i) {
        const int column = random.Next() % kColumns;
        const int head = random.Next() % kRows - 8;
        const int length = random.Next() % 24 + 1;
        put(column, head, random.Next() % 41, {1, 1, 1});
        for (int l = 1; l < length; ++l) {
            const double g = l * -0.85 / (length > 1 ? length - 1 : 1) + 0.95;
            put(column, head + l, random.Next() % 41, {0, g, 0});
        }
    }
    return picture;
}

}  // namespace assetgen
