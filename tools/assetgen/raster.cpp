// The rasteriser (see raster.h): transform, light each vertex, cull, fill with perspective-
// correct interpolation into a supersampled buffer, then average down.
#include "raster.h"

#include <algorithm>
#include <cmath>

#include "vec.h"

namespace assetgen {

namespace {

// The program's light, "light1.gxl": white, from (5, 0, 1) in eye space, ambient 0.3, under
// OpenGL's default global ambient 0.2, with an infinitely distant viewer.
constexpr double kGlobalAmbient = 0.2;
constexpr double kLightAmbient = 0.3;
const Vec3 kLight = {5 / 5.0990195135927845, 0, 1 / 5.0990195135927845};

constexpr double kNear = 0.5, kFar = 100, kFovyDegrees = 40;

struct Clip {
    double x, y, z, w;
};

Clip Transform(const Mat4& a, Vec3 p) {
    const double* m = a.m;
    return {m[0] * p.x + m[4] * p.y + m[8] * p.z + m[12],
            m[1] * p.x + m[5] * p.y + m[9] * p.z + m[13],
            m[2] * p.x + m[6] * p.y + m[10] * p.z + m[14],
            m[3] * p.x + m[7] * p.y + m[11] * p.z + m[15]};
}

Vec3 TurnNormal(const Mat4& a, Vec3 n) {
    const double* m = a.m;
    return Normalize({m[0] * n.x + m[4] * n.y + m[8] * n.z, m[1] * n.x + m[5] * n.y + m[9] * n.z,
                      m[2] * n.x + m[6] * n.y + m[10] * n.z});
}

double PowInteger(double base, int exponent) {
    double result = 1;
    for (int i = 0; i < exponent; ++i) result *= base;
    return result;
}

// OpenGL's lighting equation for one vertex, clamped as OpenGL clamps it.
Rgb Light(const MaterialRecord& material, Vec3 normal_eye) {
    const Vec3 half = Normalize(kLight + Vec3{0, 0, 1});
    const double diffuse = Dot(normal_eye, kLight);
    double c[3];
    for (int i = 0; i < 3; ++i) {
        double v = material.ambient[i] * (kGlobalAmbient + kLightAmbient);
        if (diffuse > 0) {
            v += diffuse * material.diffuse[i];
            const double h = Dot(normal_eye, half);
            if (h > 0)
                v += PowInteger(h, static_cast<int>(material.shininess)) * material.specular[i];
        }
        c[i] = Clamp(v, 0, 1);
    }
    return {c[0], c[1], c[2]};
}

Mat4 Projection(double aspect) {
    const double half = Radians(kFovyDegrees) / 2;
    const double top = kNear * Sin(half) / Cos(half);
    const double right = top * aspect;
    Mat4 p;
    p.m[0] = kNear / right;
    p.m[5] = kNear / top;
    p.m[10] = -(kFar + kNear) / (kFar - kNear);
    p.m[11] = -1;
    p.m[14] = -2 * kFar * kNear / (kFar - kNear);
    p.m[15] = 0;
    return p;
}

struct ScreenVertex {
    double x, y, z, inv_w;
    Rgb colour;
    Vec2 uv;
};

struct Target {
    int width, height;
    std::vector<Rgb> colour;
    std::vector<double> depth;
    std::vector<unsigned char> mask;
};

ScreenVertex ToScreen(const Clip& c, const Target& target) {
    ScreenVertex s;
    s.inv_w = 1 / c.w;
    s.x = (c.x * s.inv_w + 1) * 0.5 * target.width;
    s.y = (1 - c.y * s.inv_w) * 0.5 * target.height;
    s.z = c.z * s.inv_w;
    return s;
}

double Edge(const ScreenVertex& a, const ScreenVertex& b, double x, double y) {
    return (b.x - a.x) * (y - a.y) - (b.y - a.y) * (x - a.x);
}

// Calls fill(x, y, b0, b1, b2) for every sample centre inside the triangle.
template <typename Fill>
void Scan(const ScreenVertex& v0, const ScreenVertex& v1, const ScreenVertex& v2,
          const Target& target, Fill fill) {
    const double area = Edge(v0, v1, v2.x, v2.y);
    if (area == 0) return;
    const int x0 = std::max(0, static_cast<int>(std::floor(std::min({v0.x, v1.x, v2.x}))));
    const int x1 =
        std::min(target.width - 1, static_cast<int>(std::ceil(std::max({v0.x, v1.x, v2.x}))));
    const int y0 = std::max(0, static_cast<int>(std::floor(std::min({v0.y, v1.y, v2.y}))));
    const int y1 =
        std::min(target.height - 1, static_cast<int>(std::ceil(std::max({v0.y, v1.y, v2.y}))));
    for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x) {
            const double px = x + 0.5, py = y + 0.5;
            const double b0 = Edge(v1, v2, px, py) / area;
            const double b1 = Edge(v2, v0, px, py) / area;
            const double b2 = Edge(v0, v1, px, py) / area;
            if (b0 < 0 || b1 < 0 || b2 < 0) continue;
            fill(x, y, b0, b1, b2);
        }
    }
}

}  // namespace

Mat4 operator*(const Mat4& a, const Mat4& b) {
    Mat4 r;
    for (int col = 0; col < 4; ++col) {
        for (int row = 0; row < 4; ++row) {
            double sum = 0;
            for (int k = 0; k < 4; ++k) sum += a.m[k * 4 + row] * b.m[col * 4 + k];
            r.m[col * 4 + row] = sum;
        }
    }
    return r;
}

Mat4 Translation(double x, double y, double z) {
    Mat4 t;
    t.m[12] = x;
    t.m[13] = y;
    t.m[14] = z;
    return t;
}

Mat4 Rotation(double degrees, double x, double y, double z) {
    const Vec3 a = Normalize({x, y, z});
    const double c = Cos(Radians(degrees)), s = Sin(Radians(degrees)), k = 1 - c;
    Mat4 r;
    r.m[0] = a.x * a.x * k + c;
    r.m[1] = a.y * a.x * k + a.z * s;
    r.m[2] = a.x * a.z * k - a.y * s;
    r.m[4] = a.x * a.y * k - a.z * s;
    r.m[5] = a.y * a.y * k + c;
    r.m[6] = a.y * a.z * k + a.x * s;
    r.m[8] = a.x * a.z * k + a.y * s;
    r.m[9] = a.y * a.z * k - a.x * s;
    r.m[10] = a.z * a.z * k + c;
    return r;
}

Mat4 ShadowMatrix() {
    const double length = std::sqrt(1.0 + 100.0 * 100.0);
    const double n[4] = {0, 0, 1 / length, 100 / length};
    const double l[4] = {5, 0, 1, 1};
    const double k = n[0] * l[0] + n[1] * l[1] + n[2] * l[2] + n[3] * l[3];
    Mat4 s;
    for (int col = 0; col < 4; ++col) {
        for (int row = 0; row < 4; ++row)
            s.m[4 * col + row] = (row == col ? k : 0) + l[row] * n[col];
    }
    s.m[12] = -l[0] * n[3];
    return s;
}

Mat4 ProgramCamera() { return Translation(0, 1.3, -12); }

Image Render(const Mesh& mesh, const std::vector<MaterialRecord>& materials,
             const std::vector<const Image*>& textures, const Image& background, const View& view) {
    const int ss = view.supersample;
    Target target{view.width * ss, view.height * ss, {}, {}, {}};
    const std::size_t samples = static_cast<std::size_t>(target.width) * target.height;
    target.colour.resize(samples);
    target.depth.assign(samples, 1e30);
    for (int y = 0; y < target.height; ++y) {
        for (int x = 0; x < target.width; ++x) {
            target.colour[static_cast<std::size_t>(y) * target.width + x] =
                background.At(x / ss, y / ss);
        }
    }
    const Mat4 projection =
        Projection(view.aspect > 0 ? view.aspect : static_cast<double>(view.width) / view.height);

    if (view.silhouette) {
        // Every face, front or back, of the flattened model marks the stencil; the marked
        // background then keeps 60 % of its colour.
        target.mask.assign(samples, 0);
        const Mat4 flat = projection * view.modelview * ShadowMatrix();
        for (const auto& list : mesh.triangles) {
            for (const auto& tri : list) {
                ScreenVertex v[3];
                for (int i = 0; i < 3; ++i)
                    v[i] = ToScreen(Transform(flat, mesh.vertices[tri[i]].position), target);
                Scan(v[0], v[1], v[2], target, [&](int x, int y, double, double, double) {
                    target.mask[static_cast<std::size_t>(y) * target.width + x] = 1;
                });
            }
        }
        for (std::size_t i = 0; i < samples; ++i) {
            if (target.mask[i]) target.colour[i] = target.colour[i] * 0.6;
        }
    }

    const Mat4 full = projection * view.modelview;
    for (std::size_t material = 0; material < mesh.triangles.size(); ++material) {
        const Image* texture = textures[material];
        for (const auto& tri : mesh.triangles[material]) {
            ScreenVertex v[3];
            bool behind = false;
            for (int i = 0; i < 3; ++i) {
                const Vertex& source = mesh.vertices[tri[i]];
                const Clip c = Transform(full, source.position);
                if (c.w < kNear) behind = true;
                v[i] = ToScreen(c, target);
                v[i].colour = Light(materials[material], TurnNormal(view.modelview, source.normal));
                v[i].uv = source.uv;
            }
            // Counter-clockwise on screen (rows grow downwards, so the area is negative).
            if (behind || Edge(v[0], v[1], v[2].x, v[2].y) >= 0) continue;
            Scan(v[0], v[1], v[2], target, [&](int x, int y, double b0, double b1, double b2) {
                const std::size_t at = static_cast<std::size_t>(y) * target.width + x;
                const double z = b0 * v[0].z + b1 * v[1].z + b2 * v[2].z;
                if (z > target.depth[at]) return;
                target.depth[at] = z;
                const double w0 = b0 * v[0].inv_w, w1 = b1 * v[1].inv_w, w2 = b2 * v[2].inv_w;
                const double sum = w0 + w1 + w2;
                const Rgb lit =
                    (v[0].colour * w0 + v[1].colour * w1 + v[2].colour * w2) * (1 / sum);
                const double s = (v[0].uv.x * w0 + v[1].uv.x * w1 + v[2].uv.x * w2) / sum;
                const double t = (v[0].uv.y * w0 + v[1].uv.y * w1 + v[2].uv.y * w2) / sum;
                target.colour[at] = lit * SampleBilinear(*texture, s, t);
            });
        }
    }

    Image full_size(target.width, target.height);
    full_size.pixels = target.colour;
    return Downsample(full_size, ss);
}

}  // namespace assetgen
