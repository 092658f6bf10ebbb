// Contact-sheet views of the pictures as the screen saver puts them on the screen: a moment
// of the glyph rain in the 512 x 512 off-screen picture, the failure message over the
// frozen rain, and the banner squeezed to its place at the top of two screen sizes. They
// follow the drawing code's geometry and texture coordinates, so a glyph or letter that would
// blur away or stand upside down shows here.
#include <cmath>

#include "gl_sampling.h"
#include "pictures.h"
#include "random.h"

namespace assetgen {

namespace {

constexpr int kGridColumns = 80;
constexpr int kGridRows = 60;
constexpr int kLongestColumn = 24;
// About as many columns as are alive at a time: 50 start every second and most fall off the
// bottom within four seconds.
constexpr int kColumns = 180;
constexpr int kBlankSpots = 150;

Quad CellQuad(int column, int row, int glyph, float green, float white) {
    Quad quad;
    quad.x_left = column / 40.0f - 1;
    quad.x_right = quad.x_left + 0.025f;
    quad.y_bottom = row / 30.0f - 1;
    quad.y_top = quad.y_bottom + 0.033333335f;
    // The strip's top row (v = 0) at the cell's lower edge: the stored glyphs stand upright.
    quad.u_left = glyph / 41.0f * 0.80078125f;
    quad.u_right = quad.u_left + 0.01953125f;
    quad.v_bottom = 0;
    quad.v_top = 1;
    quad.colour[0] = white;
    quad.colour[1] = green;
    quad.colour[2] = white;
    return quad;
}

// Columns with a white head and a green tail above it that fades from 0.95 to 0.10, a few
// black gaps in the tails, and black blank spots over random cells.
FloatPicture RainPicture() {
    const FloatPicture strip = ToFloat(GlyphStripPicture());
    FloatPicture pbuffer(512, 512);
    Random random;
    for (int i = 0; i < kColumns; ++i) {
        const int column = random(kGridColumns);
        const int head = random(kGridRows + 8) - 8;  // some heads already below the picture
        const int length = random(kLongestColumn) + 1;
        for (int cell = 0; cell < length; ++cell) {
            float green = 1;
            float white = 1;
            int glyph = 0;
            if (cell > 0) {
                white = 0;
                const bool gap = random(100) < 5;
                green = gap ? 0 : cell * -0.85f / (length - 1) + 0.95f;
                if (!gap) glyph = random(kGlyphCount);
            } else {
                glyph = random(kGlyphCount);
            }
            if (head + cell >= 0)
                DrawQuad(&pbuffer, strip, CellQuad(column, head + cell, glyph, green, white));
        }
    }
    for (int i = 0; i < kBlankSpots; ++i) {
        const int column = random(kGridColumns);
        const int row = random(kGridRows);
        DrawQuad(&pbuffer, strip, CellQuad(column, row, 0, 0, 0));
    }
    return pbuffer;
}

// Centred, 208 x 40 pixels, its texture's top row at the upper edge, tinted (0, 0.95, 0).
void DrawFailureMessage(FloatPicture* pbuffer) {
    const FloatPicture message = ToFloat(FailureMessagePicture());
    const Quad quad{-0.40625f, 0.40625f, -0.078125f, 0.078125f, 0, 0.8125f, 0.625f, 0,
                    {0, 0.95f, 0}};
    DrawQuad(pbuffer, message, quad);
}

// The banner at the top centre of a screen, a quarter of its width and 1/48 of its height,
// with GL_REPLACE; the picture is the banner's rectangle cut out of the screen.
FloatPicture BannerOnScreen(int screen_width, int screen_height) {
    const FloatPicture banner = ToFloat(BannerPicture());
    FloatPicture screen(screen_width, screen_height);
    const Quad quad{-0.25f, 0.25f, 0.9583333f, 1, 0, 1, 1, 0, {1, 1, 1}};
    DrawQuad(&screen, banner, quad);
    const int width = screen_width / 4;
    // The rows whose centres lie inside the quad.
    const int height = static_cast<int>(std::ceil(screen_height / 48.0f - 0.5f));
    FloatPicture cut(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            for (int c = 0; c < 3; ++c) cut.at(x, y)[c] = screen.at(screen_width / 2 - width / 2 + x, y)[c];
    return cut;
}

}  // namespace

void MakeScreenViews(Generated* out) {
    FloatPicture pbuffer = RainPicture();
    out->sheet.push_back(ToSheet("the rain in the 512 x 512 pbuffer", ToBytes(pbuffer)));
    DrawFailureMessage(&pbuffer);
    out->sheet.push_back(ToSheet("the failure message over the frozen rain", ToBytes(pbuffer)));
    out->sheet.push_back(ToSheet("the banner at 1280 x 1024: 320 x 21", ToBytes(BannerOnScreen(1280, 1024))));
    out->sheet.push_back(ToSheet("the banner at 1920 x 1080: 480 x 22", ToBytes(BannerOnScreen(1920, 1080))));
}

}  // namespace assetgen
