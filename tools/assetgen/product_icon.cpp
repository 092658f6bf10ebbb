// The product's icon (icon group 109, the .scr's icon in Explorer): a light warm-grey monitor
// of the late 1990s on its foot, green rain on its dark screen. 16, 24, 32 and 48 pixels as
// 32-bit images with an AND mask, 256 pixels as a PNG. Shapes are laid out on a unit square
// and snapped to whole pixels at each size, so that edges stay crisp at 16 x 16; at 256 the
// rain is made of our glyphs.
#include <algorithm>
#include <cmath>

#include "icon_file.h"
#include "pictures.h"
#include "png_file.h"
#include "random.h"

namespace assetgen {

namespace {

struct Colour {
    float r, g, b, a;
};

// Straight (not premultiplied) colours, 0 to 1.
class Canvas {
public:
    explicit Canvas(int size) : size_(size), pixels_(static_cast<std::size_t>(size) * size) {}
    int size() const { return size_; }
    // Lays colour over the pixel with the given coverage (0 to 1), as "over" compositing does.
    void Blend(int x, int y, const Colour& colour, float coverage) {
        if (x < 0 || y < 0 || x >= size_ || y >= size_ || coverage <= 0) return;
        Colour& to = pixels_[static_cast<std::size_t>(y) * size_ + x];
        const float a = colour.a * std::min(1.0f, coverage);
        const float out_a = a + to.a * (1 - a);
        if (out_a <= 0) return;
        to.r = (colour.r * a + to.r * to.a * (1 - a)) / out_a;
        to.g = (colour.g * a + to.g * to.a * (1 - a)) / out_a;
        to.b = (colour.b * a + to.b * to.a * (1 - a)) / out_a;
        to.a = out_a;
    }
    RgbaPicture ToPicture() const {
        RgbaPicture picture(size_, size_);
        for (std::size_t i = 0; i < pixels_.size(); ++i) {
            const Colour& c = pixels_[i];
            const float channels[4] = {c.r, c.g, c.b, c.a};
            for (int k = 0; k < 4; ++k)
                picture.pixels[i * 4 + k] = static_cast<unsigned char>(
                    std::lround(std::min(1.0f, std::max(0.0f, channels[k])) * 255.0f));
        }
        return picture;
    }

private:
    int size_;
    std::vector<Colour> pixels_;
};

// A rectangle in pixels, its edges on whole pixels.
struct Box {
    int left, top, right, bottom;
};

Box Snap(int size, float left, float top, float right, float bottom) {
    auto at = [size](float f) { return static_cast<int>(std::lround(f * size)); };
    return Box{at(left), at(top), at(right), at(bottom)};
}

Box Inset(const Box& box, int by) {
    return Box{box.left + by, box.top + by, box.right - by, box.bottom - by};
}

// How much of pixel (x, y) a rounded rectangle covers, from 8 x 8 samples.
float RoundedCoverage(const Box& box, float radius, int x, int y) {
    int inside = 0;
    for (int sy = 0; sy < 8; ++sy) {
        for (int sx = 0; sx < 8; ++sx) {
            const float px = x + (sx + 0.5f) / 8;
            const float py = y + (sy + 0.5f) / 8;
            if (px < box.left || px > box.right || py < box.top || py > box.bottom) continue;
            const float cx = std::min(std::max(px, box.left + radius), box.right - radius);
            const float cy = std::min(std::max(py, box.top + radius), box.bottom - radius);
            if ((px - cx) * (px - cx) + (py - cy) * (py - cy) <= radius * radius) ++inside;
        }
    }
    return inside / 64.0f;
}

// Fills a rounded rectangle; shade gives the colour at a height from 0 (top) to 1 (bottom).
template <typename Shade>
void FillRounded(Canvas* canvas, const Box& box, float radius, Shade shade) {
    for (int y = box.top; y < box.bottom; ++y) {
        const float down = (y + 0.5f - box.top) / std::max(1, box.bottom - box.top);
        const Colour colour = shade(down);
        for (int x = box.left; x < box.right; ++x)
            canvas->Blend(x, y, colour, RoundedCoverage(box, radius, x, y));
    }
}

Colour Mix(const Colour& a, const Colour& b, float t) {
    return Colour{a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t,
                  a.a + (b.a - a.a) * t};
}

const Colour kOutline = {0.22f, 0.21f, 0.19f, 1};
const Colour kPlasticTop = {0.93f, 0.91f, 0.86f, 1};
const Colour kPlasticBottom = {0.72f, 0.69f, 0.63f, 1};
const Colour kRecess = {0.36f, 0.35f, 0.32f, 1};
const Colour kScreen = {0.01f, 0.05f, 0.02f, 1};
const Colour kLed = {0.25f, 1.0f, 0.35f, 1};

// A column of rain: its head (near white) at the bottom, its tail fading upwards.
Colour RainColour(int from_head, int length) {
    if (from_head == 0) return Colour{0.85f, 1.0f, 0.85f, 1};
    const float fade = 1.0f - static_cast<float>(from_head) / length;
    return Colour{0.05f, 0.25f + 0.7f * fade, 0.08f, 1};
}

// Small sizes: streaks one or two pixels wide, every other or every third column; from 32
// pixels up a dark pixel after every two breaks a streak into glyphs.
void DrawStreaks(Canvas* canvas, const Box& screen, int streak_width, int pitch, bool broken) {
    Random random;
    const int height = screen.bottom - screen.top;
    for (int x = screen.left + 1; x + streak_width <= screen.right - 1; x += pitch) {
        const int length = 2 + random(std::max(2, height - 1));
        const int head = screen.top + random(height) + length / 2;
        for (int i = 0; i < length; ++i) {
            const int y = head - i;
            if (y < screen.top || y >= screen.bottom || (broken && i % 3 == 2)) continue;
            for (int dx = 0; dx < streak_width; ++dx)
                canvas->Blend(x + dx, y, RainColour(i, length), 1);
        }
    }
}

// 256 pixels: columns of our glyphs, one pixel per strip texel.
void DrawGlyphRain(Canvas* canvas, const Box& screen) {
    Random random;
    for (int x = screen.left + 4; x + kGlyphCellWidth <= screen.right - 2; x += kGlyphCellWidth) {
        const int rows = (screen.bottom - screen.top) / kGlyphCellHeight + 1;
        if (random(4) == 0) continue;  // a few empty columns let the rain breathe
        const int length = 2 + random(rows - 2);
        const int head_row = random(rows + 2);
        for (int i = 0; i < length; ++i) {
            const int row = head_row - i;
            if (row < 0) break;
            const GreyPicture glyph = UprightGlyph(random(kGlyphCount));
            const Colour colour = RainColour(i, length);
            const int top = screen.top + 3 + row * kGlyphCellHeight;
            for (int gy = 0; gy < kGlyphCellHeight; ++gy) {
                if (top + gy >= screen.bottom - 1) break;
                for (int gx = 0; gx < kGlyphCellWidth; ++gx)
                    canvas->Blend(x + gx, top + gy, colour, glyph.at(gx, gy) / 255.0f);
            }
        }
    }
}

RgbaPicture DrawIcon(int size) {
    Canvas canvas(size);
    const int line = std::max(1, size / 64);
    const float scale = static_cast<float>(size);

    auto plastic = [](float down) { return Mix(kPlasticTop, kPlasticBottom, down); };
    auto flat = [](Colour c) { return [c](float) { return c; }; };

    // The foot and the neck behind the body.
    const Box foot = Snap(size, 0.22f, 0.85f, 0.78f, 0.97f);
    FillRounded(&canvas, foot, 0.04f * scale, flat(kOutline));
    FillRounded(&canvas, Inset(foot, line), 0.03f * scale, plastic);
    const Box neck = Snap(size, 0.38f, 0.72f, 0.62f, 0.88f);
    FillRounded(&canvas, neck, 0, flat(kOutline));
    FillRounded(&canvas, Box{neck.left + line, neck.top, neck.right - line, neck.bottom - line}, 0,
                [](float) { return kPlasticBottom; });

    // The body with its bezel, and the recessed screen.
    const Box body = Snap(size, 0.02f, 0.04f, 0.98f, 0.80f);
    FillRounded(&canvas, body, 0.08f * scale, flat(kOutline));
    FillRounded(&canvas, Inset(body, line), 0.07f * scale, plastic);
    const Box recess = Snap(size, 0.11f, 0.12f, 0.89f, 0.68f);
    FillRounded(&canvas, recess, 0.04f * scale, flat(kRecess));
    const Box screen = Inset(recess, line);
    FillRounded(&canvas, screen, 0.03f * scale, flat(kScreen));

    if (size >= 128) {
        DrawGlyphRain(&canvas, screen);
    } else {
        DrawStreaks(&canvas, screen, size >= 48 ? 2 : 1, size >= 48 ? 3 : 2, size >= 32);
    }

    // A faint reflection across the glass's upper left.
    if (size >= 32) {
        for (int y = screen.top; y < screen.bottom; ++y)
            for (int x = screen.left; x < screen.right; ++x) {
                const float along = (x - screen.left) + (y - screen.top) * 1.6f;
                const float band = 1.0f - std::fabs(along - 0.25f * (screen.right - screen.left)) /
                                              (0.12f * (screen.right - screen.left));
                if (band > 0)
                    canvas.Blend(x, y, Colour{1, 1, 1, 0.10f},
                                 band * RoundedCoverage(screen, 0.03f * scale, x, y));
            }
    }

    // The power light on the bezel's lower right.
    if (size >= 24) {
        const int led = std::max(1, size / 24);
        const int x = static_cast<int>(std::lround(0.84f * size));
        const int y = static_cast<int>(std::lround(0.735f * size)) - led / 2;
        FillRounded(&canvas, Box{x, y, x + led, y + led}, led * 0.5f, flat(kLed));
    }
    return canvas.ToPicture();
}

}  // namespace

void MakeProductIcon(Generated* out) {
    const int sizes[] = {16, 24, 32, 48, 256};
    std::vector<IconImage> images;
    std::vector<RgbaPicture> pictures;
    for (int size : sizes) {
        pictures.push_back(DrawIcon(size));
        IconImage image;
        image.width = size;
        image.height = size;
        image.planes_or_hot_x = 1;
        image.bits_or_hot_y = 32;
        image.bytes = size == 256 ? EncodePng(pictures.back()) : EncodeIconDib(pictures.back());
        images.push_back(image);
    }
    out->files.push_back({"veloth.ico", EncodeIconFile(IconKind::Icon, images)});

    // Every size side by side, on a light ground above and a dark one below.
    int width = 8;
    for (const RgbaPicture& picture : pictures) width += picture.width + 8;
    RgbPicture sheet(width, 2 * (256 + 16));
    const unsigned char light[3] = {240, 240, 240};
    const unsigned char dark[3] = {32, 32, 36};
    Fill(&sheet, 0, 0, width, sheet.height / 2, light);
    Fill(&sheet, 0, sheet.height / 2, width, sheet.height / 2, dark);
    for (int half = 0; half < 2; ++half) {
        int x = 8;
        for (const RgbaPicture& picture : pictures) {
            Paste(&sheet, x, half * sheet.height / 2 + 8 + 256 - picture.height, picture);
            x += picture.width + 8;
        }
    }
    out->sheet.push_back(ToSheet("veloth.ico 16, 24, 32, 48 and 256", sheet));
}

}  // namespace assetgen
