// GXU bytes written from test model descriptions, and the test models themselves.
#include "support/gxu_writer.h"

#include <cmath>
#include <cstring>

void PutU16(std::vector<unsigned char>* bytes, int value) {
    bytes->push_back(static_cast<unsigned char>(value & 0xFF));
    bytes->push_back(static_cast<unsigned char>((value >> 8) & 0xFF));
}

void PutF32(std::vector<unsigned char>* bytes, float value) {
    unsigned bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    for (int i = 0; i < 4; ++i) bytes->push_back(static_cast<unsigned char>(bits >> (8 * i)));
}

std::vector<unsigned char> WriteGxu(const TestModel& model) {
    std::vector<unsigned char> bytes;
    PutU16(&bytes, static_cast<int>(model.frames.size()));
    PutU16(&bytes, static_cast<int>(model.materials.size()));
    for (size_t m = 0; m < model.materials.size(); ++m) {
        const TestMaterial& material = model.materials[m];
        for (const float* triple : {material.ambient, material.diffuse, material.specular,
                                    material.colour4})
            for (int i = 0; i < 3; ++i) PutF32(&bytes, triple[i]);
        PutF32(&bytes, material.shininess);
        const size_t triangles =
            model.frames.empty() || m >= model.frames[0].indices.size()
                ? 0 : model.frames[0].indices[m].size() / 3;
        PutU16(&bytes, static_cast<int>(triangles));
        bytes.insert(bytes.end(), material.texture.begin(), material.texture.end());
        bytes.push_back(0);
    }
    for (const TestFrame& frame : model.frames) {
        PutU16(&bytes, static_cast<int>(frame.vertices.size()));
        for (const TestVertex& v : frame.vertices) {
            for (float x : v.position) PutF32(&bytes, x);
            for (float x : v.normal) PutF32(&bytes, x);
            for (float x : v.texcoord) PutF32(&bytes, x);
        }
        for (const std::vector<int>& material : frame.indices)
            for (int index : material) PutU16(&bytes, index);
    }
    return bytes;
}

namespace {

struct Vec3 {
    float x, y, z;
};

Vec3 Add(Vec3 a, Vec3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
Vec3 Scale(Vec3 a, float s) { return {a.x * s, a.y * s, a.z * s}; }

// A quad centred at c, facing n = u x v; corners c - u - v, c + u - v, c + u + v, c - u + v.
void AddQuad(TestFrame* frame, std::vector<int>* indices, Vec3 c, Vec3 u, Vec3 v, Vec3 n) {
    const int first = static_cast<int>(frame->vertices.size());
    const Vec3 corners[4] = {Add(c, Scale(Add(u, v), -1.0f)), Add(c, Add(u, Scale(v, -1.0f))),
                             Add(c, Add(u, v)), Add(c, Add(Scale(u, -1.0f), v))};
    const float st[4][2] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
    for (int i = 0; i < 4; ++i)
        frame->vertices.push_back(
            {{corners[i].x, corners[i].y, corners[i].z}, {n.x, n.y, n.z}, {st[i][0], st[i][1]}});
    for (int i : {0, 1, 2, 0, 2, 3}) indices->push_back(first + i);
}

// The box's frame: centre, half sizes, and vertices that come before the box's own.
TestFrame BoxFrame(Vec3 c, Vec3 h, int leading_vertices) {
    TestFrame frame;
    for (int i = 0; i < leading_vertices; ++i)
        frame.vertices.push_back({{9, 9, 9}, {0, 0, 1}, {0.5f, 0.5f}});
    frame.indices.resize(3);
    std::vector<int>* sides = &frame.indices[0];
    AddQuad(&frame, sides, {c.x + h.x, c.y, c.z}, {0, 0, -h.z}, {0, h.y, 0}, {1, 0, 0});
    AddQuad(&frame, sides, {c.x - h.x, c.y, c.z}, {0, 0, h.z}, {0, h.y, 0}, {-1, 0, 0});
    AddQuad(&frame, sides, {c.x, c.y + h.y, c.z}, {h.x, 0, 0}, {0, 0, -h.z}, {0, 1, 0});
    AddQuad(&frame, sides, {c.x, c.y - h.y, c.z}, {h.x, 0, 0}, {0, 0, h.z}, {0, -1, 0});
    AddQuad(&frame, sides, {c.x, c.y, c.z - h.z}, {-h.x, 0, 0}, {0, h.y, 0}, {0, 0, -1});
    AddQuad(&frame, &frame.indices[2], {c.x, c.y, c.z + h.z}, {h.x, 0, 0}, {0, h.y, 0},
            {0, 0, 1});
    return frame;
}

}  // namespace

TestModel BoxModel() {
    TestModel model;
    model.materials = {
        {{0.2f, 0.3f, 0.4f}, {0.8f, 0.7f, 0.5f}, {0.5f, 0.5f, 0.5f}, {0.1f, 0.2f, 0.3f}, 20.0f,
         "Texture1.jpg"},
        {{0.5f, 0.5f, 0.5f}, {0.5f, 0.5f, 0.5f}, {0, 0, 0}, {0, 0, 0}, 1.0f, "Unused.jpg"},
        {{1, 1, 1}, {1, 1, 1}, {0, 0, 0}, {0, 0, 0}, 0.0f, "Screen.tga"},
    };
    model.frames.push_back(BoxFrame({0, 0, -1.5f}, {2, 1.5f, 1}, 0));
    model.frames.push_back(BoxFrame({0, 0, -0.75f}, {1, 0.75f, 0.5f}, 2));
    return model;
}

TestModel TetrahedronModel() {
    TestModel model;
    model.materials = {
        {{0.75f, 0.75f, 0.75f}, {1, 1, 1}, {1, 1, 1}, {0, 0, 0}, 20.0f, "Texture1.jpg"}};
    const Vec3 corners[4] = {{1, 1, 1}, {-1, -1, 1}, {-1, 1, -1}, {1, -1, -1}};
    const int faces[4][3] = {{0, 1, 3}, {0, 2, 1}, {0, 3, 2}, {1, 2, 3}};
    TestFrame frame;
    frame.indices.resize(1);
    for (const int* face : faces) {
        const Vec3 a = corners[face[0]], b = corners[face[1]], c = corners[face[2]];
        const Vec3 e1 = {b.x - a.x, b.y - a.y, b.z - a.z}, e2 = {c.x - a.x, c.y - a.y, c.z - a.z};
        Vec3 n = {e1.y * e2.z - e1.z * e2.y, e1.z * e2.x - e1.x * e2.z, e1.x * e2.y - e1.y * e2.x};
        n = Scale(n, 1.0f / std::sqrt(n.x * n.x + n.y * n.y + n.z * n.z));
        const float st[3][2] = {{0, 0}, {1, 0}, {0.5f, 1}};
        for (int i = 0; i < 3; ++i) {
            const Vec3 p = corners[face[i]];
            frame.indices[0].push_back(static_cast<int>(frame.vertices.size()));
            frame.vertices.push_back({{p.x, p.y, p.z}, {n.x, n.y, n.z}, {st[i][0], st[i][1]}});
        }
    }
    model.frames.push_back(frame);
    return model;
}
