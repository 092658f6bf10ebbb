// Paints the casing atlas. Every texel starts as grained plastic; each part of the model then
// adds its details in its own units, found from the texel through the part's map. Details are
// soft-edged and no narrower than about two texels, since the atlas is drawn without mipmaps.
#include "casing_atlas.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "lettering.h"
#include "monitor_design.h"
#include "paint.h"

namespace assetgen {

namespace {

namespace m = monitor;

const Rgb kPlastic = Hex(0xEDE9DF);       // light warm grey
const Rgb kBadgePlate = Hex(0x6A6660);    // the badge: a darker plate
const Rgb kBadgeLetters = Hex(0xE4E1D8);  // with light letters
const Rgb kVentDark = Hex(0x2C2A27);      // looking into a vent slot
const Rgb kLedGreen = Hex(0x5CFF7A);
const Rgb kLedCore = Hex(0xD8FFE0);

// The glass edge and the opening of the front, where the chamfer lies.
constexpr RoundRect kGlass = {m::kOpening.cx,
                              m::kOpening.cy,
                              m::kOpening.hw - m::kChamferInset,
                              m::kOpening.hh - m::kChamferInset,
                              m::kOpening.r - m::kChamferInset,
                              0};

// Light for the painted relief: from the upper right, as the scene's light is from the right.
const Vec2 kReliefLight = {0.78, 0.62};

double Plastic(int x, int y) {
    const double fine = Grain(x + 0.5, y + 0.5, 2.2, 11);
    const double mottle = ValueNoise(x / 40.0, y / 40.0, 23);
    return 1 + 0.022 * fine + 0.006 * mottle;
}

// The shading of a raised shape of signed distance function d: a bevel `bevel` wide at its
// edge catches the light on the side facing it (positive) and is shaded on the other
// (negative). A sunken shape takes the result negated.
template <typename Distance>
double Relief(Vec2 p, Distance d, double bevel) {
    const double h = 1e-3;
    const double here = d(p);
    if (here > bevel || here < -bevel) return 0;
    const Vec2 g = {(d({p.x + h, p.y}) - d({p.x - h, p.y})) / (2 * h),
                    (d({p.x, p.y + h}) - d({p.x, p.y - h})) / (2 * h)};
    const double slope = 1 - std::fabs(here) / bevel;  // strongest on the edge itself
    return slope * (g.x * kReliefLight.x + g.y * kReliefLight.y);
}

// The bezel front: a soft top-to-bottom gradient, shade in the chamfer, the badge, the
// power button, the LED and four small buttons.
Rgb PaintFront(Rgb base, Vec2 p, double pixel) {
    Rgb c = base * (1 + 0.025 * (p.y / m::kFace.hh));
    const double glass = RoundRectDistance(p, kGlass);
    if (glass < m::kChamferInset + 0.01) {
        const double into = Clamp(1 - glass / m::kChamferInset, 0, 1);
        c = c * (1 - 0.16 * into * into);
    }
    // Badge: a raised dark plate with raised light letters.
    const Vec2 badge = {m::kBadgeX, m::kControlsY};
    const RoundRect plate = {badge.x, badge.y, 0.56, 0.12, 0.05, 0};
    auto plate_distance = [plate](Vec2 q) { return RoundRectDistance(q, plate); };
    c = Mix(c, kBadgePlate, Coverage(plate_distance(p), pixel));
    c = c * (1 + 0.7 * Relief(p, plate_distance, 0.018));
    auto text = [badge](Vec2 q) { return TextDistance(q, "VELOTH", badge, m::kLetterHeight); };
    c = Mix(c, kBadgeLetters, Coverage(text(p), pixel));
    c = c * (1 + 0.5 * Relief(p, text, 0.01));
    // Power button: a rounded key in a dark gap.
    const RoundRect key = {m::kPowerX, m::kControlsY, 0.15, 0.075, 0.05, 0};
    const double kd = RoundRectDistance(p, key);
    c = c * (1 - 0.45 * Coverage(std::fabs(kd) - 0.008, pixel));
    auto key_top = [key](Vec2 q) { return RoundRectDistance(q, key) + 0.022; };
    c = c * (1 + 0.5 * Relief(p, key_top, 0.02));
    // Four small round buttons.
    for (int i = 0; i < 4; ++i) {
        const Vec2 at = {m::kKnobsX + i * m::kKnobSpacing, m::kControlsY};
        auto knob = [at](Vec2 q) { return EllipseDistance(q, at, 0.045, 0.045); };
        c = c * (1 - 0.40 * Coverage(std::fabs(knob(p)) - 0.007, pixel));
        auto knob_top = [knob](Vec2 q) { return knob(q) + 0.02; };
        c = c * (1 + 0.5 * Relief(p, knob_top, 0.018));
    }
    // LED: a green lens in a dark ring, with a faint glow on the plastic around it.
    const Vec2 led = {m::kLedX, m::kControlsY};
    const double ld = EllipseDistance(p, led, 0.034, 0.034);
    const double glow = Exp(-(ld > 0 ? ld : 0) / 0.025) * 0.20;
    c = Mix(c, kLedGreen, glow * (ld > 0 ? 1 : 0));
    c = Mix(c, Hex(0x1E2A20), Coverage(ld - 0.008, pixel));
    const double lens = Coverage(ld, pixel);
    const double core = Exp(-std::sqrt((p.x - led.x - 0.008) * (p.x - led.x - 0.008) +
                                       (p.y - led.y - 0.008) * (p.y - led.y - 0.008)) /
                            0.014);
    c = Mix(c, Mix(kLedGreen, kLedCore, core), lens);
    return c;
}

// A block of vent slots in a part's own units, filling lo..hi: rounded slots `length` long
// and `width` wide, their length along u (or along v), rows of them `pitch` apart.
struct VentBlock {
    Vec2 lo, hi;
    double length, width, pitch;
    bool along_u;
};
constexpr double kSlotGap = 0.08;  // between two slots end to end

Rgb Vents(Rgb c, Vec2 p, const VentBlock& b, double pixel) {
    if (p.x < b.lo.x - 0.1 || p.x > b.hi.x + 0.1 || p.y < b.lo.y - 0.1 || p.y > b.hi.y + 0.1)
        return c;
    // In the block's own terms: along the slots and across them.
    const Vec2 q = b.along_u ? p : Vec2{p.y, p.x};
    const Vec2 lo = b.along_u ? b.lo : Vec2{b.lo.y, b.lo.x};
    const Vec2 hi = b.along_u ? b.hi : Vec2{b.hi.y, b.hi.x};
    const int per_row = static_cast<int>(std::floor((hi.x - lo.x + 0.02) / (b.length + kSlotGap)));
    const int rows = static_cast<int>(std::floor((hi.y - lo.y + 0.02) / b.pitch));
    double nearest = 1e9;
    for (int i = 0; i < per_row; ++i) {
        for (int j = 0; j < rows; ++j) {
            const RoundRect slot = {lo.x + b.length / 2 + i * (b.length + kSlotGap),
                                    lo.y + b.width / 2 + j * b.pitch,
                                    b.length / 2,
                                    b.width / 2,
                                    b.width / 2 - 1e-6,
                                    0};
            nearest = std::min(nearest, RoundRectDistance(q, slot));
        }
    }
    c = Mix(c, kVentDark, Coverage(nearest, pixel) * 0.85);
    // A soft shade on the moulding around each slot.
    if (nearest > -0.03 && nearest < 0.03) c = c * (1 - 0.12 * (1 - std::fabs(nearest) / 0.03));
    return c;
}

// One side of the housing, in its strip's units (u along the ring, v from the bezel's front
// edge backwards): shade behind the bezel's step, and vents towards the back on the top and
// on the two sides.
Rgb PaintSide(Rgb c, int side, Vec2 p, double pixel) {
    const double housing = m::kBezelDepth - m::kEdgeRadius + m::kStep;
    if (p.y > housing) c = c * (1 - 0.10 * Clamp(1 - (p.y - housing) / 0.25, 0, 1));
    if (side == atlas::kTop) {
        c = Vents(c, p, {{-1.25, 2.05}, {1.25, 3.15}, 0.46, 0.12, 0.24, false}, pixel);
    } else if (side == atlas::kLeft || side == atlas::kRight) {
        c = Vents(c, p, {{-0.85, 2.35}, {0.85, 3.05}, 0.30, 0.12, 0.24, false}, pixel);
    }
    return c;
}

// The back cap, seen from behind: a block of vents above a plain panel.
Rgb PaintBack(Rgb c, Vec2 p, double pixel) {
    c = Vents(c, p, {{-1.12, -0.30}, {1.12, 1.02}, 0.46, 0.09, 0.17, true}, pixel);
    const RoundRect panel = {0, -0.92, 0.70, 0.28, 0.06, 0};
    auto panel_distance = [panel](Vec2 q) { return RoundRectDistance(q, panel); };
    c = c * (1 - 0.25 * Relief(p, panel_distance, 0.02));
    return c;
}

// The top of the base, seen from above: a groove near its edge and shade where the neck
// stands.
Rgb PaintFootTop(Rgb c, Vec2 p, double pixel) {
    c = c * 0.96;
    const double groove =
        EllipseDistance(p, {0, 0}, m::kBaseHalfWidth - 0.30, m::kBaseHalfDepth - 0.30);
    c = c * (1 - 0.22 * Coverage(std::fabs(groove) - 0.012, pixel));
    const double neck = EllipseDistance(p, {0, 0}, m::kNeckHalfWidth + m::kNeckFillet,
                                        m::kNeckHalfDepth + m::kNeckFillet);
    if (neck > 0) c = c * (1 - 0.18 * Exp(-neck / 0.10));
    return c;
}

void Fail(const char* what) {
    std::fprintf(stderr, "assetgen: atlas: %s\n", what);
    std::exit(1);
}

// The small parts live inside the glass edge of the front map, clear of its edge.
void CheckInsideGlass(double u0, double v0, double u1, double v1) {
    for (double u : {u0, u1}) {
        for (double v : {v0, v1}) {
            const Vec2 p = {(u - atlas::kFrontCentreU) / atlas::kFrontScale,
                            (atlas::kFrontCentreV - v) / atlas::kFrontScale};
            if (RoundRectDistance(p, kGlass) > -4 / atlas::kFrontScale) {
                Fail("a part's region overlaps the bezel front");
            }
        }
    }
}

struct Box {
    double u0, v0, u1, v1;
    bool Holds(double u, double v) const { return u >= u0 && u < u1 && v >= v0 && v < v1; }
};

}  // namespace

Image PaintCasingAtlas() {
    namespace a = atlas;
    // The regions inside the glass edge, a little larger than what their maps reach.
    const Box back = {a::kBackCentreU - 64, a::kBackCentreV - 62, a::kBackCentreU + 64,
                      a::kBackCentreV + 62};
    const Box foot = {a::kFootCentreU - 70, a::kFootCentreV - 63, a::kFootCentreU + 70,
                      a::kFootCentreV + 63};
    const Box neck = {a::kNeckU - 3, a::kNeckV - 3, a::kNeckU + 162, a::kNeckV + 36};
    const Box under = {a::kUnderCentreU - 24, a::kUnderCentreV - 22, a::kUnderCentreU + 24,
                       a::kUnderCentreV + 22};
    for (const Box& box : {back, foot, neck, under})
        CheckInsideGlass(box.u0, box.v0, box.u1, box.v1);

    Image atlas(a::kSize, a::kSize);
    for (int y = 0; y < a::kSize; ++y) {
        for (int x = 0; x < a::kSize; ++x) {
            Rgb c = kPlastic * Plastic(x, y);
            const double u = x + 0.5, v = y + 0.5;
            const Vec2 front = {(u - a::kFrontCentreU) / a::kFrontScale,
                                (a::kFrontCentreV - v) / a::kFrontScale};
            if (v >= a::kSideV - 2) {
                for (int side = 0; side < 4; ++side) {
                    if (std::fabs(u - a::kSideCentreU[side]) < 62) {
                        c = PaintSide(c, side,
                                      {(u - a::kSideCentreU[side]) / a::kSideScale,
                                       (v - a::kSideV) / a::kSideScale},
                                      1 / a::kSideScale);
                    }
                }
            } else if (RoundRectDistance(front, kGlass) > -2 / a::kFrontScale) {
                c = PaintFront(c, front, 1 / a::kFrontScale);
            } else if (back.Holds(u, v)) {
                // Seen from behind, the model's x runs to the left.
                c = PaintBack(
                    c,
                    {(a::kBackCentreU - u) / a::kBackScale, (a::kBackCentreV - v) / a::kBackScale},
                    1 / a::kBackScale);
            } else if (foot.Holds(u, v)) {
                c = PaintFootTop(
                    c,
                    {(u - a::kFootCentreU) / a::kFootScale, (v - a::kFootCentreV) / a::kFootScale},
                    1 / a::kFootScale);
            } else if (neck.Holds(u, v)) {
                c = c * 0.96;
            } else if (under.Holds(u, v)) {
                c = c * 0.80;
            }
            atlas.At(x, y) = c;
        }
    }
    return atlas;
}

}  // namespace assetgen
