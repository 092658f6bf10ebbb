// Drawing aids for the painted pictures: smooth noise for the plastic's grain, signed
// distances of simple shapes, and their anti-aliased coverage.
#pragma once

#include <cstdint>

#include "loft.h"
#include "vec.h"

namespace assetgen {

// Smooth value noise in [-1, 1] with features about one unit apart; the same seed gives the
// same field everywhere.
double ValueNoise(double x, double y, std::uint32_t seed);
// A few octaves of it, the finest `finest` units apart (never finer than that, so that the
// grain does not shimmer when drawn smaller).
double Grain(double x, double y, double finest, std::uint32_t seed);

// Signed distances: negative inside.
double RoundRectDistance(Vec2 p, const RoundRect& shape);
double EllipseDistance(Vec2 p, Vec2 centre, double ax, double ay);  // approximate, near the edge
double SegmentDistance(Vec2 p, Vec2 a, Vec2 b);

// How much of a pixel `pixel` units wide lies inside a shape at signed distance d.
inline double Coverage(double d, double pixel) { return Clamp(0.5 - d / pixel, 0.0, 1.0); }

}  // namespace assetgen
