// The monitor model as generated into resources/output.gxu, read back with the tests' own
// reader: its layout to the last byte, well-formed triangles, normals and winding that agree,
// the extents the camera and the silhouette are set up for, and the screen quad.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <string>

#include "assets/gxu_format.h"
#include "unit/resources/gxu_reader.h"

namespace {

struct V3 {
    double x, y, z;
};
V3 operator-(V3 a, V3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
V3 operator+(V3 a, V3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
V3 operator*(V3 a, double s) { return {a.x * s, a.y * s, a.z * s}; }
double dot(V3 a, V3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
V3 cross(V3 a, V3 b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
double length(V3 a) { return std::sqrt(dot(a, a)); }
V3 unit(V3 a) { return a * (1 / length(a)); }

V3 position(const GxuVertex& v) { return {v.position[0], v.position[1], v.position[2]}; }
V3 normal(const GxuVertex& v) { return {v.normal[0], v.normal[1], v.normal[2]}; }

// The screen faces up and forward: the head leans back by 18 degrees.
const V3 kScreenNormal = {0, 0.309017, 0.951057};
// The program's eye in model coordinates: the camera is a translation by (0, 1.3, -12).
const V3 kEye = {0, -1.3, 12};

const GxuModel& monitor() {
    static GxuModel model;
    static bool loaded = false;
    if (!loaded) {
        std::string reason;
        const std::vector<unsigned char> bytes = resource_file("output.gxu");
        EXPECT_FALSE(bytes.empty()) << "resources/output.gxu is missing";
        EXPECT_TRUE(read_gxu(bytes, &model, &reason)) << reason;
        loaded = true;
    }
    return model;
}

std::vector<int> material_vertices(const GxuModel& model, int material) {
    std::set<int> used;
    for (const auto& tri : model.triangles[material]) used.insert(tri.begin(), tri.end());
    return {used.begin(), used.end()};
}

V3 centre_of(const GxuModel& model, const std::vector<int>& vertices) {
    V3 centre = {0, 0, 0};
    for (int v : vertices) centre = centre + position(model.vertices[v]) * (1.0 / vertices.size());
    return centre;
}

TEST(MonitorModel, HoldsOneFrameOfCasingAndScreenToItsLastByte) {
    const std::vector<unsigned char> bytes = resource_file("output.gxu");
    const GxuModel& model = monitor();
    ASSERT_EQ(model.frame_count, 1);
    ASSERT_EQ(model.materials.size(), 2u);
    struct Expected {
        const char* texture;
        float ambient, diffuse, specular, shininess;
    };
    const Expected expected[2] = {{"Texture1.jpg", 0.75f, 1, 1, 20}, {"Screen.tga", 1, 1, 0, 0}};
    std::size_t size = 4;
    int index_total = 0;
    for (int m = 0; m < 2; ++m) {
        const GxuMaterial& got = model.materials[m];
        SCOPED_TRACE(expected[m].texture);
        EXPECT_EQ(got.texture, expected[m].texture);
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(got.ambient[i], expected[m].ambient);
            EXPECT_EQ(got.diffuse[i], expected[m].diffuse);
            EXPECT_EQ(got.specular[i], expected[m].specular);
            EXPECT_EQ(got.colour4[i], 0.0f);
        }
        EXPECT_EQ(got.shininess, expected[m].shininess);
        size += 55 + got.texture.size();
        index_total += 3 * got.triangle_count;
    }
    EXPECT_EQ(model.materials[1].triangle_count, 2);
    // A few thousand triangles at most.
    EXPECT_GT(model.materials[0].triangle_count, 500);
    EXPECT_LE(model.materials[0].triangle_count, 4000);
    size += 2 + 32 * model.vertices.size() + 2 * index_total;
    EXPECT_EQ(bytes.size(), size);
    EXPECT_EQ(model.bytes_read, bytes.size());
}

// The program's own parser takes the file as it is and reads the same model from it.
TEST(MonitorModel, TheProgramsParserReadsTheSameModel) {
    const std::vector<unsigned char> bytes = resource_file("output.gxu");
    const GxuModel& ours = monitor();
    GxuData parsed;
    ASSERT_EQ(ParseGxu(bytes.data(), bytes.size(), &parsed), GxuStatus::Ok);
    ASSERT_EQ(parsed.frame_count, 1);
    ASSERT_EQ(parsed.material_count, 2);
    ASSERT_EQ(parsed.vertex_counts[0], static_cast<int>(ours.vertices.size()));
    for (int m = 0; m < 2; ++m) {
        EXPECT_EQ(parsed.triangle_counts[m], ours.materials[m].triangle_count);
        EXPECT_STREQ(parsed.texture_names[m], ours.materials[m].texture.c_str());
    }
    for (std::size_t v = 0; v < ours.vertices.size(); ++v) {
        for (int i = 0; i < 3; ++i) {
            ASSERT_EQ(parsed.positions[0][3 * v + i], ours.vertices[v].position[i]);
            ASSERT_EQ(parsed.normals[0][3 * v + i], ours.vertices[v].normal[i]);
        }
        for (int i = 0; i < 2; ++i)
            ASSERT_EQ(parsed.texcoords[0][2 * v + i], ours.vertices[v].texcoord[i]);
    }
    std::size_t at = 0;
    for (const auto& list : ours.triangles) {
        for (const auto& tri : list) {
            for (int index : tri) ASSERT_EQ(parsed.indices[0][at++], index);
        }
    }
}

// The reader above is what the byte count rests on: it must refuse files that are one byte
// short or long, or whose counts ask for more than they hold.
TEST(MonitorModelReader, RefusesFilesThatDoNotEndWithTheirLastIndex) {
    const std::vector<unsigned char> good = resource_file("output.gxu");
    ASSERT_GT(good.size(), 200u);
    struct Case {
        const char* what;
        std::vector<unsigned char> bytes;
    };
    std::vector<unsigned char> longer = good;
    longer.push_back(0);
    std::vector<unsigned char> more_triangles = good;
    more_triangles[4 + 52] += 1;  // material 0's triangle count
    std::vector<unsigned char> two_frames = good;
    two_frames[0] = 2;
    const Case cases[] = {
        {"one byte short", {good.begin(), good.end() - 1}},
        {"one byte over", longer},
        {"one triangle more than the file holds", more_triangles},
        {"a second frame that is not there", two_frames},
    };
    for (const Case& c : cases) {
        GxuModel model;
        std::string reason;
        EXPECT_FALSE(read_gxu(c.bytes, &model, &reason)) << c.what;
    }
}

TEST(MonitorModel, TrianglesIndexTheirFrameAndHaveArea) {
    const GxuModel& model = monitor();
    const int count = static_cast<int>(model.vertices.size());
    ASSERT_GT(count, 4);
    for (std::size_t m = 0; m < model.triangles.size(); ++m) {
        for (const auto& tri : model.triangles[m]) {
            for (int index : tri) ASSERT_LT(index, count) << "material " << m;
            const V3 a = position(model.vertices[tri[0]]), b = position(model.vertices[tri[1]]);
            const V3 c = position(model.vertices[tri[2]]);
            EXPECT_GT(length(cross(b - a, c - a)) / 2, 1e-6)
                << "degenerate triangle " << tri[0] << " " << tri[1] << " " << tri[2];
        }
    }
    // The screen's two triangles share four vertices of their own, the frame's last four.
    const std::vector<int> screen = material_vertices(model, 1);
    EXPECT_EQ(screen, (std::vector<int>{count - 4, count - 3, count - 2, count - 1}));
    const std::vector<int> casing = material_vertices(model, 0);
    for (int v : screen) EXPECT_FALSE(std::binary_search(casing.begin(), casing.end(), v));
}

TEST(MonitorModel, NormalsAreUnitAndAgreeWithTheWinding) {
    const GxuModel& model = monitor();
    for (const GxuVertex& v : model.vertices) EXPECT_NEAR(length(normal(v)), 1.0, 1e-5);
    // Counter-clockwise seen from outside: the triangle's own normal points the way its
    // vertices' normals do.
    double agreement = 0;
    int count = 0;
    for (const auto& list : model.triangles) {
        for (const auto& tri : list) {
            const V3 a = position(model.vertices[tri[0]]), b = position(model.vertices[tri[1]]);
            const V3 c = position(model.vertices[tri[2]]);
            const V3 face = unit(cross(b - a, c - a));
            for (int index : tri) {
                const double d = dot(face, normal(model.vertices[index]));
                EXPECT_GT(d, 0.0) << "triangle " << tri[0] << " " << tri[1] << " " << tri[2];
                agreement += d;
                ++count;
            }
        }
    }
    EXPECT_GT(agreement / count, 0.95);
}

TEST(MonitorModel, SpansWhatTheCameraAndTheSilhouetteAreSetUpFor) {
    const GxuModel& model = monitor();
    struct Axis {
        const char* name;
        double lo, hi;
    };
    const Axis axes[3] = {{"x", -2.74, 2.74}, {"y", -3.91, 2.27}, {"z", -4.38, -0.40}};
    for (int a = 0; a < 3; ++a) {
        double lo = 1e9, hi = -1e9;
        for (const GxuVertex& v : model.vertices) {
            lo = std::min(lo, static_cast<double>(v.position[a]));
            hi = std::max(hi, static_cast<double>(v.position[a]));
        }
        const double slack = 0.1 * (axes[a].hi - axes[a].lo);
        EXPECT_NEAR(lo, axes[a].lo, slack) << axes[a].name;
        EXPECT_NEAR(hi, axes[a].hi, slack) << axes[a].name;
    }
}

TEST(MonitorModel, ScreenIsAnUprightQuadFacingTheViewer) {
    const GxuModel& model = monitor();
    const std::vector<int> screen = material_vertices(model, 1);
    ASSERT_EQ(screen.size(), 4u);
    const V3 centre = centre_of(model, screen);
    const V3 right = {1, 0, 0};
    const V3 up = cross(kScreenNormal, right);
    for (int v : screen) {
        const GxuVertex& vertex = model.vertices[v];
        const V3 n = normal(vertex);
        EXPECT_NEAR(n.x, kScreenNormal.x, 1e-5);
        EXPECT_NEAR(n.y, kScreenNormal.y, 1e-5);
        EXPECT_NEAR(n.z, kScreenNormal.z, 1e-5);
        const V3 offset = position(vertex) - centre;
        EXPECT_NEAR(dot(offset, kScreenNormal), 0, 1e-5) << "the quad is not flat";
        // s runs from left to right, t from the bottom edge to the top edge.
        const double s = dot(offset, right) < 0 ? 0.002 : 0.998;
        const double t = dot(offset, up) < 0 ? 0.002 : 0.998;
        EXPECT_NEAR(vertex.texcoord[0], s, 5e-4);
        EXPECT_NEAR(vertex.texcoord[1], t, 5e-4);
    }
    for (const auto& tri : model.triangles[1]) {
        const V3 a = position(model.vertices[tri[0]]), b = position(model.vertices[tri[1]]);
        const V3 c = position(model.vertices[tri[2]]);
        EXPECT_GT(dot(unit(cross(b - a, c - a)), kScreenNormal), 0.9999);
    }
    EXPECT_GT(dot(kEye - centre, kScreenNormal), 0);
}

// Ray casting against the model, for what a viewer sees.
struct Hit {
    double distance = 1e30;
    int material = -1;
    bool front = false;
};

struct Triangle {
    V3 a, e1, e2;
    int material;
};

std::vector<Triangle> triangles_of(const GxuModel& model) {
    std::vector<Triangle> list;
    for (std::size_t m = 0; m < model.triangles.size(); ++m) {
        for (const auto& tri : model.triangles[m]) {
            const V3 a = position(model.vertices[tri[0]]);
            list.push_back({a, position(model.vertices[tri[1]]) - a,
                            position(model.vertices[tri[2]]) - a, static_cast<int>(m)});
        }
    }
    return list;
}

Hit cast(const std::vector<Triangle>& triangles, V3 origin, V3 direction) {
    Hit best;
    for (const Triangle& tri : triangles) {
        const V3 p = cross(direction, tri.e2);
        const double det = dot(tri.e1, p);
        if (std::fabs(det) < 1e-12) continue;
        const V3 s = origin - tri.a;
        const double u = dot(s, p) / det;
        if (u < 0 || u > 1) continue;
        const V3 q = cross(s, tri.e1);
        const double v = dot(direction, q) / det;
        if (v < 0 || u + v > 1) continue;
        const double t = dot(tri.e2, q) / det;
        if (t > 1e-9 && t < best.distance) {
            best.distance = t;
            best.material = tri.material;
            best.front = det > 0;  // the ray meets the side its winding faces
        }
    }
    return best;
}

// Back faces are culled when the program draws, so the nearest surface along any ray from
// outside must be a front face: a hole, an inverted band or a flipped triangle shows here.
TEST(MonitorModel, EverySurfaceSeenFromOutsideIsAFrontFace) {
    const std::vector<Triangle> triangles = triangles_of(monitor());
    const V3 middle = {0, -0.8, -2.4};
    const double radius = 4.6;
    const V3 directions[] = {{0, 0, -1}, {0, 0, 1},     {-1, 0, 0},     {1, 0, 0},   {0, -1, 0},
                             {0, 1, 0},  {1, -0.6, -1}, {-1, -0.6, -1}, {1, 0.5, 1}, {-1, 0.5, 1}};
    constexpr int kGrid = 40;
    for (V3 d : directions) {
        const V3 dir = unit(d);
        const V3 side =
            unit(std::fabs(dir.y) > 0.9 ? cross(dir, {1, 0, 0}) : cross(dir, {0, 1, 0}));
        const V3 other = cross(dir, side);
        int hits = 0, back = 0;
        for (int i = 0; i < kGrid; ++i) {
            for (int j = 0; j < kGrid; ++j) {
                const double a = ((i + 0.5) / kGrid * 2 - 1) * radius;
                const double b = ((j + 0.5) / kGrid * 2 - 1) * radius;
                const V3 origin = middle - dir * (2 * radius) + side * a + other * b;
                const Hit hit = cast(triangles, origin, dir);
                if (hit.material < 0) continue;
                ++hits;
                if (!hit.front) ++back;
            }
        }
        SCOPED_TRACE(testing::Message() << "seen along " << d.x << " " << d.y << " " << d.z);
        EXPECT_GT(hits, kGrid * kGrid / 8);
        EXPECT_EQ(back, 0);
    }
}

// From the program's camera the middle of the screen shows the picture, not the casing.
TEST(MonitorModel, CameraSeesThePictureThroughTheBezel) {
    const GxuModel& model = monitor();
    const std::vector<int> screen = material_vertices(model, 1);
    ASSERT_EQ(screen.size(), 4u);
    const V3 centre = centre_of(model, screen);
    // The middle and points two thirds of the way to each corner.
    for (int corner = -1; corner < 4; ++corner) {
        V3 target = centre;
        if (corner >= 0)
            target = centre + (position(model.vertices[screen[corner]]) - centre) * (2.0 / 3);
        const Hit hit = cast(triangles_of(model), kEye, unit(target - kEye));
        EXPECT_EQ(hit.material, 1) << "towards corner " << corner;
        EXPECT_TRUE(hit.front);
    }
}

}  // namespace
