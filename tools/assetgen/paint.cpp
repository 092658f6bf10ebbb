// Noise and shape distances for the painters (see paint.h).
#include "paint.h"

#include <algorithm>
#include <cmath>

namespace assetgen {

namespace {

std::uint32_t Mix32(std::uint32_t h) {
    h ^= h >> 16;
    h *= 0x7FEB352Du;
    h ^= h >> 15;
    h *= 0x846CA68Bu;
    h ^= h >> 16;
    return h;
}

// A hash of three integers to [0, 1).
double Hash01(std::int64_t a, std::int64_t b, std::uint32_t seed) {
    std::uint32_t h = Mix32(seed ^ 0x9E3779B9u);
    h = Mix32(h ^ static_cast<std::uint32_t>(a));
    h = Mix32(h ^ static_cast<std::uint32_t>(b) * 0x85EBCA6Bu);
    return (h >> 8) * (1.0 / 16777216.0);
}

double Lattice(std::int64_t x, std::int64_t y, std::uint32_t seed) {
    return Hash01(x, y, seed) * 2 - 1;
}

double Fade(double t) { return t * t * t * (t * (t * 6 - 15) + 10); }

}  // namespace

double ValueNoise(double x, double y, std::uint32_t seed) {
    const double fx = std::floor(x), fy = std::floor(y);
    const auto ix = static_cast<std::int64_t>(fx), iy = static_cast<std::int64_t>(fy);
    const double u = Fade(x - fx), v = Fade(y - fy);
    const double a = Lerp(Lattice(ix, iy, seed), Lattice(ix + 1, iy, seed), u);
    const double b = Lerp(Lattice(ix, iy + 1, seed), Lattice(ix + 1, iy + 1, seed), u);
    return Lerp(a, b, v);
}

double Grain(double x, double y, double finest, std::uint32_t seed) {
    double sum = 0, weight = 0, amplitude = 1, scale = 1 / finest;
    for (int octave = 0; octave < 3; ++octave) {
        sum += amplitude * ValueNoise(x * scale, y * scale, seed + octave * 101u);
        weight += amplitude;
        amplitude *= 1.4;
        scale *= 0.5;
    }
    return sum / weight;
}

double RoundRectDistance(Vec2 p, const RoundRect& s) {
    const double qx = std::fabs(p.x - s.cx) - (s.hw - s.r);
    const double qy = std::fabs(p.y - s.cy) - (s.hh - s.r);
    const double ox = std::max(qx, 0.0), oy = std::max(qy, 0.0);
    return std::sqrt(ox * ox + oy * oy) + std::min(std::max(qx, qy), 0.0) - s.r;
}

double EllipseDistance(Vec2 p, Vec2 c, double ax, double ay) {
    const double x = (p.x - c.x) / ax, y = (p.y - c.y) / ay;
    const double k = std::sqrt(x * x + y * y);
    // The implicit function over the length of its gradient: good near the ellipse.
    const double gx = x / ax, gy = y / ay;
    const double g = std::sqrt(gx * gx + gy * gy);
    return g > 0 ? (k - 1) * k / g : -std::min(ax, ay);
}

double SegmentDistance(Vec2 p, Vec2 a, Vec2 b) {
    const Vec2 ab = b - a, ap = p - a;
    const double len2 = ab.x * ab.x + ab.y * ab.y;
    const double t = len2 > 0 ? Clamp((ap.x * ab.x + ap.y * ab.y) / len2, 0.0, 1.0) : 0;
    const Vec2 d = ap - ab * t;
    return std::sqrt(d.x * d.x + d.y * d.y);
}

}  // namespace assetgen
