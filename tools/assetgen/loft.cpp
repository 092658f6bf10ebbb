// Ring shapes, bands and caps (see loft.h).
#include "loft.h"

#include <cstdio>
#include <cstdlib>

namespace assetgen {

namespace {

// Step of the numerical derivative along t; the ring functions are smooth formulas.
constexpr double kDerivativeStep = 1e-5;

std::vector<int> CoveredIndices(const Band& band, int ring_size) {
    std::vector<int> indices;
    if (band.closed) {
        for (int i = 0; i < ring_size; ++i) indices.push_back(i);
        indices.push_back(0);
        return indices;
    }
    for (int i = band.first;; i = (i + 1) % ring_size) {
        indices.push_back(i);
        if (i == band.last) break;
    }
    return indices;
}

double TriangleArea(Vec3 a, Vec3 b, Vec3 c) { return 0.5 * Length(Cross(b - a, c - a)); }

// Each point's distance along the ring and the ring's whole length, point to point.
void MeasureRing(Ring* ring) {
    double perimeter = 0;
    for (std::size_t i = 0; i < ring->size(); ++i) {
        if (i > 0) perimeter += Length((*ring)[i].position - (*ring)[i - 1].position);
        (*ring)[i].perimeter = perimeter;
    }
    const double loop = perimeter + Length(ring->front().position - ring->back().position);
    for (RingPoint& p : *ring) p.loop = loop;
}

}  // namespace

Ring RoundRectRing(const RoundRect& s, int segments) {
    Ring ring;
    const double sx[4] = {1, -1, -1, 1};
    const double sy[4] = {1, 1, -1, -1};
    for (int q = 0; q < 4; ++q) {
        const double ccx = s.cx + sx[q] * (s.hw - s.r);
        const double ccy = s.cy + sy[q] * (s.hh - s.r);
        for (int j = 0; j <= segments; ++j) {
            const double a = (q + static_cast<double>(j) / segments) * (kPi / 2);
            const double c = Cos(a), sn = Sin(a);
            RingPoint p;
            p.position = {ccx + s.r * c, ccy + s.r * sn, s.z};
            p.tangent = {-sn, c, 0};
            p.outward = {c, sn};
            ring.push_back(p);
        }
    }
    MeasureRing(&ring);
    return ring;
}

RoundRect Mix(const RoundRect& a, const RoundRect& b, double t) {
    return {Lerp(a.cx, b.cx, t), Lerp(a.cy, b.cy, t), Lerp(a.hw, b.hw, t),
            Lerp(a.hh, b.hh, t), Lerp(a.r, b.r, t),   Lerp(a.z, b.z, t)};
}

Ring EllipseRing(const Ellipse& s, int points) {
    Ring ring;
    for (int i = 0; i < points; ++i) {
        // Angle 0 at the back (-z), then towards -x: counter-clockwise seen from above.
        const double a = 2 * kPi * i / points;
        const double sn = Sin(a), c = Cos(a);
        RingPoint p;
        p.position = {s.cx - s.ax * sn, s.y, s.cz - s.az * c};
        p.tangent = Normalize(Vec3{-s.ax * c, 0, s.az * sn});
        const Vec3 out = Normalize(Vec3{-s.az * sn, 0, -s.ax * c});
        p.outward = {out.x, out.z};
        ring.push_back(p);
    }
    MeasureRing(&ring);
    return ring;
}

const RingPoint& PointAt(const Ring& ring, int index) {
    return ring[static_cast<std::size_t>(index) % ring.size()];
}

double PerimeterAt(const Ring& ring, int index) {
    return index == static_cast<int>(ring.size()) ? ring.front().loop : ring[index].perimeter;
}

Vec3 Placement::Point(Vec3 p) const { return Direction(p) + offset; }

Vec3 Placement::Direction(Vec3 d) const {
    return {m[0][0] * d.x + m[0][1] * d.y + m[0][2] * d.z,
            m[1][0] * d.x + m[1][1] * d.y + m[1][2] * d.z,
            m[2][0] * d.x + m[2][1] * d.y + m[2][2] * d.z};
}

Placement RotationX(double radians) {
    Placement p;
    const double c = Cos(radians), s = Sin(radians);
    p.m[1][1] = c;
    p.m[1][2] = -s;
    p.m[2][1] = s;
    p.m[2][2] = c;
    return p;
}

std::vector<double> AddBand(Mesh* mesh, const Band& band, const Placement& placement) {
    const std::size_t ring_count = band.ts.size();
    if (ring_count < 2) {
        std::fprintf(stderr, "assetgen: a band needs two rings\n");
        std::exit(1);
    }
    const int ring_size = static_cast<int>(band.ring(band.ts[0]).size());
    const std::vector<int> covered = CoveredIndices(band, ring_size);
    const std::size_t width = covered.size();
    std::vector<double> distance(width, 0.0);
    if (!band.start_distance.empty()) {
        if (band.start_distance.size() != width) {
            std::fprintf(stderr, "assetgen: a band continues one of another width\n");
            std::exit(1);
        }
        distance = band.start_distance;
    }
    std::vector<int> ids(ring_count * width);
    std::vector<Vec3> previous(width);
    for (std::size_t j = 0; j < ring_count; ++j) {
        const double t = band.ts[j];
        const Ring ring = band.ring(t);
        const Ring ahead = band.ring(t + kDerivativeStep);
        const Ring behind = band.ring(t - kDerivativeStep);
        for (std::size_t k = 0; k < width; ++k) {
            const int i = covered[k];
            const RingPoint& point = ring[i];
            const int uv_index = band.closed && k + 1 == width ? ring_size : i;
            if (j > 0) distance[k] += Length(point.position - previous[k]);
            previous[k] = point.position;
            const Vec3 along = ahead[i].position - behind[i].position;
            Vertex v;
            v.position = placement.Point(point.position);
            v.normal = Normalize(placement.Direction(Cross(along, point.tangent)));
            v.uv = band.uv(ring, uv_index, distance[k]);
            ids[j * width + k] = mesh->Add(v);
        }
    }
    // Two triangles per quad, split along the shorter diagonal, each wound counter-clockwise
    // seen from the side its normals face. Corners where a ring collapses lose a triangle.
    for (std::size_t j = 0; j + 1 < ring_count; ++j) {
        for (std::size_t k = 0; k + 1 < width; ++k) {
            const int a = ids[j * width + k], b = ids[j * width + k + 1];
            const int c = ids[(j + 1) * width + k + 1], d = ids[(j + 1) * width + k];
            const Vec3 pa = mesh->vertices[a].position, pb = mesh->vertices[b].position;
            const Vec3 pc = mesh->vertices[c].position, pd = mesh->vertices[d].position;
            int tris[2][3];
            if (Length(pc - pa) <= Length(pd - pb)) {
                tris[0][0] = a, tris[0][1] = b, tris[0][2] = c;
                tris[1][0] = a, tris[1][1] = c, tris[1][2] = d;
            } else {
                tris[0][0] = a, tris[0][1] = b, tris[0][2] = d;
                tris[1][0] = b, tris[1][1] = c, tris[1][2] = d;
            }
            for (auto& tri : tris) {
                const Vec3 p0 = mesh->vertices[tri[0]].position;
                const Vec3 p1 = mesh->vertices[tri[1]].position;
                const Vec3 p2 = mesh->vertices[tri[2]].position;
                if (TriangleArea(p0, p1, p2) < 1e-9) continue;
                const Vec3 facing = mesh->vertices[tri[0]].normal + mesh->vertices[tri[1]].normal +
                                    mesh->vertices[tri[2]].normal;
                if (Dot(Cross(p1 - p0, p2 - p0), facing) < 0) {
                    mesh->AddTriangle(band.material, tri[0], tri[2], tri[1]);
                } else {
                    mesh->AddTriangle(band.material, tri[0], tri[1], tri[2]);
                }
            }
        }
    }
    return distance;
}

void AddCap(Mesh* mesh, const Ring& ring, Vec3 centre, Vec3 normal,
            const std::function<Vec2(Vec3 position)>& uv, int material,
            const Placement& placement) {
    const Vec3 n = Normalize(placement.Direction(normal));
    Vertex middle;
    middle.position = placement.Point(centre);
    middle.normal = n;
    middle.uv = uv(centre);
    const int first = static_cast<int>(mesh->vertices.size());
    mesh->Add(middle);
    for (const RingPoint& point : ring) {
        Vertex v;
        v.position = placement.Point(point.position);
        v.normal = n;
        v.uv = uv(point.position);
        mesh->Add(v);
    }
    const int count = static_cast<int>(ring.size());
    for (int i = 0; i < count; ++i) {
        const int a = first + 1 + i, b = first + 1 + (i + 1) % count;
        const Vec3 pa = mesh->vertices[a].position, pb = mesh->vertices[b].position;
        if (TriangleArea(middle.position, pa, pb) < 1e-9) continue;
        if (Dot(Cross(pa - middle.position, pb - middle.position), n) < 0) {
            mesh->AddTriangle(material, first, b, a);
        } else {
            mesh->AddTriangle(material, first, a, b);
        }
    }
}

}  // namespace assetgen
