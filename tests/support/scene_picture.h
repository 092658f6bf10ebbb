// What a full-screen frame of the saver shows, found in a picture of the whole screen: the
// desktop picture the tests start from, the banner, the monitor with the rain or the failure
// message on its screen, and the silhouette. Plain pixels only, for the unit tests' read-backs
// and the end-to-end driver's screenshots alike.
#pragma once

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace scene {

struct Rgb {
    int r, g, b;
};

// A picture of the screen, R, G, B bytes, top row first.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgb;
    Rgb at(int x, int y) const {
        const unsigned char* p = &rgb[(static_cast<size_t>(y) * width + x) * 3];
        return {p[0], p[1], p[2]};
    }
};

// The desktop the tests put on the screen: a smooth gradient, blue enough that no part of the
// scene (grey casing, black screen, green glyphs, the banner) can be mistaken for it.
inline Rgb KnownDesktop(int x, int y, int width, int height) {
    return {60 + x * 120 / width, 90 + y * 100 / height, 210 - x * 50 / width};
}

inline bool Near(const Rgb& a, const Rgb& b, int tolerance) {
    return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance &&
           std::abs(a.b - b.b) <= tolerance;
}

inline bool IsDesktop(const Picture& p, int x, int y) {
    return Near(p.at(x, y), KnownDesktop(x, y, p.width, p.height), 2);
}

// The silhouette darkens the desktop to 60 %.
inline bool IsSilhouette(const Picture& p, int x, int y) {
    const Rgb d = KnownDesktop(x, y, p.width, p.height);
    return Near(p.at(x, y), {d.r * 6 / 10, d.g * 6 / 10, d.b * 6 / 10}, 3);
}

// Saturated green: the glyphs' tails and the failure message, never the desktop or the casing.
inline bool IsGlyphGreen(const Rgb& c) { return c.g >= 120 && c.r <= c.g / 2 && c.b <= c.g / 2; }
inline bool IsWhite(const Rgb& c) { return c.r >= 190 && c.g >= 190 && c.b >= 190; }

// The banner is centred at the top edge, a quarter of the width wide and 1/48 of the height.
struct Rect {
    int left, top, right, bottom;
    int width() const { return right - left; }
    int height() const { return bottom - top; }
};
inline Rect BannerRect(const Picture& p) {
    return {p.width * 3 / 8, 0, p.width * 5 / 8, p.height / 48};
}

struct SceneParts {
    double desktopShare = 0;  // pixels that show the desktop unchanged
    int silhouette = 0;       // pixels at 60 % of the desktop
    int silhouetteLeft = 0;   // of those, left of the model's middle (the light is to the right)
    Rect model = {0, 0, 0, 0};  // bounding box of what is neither, below the banner
    double bannerShare = 0;   // of the banner's rectangle: black to green, as the banner is
    double bannerDark = 0;    // of it: black within 1 (the desktop has wholly dissolved)
    double besideBanner = 0;  // of the strips left and right of it: the desktop unchanged
    Rect screen = {0, 0, 0, 0};  // the monitor's screen: where its glyph green lies
    int green = 0;            // on the screen: glyph green
    int white = 0;            // on the screen: white
    double casingLight = 0;   // mean brightness of the grey casing around it
    int messageCells = 0;     // 16 x 16 cells of the screen dense with saturated green
};

inline SceneParts FindSceneParts(const Picture& p) {
    SceneParts s;
    const Rect banner = BannerRect(p);
    long desktop = 0;
    Rect box = {p.width, p.height, -1, -1};
    for (int y = 0; y < p.height; ++y) {
        for (int x = 0; x < p.width; ++x) {
            if (IsDesktop(p, x, y)) {
                ++desktop;
            } else if (IsSilhouette(p, x, y)) {
                ++s.silhouette;
            } else if (y >= banner.bottom + 2) {
                box = {std::min(box.left, x), std::min(box.top, y), std::max(box.right, x + 1),
                       std::max(box.bottom, y + 1)};
            }
        }
    }
    s.desktopShare = static_cast<double>(desktop) / (static_cast<double>(p.width) * p.height);
    s.model = box.right < 0 ? Rect{0, 0, 0, 0} : box;

    const int middle = (s.model.left + s.model.right) / 2;
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < middle; ++x) s.silhouetteLeft += IsSilhouette(p, x, y) ? 1 : 0;

    long bannerLike = 0, bannerDark = 0, beside = 0, besideDesktop = 0;
    for (int y = banner.top; y < banner.bottom; ++y) {
        for (int x = 0; x < p.width; ++x) {
            const Rgb c = p.at(x, y);
            if (x >= banner.left && x < banner.right) {
                bannerLike += (IsGlyphGreen(c) || (c.r <= 40 && c.b <= 40)) ? 1 : 0;
                bannerDark += Near(c, {0, 0, 0}, 1) ? 1 : 0;
            } else if (x < banner.left - 2 || x >= banner.right + 2) {
                ++beside;
                besideDesktop += IsDesktop(p, x, y) ? 1 : 0;
            }
        }
    }
    const double bannerPixels = static_cast<double>(banner.width()) * banner.height();
    s.bannerShare = bannerLike / bannerPixels;
    s.bannerDark = bannerDark / bannerPixels;
    s.besideBanner = beside == 0 ? 0 : static_cast<double>(besideDesktop) / beside;

    // The monitor's screen: where the glyph green is, but for a few stray pixels (the lamp).
    std::vector<int> xs, ys;
    for (int y = s.model.top; y < s.model.bottom; ++y)
        for (int x = s.model.left; x < s.model.right; ++x)
            if (IsGlyphGreen(p.at(x, y))) {
                xs.push_back(x);
                ys.push_back(y);
            }
    if (xs.size() >= 20) {
        std::sort(xs.begin(), xs.end());
        std::sort(ys.begin(), ys.end());
        const size_t low = xs.size() / 20, high = xs.size() - 1 - xs.size() / 20;
        s.screen = {xs[low], ys[low], xs[high] + 1, ys[high] + 1};
    }
    for (int y = s.screen.top; y < s.screen.bottom; ++y) {
        for (int x = s.screen.left; x < s.screen.right; ++x) {
            const Rgb c = p.at(x, y);
            s.green += IsGlyphGreen(c) ? 1 : 0;
            s.white += IsWhite(c) ? 1 : 0;
        }
    }

    // The casing: grey, lighter than black, outside the screen.
    double casing = 0;
    long casingPixels = 0;
    for (int y = s.model.top; y < s.model.bottom; ++y) {
        for (int x = s.model.left; x < s.model.right; ++x) {
            const bool onScreen = x >= s.screen.left && x < s.screen.right &&
                                  y >= s.screen.top && y < s.screen.bottom;
            const Rgb c = p.at(x, y);
            const bool grey = std::abs(c.r - c.g) <= 20 && std::abs(c.g - c.b) <= 24;
            if (!onScreen && grey && !IsDesktop(p, x, y) && c.r + c.g + c.b >= 3 * 40) {
                casing += (c.r + c.g + c.b) / 3.0;
                ++casingPixels;
            }
        }
    }
    s.casingLight = casingPixels == 0 ? 0 : casing / casingPixels;

    // The failure message's letters are large and saturated; the rain's glyphs are small and
    // spread out, so no 16 x 16 cell of the rain holds many saturated pixels.
    for (int cy = s.screen.top; cy + 16 <= s.screen.bottom; cy += 16) {
        for (int cx = s.screen.left; cx + 16 <= s.screen.right; cx += 16) {
            int n = 0;
            for (int y = cy; y < cy + 16; ++y)
                for (int x = cx; x < cx + 16; ++x) {
                    const Rgb c = p.at(x, y);
                    n += (c.g >= 170 && c.r <= 70 && c.b <= 70) ? 1 : 0;
                }
            s.messageCells += n >= 25 ? 1 : 0;
        }
    }
    return s;
}

}  // namespace scene
