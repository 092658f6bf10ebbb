// Builds the monitor from bands of rings (monitor_design.h has its measurements): the head,
// front to back, then the foot, top to bottom; then the screen quad.
#include "monitor_model.h"

#include "loft.h"
#include "monitor_design.h"

namespace assetgen {

namespace {

namespace m = monitor;

constexpr int kSegments = m::kCornerSegments;

Ring HeadRing(const RoundRect& shape) { return RoundRectRing(shape, kSegments); }

RoundRect WithZ(RoundRect shape, double z) {
    shape.z = z;
    return shape;
}

RoundRect Offset(const RoundRect& shape, double d, double z) {
    return {shape.cx, shape.cy, shape.hw + d, shape.hh + d, shape.r + d, z};
}

// The bezel's outline behind its rounded edge, and the housing's just inside it.
constexpr RoundRect kBezel = {
    0, 0, m::kFace.hw + m::kEdgeRadius, m::kFace.hh + m::kEdgeRadius, m::kFace.r + m::kEdgeRadius,
    0};
constexpr RoundRect kHousingFront = {
    0, 0, kBezel.hw - m::kStep, kBezel.hh - m::kStep, kBezel.r - m::kStep, 0};
constexpr RoundRect kGlassEdge = {m::kOpening.cx,
                                  m::kOpening.cy,
                                  m::kOpening.hw - m::kChamferInset,
                                  m::kOpening.hh - m::kChamferInset,
                                  m::kOpening.r - m::kChamferInset,
                                  -m::kChamferDepth};
constexpr double kFunnelLength = m::kHeadDepth - m::kBezelDepth - m::kBackRadius;

RoundRect HousingAt(double t) {
    const double f = SmoothStep(m::kTaperStart, m::kTaperEnd, t);
    const double top = Lerp(kHousingFront.hh, m::kBackTop, f);
    const double bottom = Lerp(-kHousingFront.hh, m::kBackBottom, f);
    return {0,
            (top + bottom) / 2,
            Lerp(kHousingFront.hw, m::kBackHalfWidth, f),
            (top - bottom) / 2,
            Lerp(kHousingFront.r, m::kBackCornerRadius, f),
            -m::kBezelDepth - t * kFunnelLength};
}

RoundRect BackRoundingAt(double t) {
    const RoundRect end = HousingAt(1);
    const double angle = t * kPi / 2;
    const double inset = m::kBackRadius * (1 - Cos(angle));
    return Offset(end, -inset, end.z - m::kBackRadius * Sin(angle));
}

Vec2 FrontUv(const Ring& ring, int index, double) {
    const Vec3 p = PointAt(ring, index).position;
    return atlas::Texcoord(atlas::Front(p.x, p.y));
}

// A side of the housing covers the ring from the middle of one corner to the middle of the
// next (seams there); its texture runs along the ring from the middle of its straight side.
constexpr int kPerCorner = kSegments + 1;
constexpr int kRingSize = 4 * kPerCorner;

Band SideBand(int side) {
    Band band;
    band.closed = false;
    band.first = side * kPerCorner + kSegments / 2;
    band.last = ((side + 1) * kPerCorner + kSegments / 2) % kRingSize;
    band.uv = [side](const Ring& ring, int index, double distance) {
        const int end = side * kPerCorner + kSegments;
        const int next = ((side + 1) * kPerCorner) % kRingSize;
        const double middle =
            (ring[end].perimeter + PerimeterAt(ring, next == 0 ? kRingSize : next)) / 2;
        double along = ring[index].perimeter;
        if (side == atlas::kRight && index < kPerCorner) along += ring[index].loop;
        return atlas::Texcoord({atlas::kSideCentreU[side] + (along - middle) * atlas::kSideScale,
                                atlas::kSideV + distance * atlas::kSideScale});
    };
    return band;
}

void AddHead(Mesh* mesh, const Placement& place) {
    // The lip behind the screen's edge, the chamfer and the flat front, all on the front map.
    Band lip;
    lip.ring = [](double t) {
        return HeadRing(
            WithZ(kGlassEdge, Lerp(-m::kChamferDepth - m::kLipDepth, -m::kChamferDepth, t)));
    };
    lip.ts = {0, 1};
    lip.uv = FrontUv;
    AddBand(mesh, lip, place);

    Band chamfer;
    chamfer.ring = [](double t) {
        // A quadratic curve from the screen's edge out to the opening, steep at first and
        // flatter where it meets the front.
        const double d0 = 0, z0 = -m::kChamferDepth;
        const double d1 = 0.8 * m::kChamferInset, z1 = -0.1 * m::kChamferDepth;
        const double d2 = m::kChamferInset, z2 = 0;
        const double u = 1 - t;
        const double d = u * u * d0 + 2 * u * t * d1 + t * t * d2;
        const double z = u * u * z0 + 2 * u * t * z1 + t * t * z2;
        return HeadRing(Offset(kGlassEdge, d, z));
    };
    chamfer.ts = {0, 0.5, 1};
    chamfer.uv = lip.uv;
    AddBand(mesh, chamfer, place);

    Band face;
    face.ring = [](double t) { return HeadRing(Mix(m::kOpening, m::kFace, t)); };
    face.ts = {0, 1};
    face.uv = lip.uv;
    AddBand(mesh, face, place);

    // The rounded outer edge, its texture unrolled outwards from the front's outline.
    const Ring face_ring = HeadRing(m::kFace);
    Band edge;
    edge.ring = [](double t) {
        const double angle = t * kPi / 2;
        return HeadRing(
            Offset(m::kFace, m::kEdgeRadius * Sin(angle), -m::kEdgeRadius * (1 - Cos(angle))));
    };
    edge.ts = {0, 1.0 / 3, 2.0 / 3, 1};
    edge.uv = [face_ring](const Ring& ring, int index, double distance) {
        const Vec3 base = PointAt(face_ring, index).position;
        const Vec2 out = PointAt(ring, index).outward;
        return atlas::Texcoord(atlas::Front(base.x + out.x * distance, base.y + out.y * distance));
    };
    AddBand(mesh, edge, place);

    // Each side of the bezel and the housing behind it, on its own strip of the atlas.
    for (int side = 0; side < 4; ++side) {
        Band wall = SideBand(side);
        wall.ring = [](double t) {
            return HeadRing(WithZ(kBezel, Lerp(-m::kEdgeRadius, -m::kBezelDepth, t)));
        };
        wall.ts = {0, 1};
        std::vector<double> reached = AddBand(mesh, wall, place);

        Band step = SideBand(side);
        step.ring = [](double t) {
            return HeadRing(WithZ(Mix(kBezel, kHousingFront, t), -m::kBezelDepth));
        };
        step.ts = {0, 1};
        step.start_distance = reached;
        reached = AddBand(mesh, step, place);

        Band funnel = SideBand(side);
        funnel.ring = [](double t) { return HeadRing(HousingAt(t)); };
        funnel.ts = {0, 0.1, 0.2, 0.3, 0.4, 0.5, 0.6, 0.7, 0.8, 0.85, 1};
        funnel.start_distance = reached;
        reached = AddBand(mesh, funnel, place);

        Band back = SideBand(side);
        back.ring = [](double t) { return HeadRing(BackRoundingAt(t)); };
        back.ts = {0, 0.5, 1};
        back.start_distance = reached;
        AddBand(mesh, back, place);
    }

    const RoundRect cap = BackRoundingAt(1);
    AddCap(
        mesh, HeadRing(cap), {cap.cx, cap.cy, cap.z}, {0, 0, -1},
        [cap](Vec3 p) {
            return atlas::Texcoord({atlas::kBackCentreU - p.x * atlas::kBackScale,
                                    atlas::kBackCentreV - (p.y - cap.cy) * atlas::kBackScale});
        },
        0, place);
}

// The screen: a flat quad just behind the screen's edge, its picture upright (t from the
// bottom edge to the top edge).
void AddScreen(Mesh* mesh, const Placement& place) {
    const double x = kGlassEdge.hw + m::kScreenOverlap;
    const double y0 = kGlassEdge.cy - kGlassEdge.hh - m::kScreenOverlap;
    const double y1 = kGlassEdge.cy + kGlassEdge.hh + m::kScreenOverlap;
    const double z = -m::kChamferDepth - m::kScreenBehindEdge;
    const double lo = m::kScreenTexMin, hi = m::kScreenTexMax;
    const Vec3 normal = Normalize(place.Direction({0, 0, 1}));
    // In strip order, bottom-left, bottom-right, top-left, top-right: the triangles are
    // (n, n + 1, n + 2) and (n + 1, n + 3, n + 2).
    const int bl = mesh->Add({place.Point({-x, y0, z}), normal, {lo, lo}});
    const int br = mesh->Add({place.Point({x, y0, z}), normal, {hi, lo}});
    const int tl = mesh->Add({place.Point({-x, y1, z}), normal, {lo, hi}});
    const int tr = mesh->Add({place.Point({x, y1, z}), normal, {hi, hi}});
    mesh->AddTriangle(1, bl, br, tl);
    mesh->AddTriangle(1, br, tr, tl);
}

Vec2 FootTopUv(double x, double z) {
    return atlas::Texcoord({atlas::kFootCentreU + x * atlas::kFootScale,
                            atlas::kFootCentreV + (z - m::kFootCentreZ) * atlas::kFootScale});
}

Ring FootRing(double ax, double az, double y) {
    return EllipseRing({0, m::kFootCentreZ, ax, az, y}, m::kFootPoints);
}

void AddFoot(Mesh* mesh) {
    const Placement none;
    const double base_top = m::kFloor + m::kBaseHeight;
    const double rr = m::kBaseEdgeRadius;
    const double fillet = m::kNeckFillet;

    // The neck, from inside the head down to a fillet on the base.
    auto neck_uv = [](const Ring& ring, int index, double distance) {
        return atlas::Texcoord({atlas::kNeckU + PerimeterAt(ring, index) * atlas::kNeckScale,
                                atlas::kNeckV + distance * atlas::kNeckScale});
    };
    Band neck;
    neck.ring = [base_top, fillet](double t) {
        const double s = Sin(kPi * t);
        const double scale = 1 - m::kNeckWaist * s * s;
        return FootRing(m::kNeckHalfWidth * scale, m::kNeckHalfDepth * scale,
                        Lerp(m::kNeckTop, base_top + fillet, t));
    };
    neck.ts = {0, 0.2, 0.4, 0.6, 0.8, 1};
    neck.uv = neck_uv;
    std::vector<double> reached = AddBand(mesh, neck, none);

    Band flare;
    flare.ring = [base_top, fillet](double t) {
        const double angle = t * kPi / 2;
        const double out = fillet * (1 - Cos(angle));
        return FootRing(m::kNeckHalfWidth + out, m::kNeckHalfDepth + out,
                        base_top + fillet * (1 - Sin(angle)));
    };
    flare.ts = {0, 1.0 / 3, 2.0 / 3, 1};
    flare.uv = neck_uv;
    flare.start_distance = reached;
    AddBand(mesh, flare, none);

    // The base: its flat top, the rounded edge unrolled around it, the rim, a small chamfer
    // and the underside.
    const Ring top = FootRing(m::kBaseHalfWidth - rr, m::kBaseHalfDepth - rr, base_top);
    AddCap(
        mesh, top, {0, base_top, m::kFootCentreZ}, {0, 1, 0},
        [](Vec3 p) { return FootTopUv(p.x, p.z); }, 0, none);

    Band edge;
    edge.ring = [base_top, rr](double t) {
        const double angle = t * kPi / 2;
        const double out = rr * Sin(angle);
        return FootRing(m::kBaseHalfWidth - rr + out, m::kBaseHalfDepth - rr + out,
                        base_top - rr * (1 - Cos(angle)));
    };
    edge.ts = {0, 1.0 / 3, 2.0 / 3, 1};
    edge.uv = [top](const Ring& ring, int index, double distance) {
        const RingPoint& base = PointAt(top, index);
        const RingPoint& here = PointAt(ring, index);
        return FootTopUv(base.position.x + here.outward.x * distance,
                         base.position.z + here.outward.y * distance);
    };
    AddBand(mesh, edge, none);

    auto rim_uv = [](const Ring& ring, int index, double distance) {
        return atlas::Texcoord({atlas::kRimU + PerimeterAt(ring, index) * atlas::kRimScale,
                                atlas::kRimV + distance * atlas::kRimScale});
    };
    Band rim;
    rim.ring = [base_top, rr](double t) {
        return FootRing(m::kBaseHalfWidth, m::kBaseHalfDepth,
                        Lerp(base_top - rr, m::kFloor + m::kBaseBottomChamfer, t));
    };
    rim.ts = {0, 1};
    rim.uv = rim_uv;
    reached = AddBand(mesh, rim, none);

    const double c = m::kBaseBottomChamfer;
    Band chamfer;
    chamfer.ring = [c](double t) {
        return FootRing(m::kBaseHalfWidth - c * t, m::kBaseHalfDepth - c * t,
                        m::kFloor + c * (1 - t));
    };
    chamfer.ts = {0, 1};
    chamfer.uv = rim_uv;
    chamfer.start_distance = reached;
    AddBand(mesh, chamfer, none);

    const Ring under = FootRing(m::kBaseHalfWidth - c, m::kBaseHalfDepth - c, m::kFloor);
    AddCap(
        mesh, under, {0, m::kFloor, m::kFootCentreZ}, {0, -1, 0},
        [](Vec3 p) {
            return atlas::Texcoord(
                {atlas::kUnderCentreU + p.x * atlas::kUnderScale,
                 atlas::kUnderCentreV + (p.z - m::kFootCentreZ) * atlas::kUnderScale});
        },
        0, none);
}

}  // namespace

MonitorModel BuildMonitorModel() {
    MonitorModel model;
    // Tilt the head back, then move it so that its top and its front reach their places.
    Placement head = RotationX(Radians(-m::kTiltDegrees));
    Mesh probe(2);
    AddHead(&probe, head);
    double top = -1e9, front = -1e9;
    for (const Vertex& v : probe.vertices) {
        if (v.position.y > top) top = v.position.y;
        if (v.position.z > front) front = v.position.z;
    }
    head.offset = {0, m::kHeadTop - top, m::kFront - front};
    AddHead(&model.mesh, head);
    AddFoot(&model.mesh);
    // The screen's four vertices come last, after every vertex of the casing.
    AddScreen(&model.mesh, head);
    model.materials = {
        {{0.75, 0.75, 0.75}, {1, 1, 1}, {1, 1, 1}, {0, 0, 0}, 20, "Texture1.jpg"},
        {{1, 1, 1}, {1, 1, 1}, {0, 0, 0}, {0, 0, 0}, 0, "Screen.tga"},
    };
    return model;
}

}  // namespace assetgen
