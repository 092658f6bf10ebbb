// Surfaces swept through closed rings: rounded rectangles for the monitor's head, ellipses for
// its foot. A band is one smooth stretch of surface between two creases; its normals come from
// the surface's own derivatives, so they run smoothly across rounded edges, and neighbouring
// bands meet with vertices of their own (a hard crease, or a seam of texture coordinates).
#pragma once

#include <functional>
#include <vector>

#include "mesh.h"
#include "vec.h"

namespace assetgen {

// One point of a ring: where it lies, which way the ring runs there (counter-clockwise seen
// from the positive end of the ring's axis) and how far along the ring it is.
struct RingPoint {
    Vec3 position;
    Vec3 tangent;      // unit length
    Vec2 outward;      // unit normal of the ring in its own plane, away from its axis
    double perimeter;  // distance along the ring from point 0
    double loop;       // the ring's whole length
};
using Ring = std::vector<RingPoint>;

// A rounded rectangle in a plane z = const: centre, half sizes, corner radius (> 0).
struct RoundRect {
    double cx, cy, hw, hh, r, z;
};
// Four corners of `segments` + 1 points each, starting at the top-right corner's 0 degrees;
// neighbouring corners are joined by the straight sides.
Ring RoundRectRing(const RoundRect& shape, int segments);
RoundRect Mix(const RoundRect& a, const RoundRect& b, double t);

// An ellipse in a plane y = const, counter-clockwise seen from above, starting at the back
// (smallest z) so that a texture seam there stays out of sight.
struct Ellipse {
    double cx, cz, ax, az, y;
};
Ring EllipseRing(const Ellipse& shape, int points);

// Maps a point of the band to its texture coordinate: the ring it lies on, its index there and
// the distance travelled along the surface from the band's first ring. The point that closes
// a closed ring comes again with the index ring.size().
using UvMap = std::function<Vec2(const Ring& ring, int index, double distance)>;
// The point of a ring by such an index, and its distance along the ring (the closing point's
// is the ring's whole length).
const RingPoint& PointAt(const Ring& ring, int index);
double PerimeterAt(const Ring& ring, int index);

struct Band {
    std::function<Ring(double t)> ring;  // the same number of points for every t
    std::vector<double> ts;              // where rings are taken, in order
    // The part of the ring the band covers, as ring indices first..last (wrapping past the
    // end); the whole closed ring when `closed`.
    bool closed = true;
    int first = 0;
    int last = 0;
    // Distances already travelled at the first ring, one per covered point (empty: zero), for
    // a band whose texture continues the one before it.
    std::vector<double> start_distance;
    UvMap uv;
    int material = 0;
};

// A rigid placement: a rotation (rows) and a translation.
struct Placement {
    double m[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
    Vec3 offset;
    Vec3 Point(Vec3 p) const;
    Vec3 Direction(Vec3 d) const;
};
Placement RotationX(double radians);

// Adds the band's vertices and triangles. The surface's outside is to the left of the ring
// direction when t grows, i.e. the rings run counter-clockwise about their axis and t runs
// along the outside towards the axis' negative end (front to back, top to bottom).
// Returns, for every covered ring point, the distance its last ring reached along the surface.
std::vector<double> AddBand(Mesh* mesh, const Band& band, const Placement& placement);

// A flat cap over one ring: a fan around `centre`, facing `normal` (in the ring's frame).
void AddCap(Mesh* mesh, const Ring& ring, Vec3 centre, Vec3 normal,
            const std::function<Vec2(Vec3 position)>& uv, int material, const Placement& placement);

}  // namespace assetgen
