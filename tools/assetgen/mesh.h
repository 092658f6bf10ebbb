// A triangle mesh of one frame with its materials, as the GXU format stores it, and the
// writer of the GXU bytes.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "vec.h"

namespace assetgen {

struct Vertex {
    Vec3 position;
    Vec3 normal;  // unit length, pointing out of the surface
    Vec2 uv;      // s, t
};

struct MaterialRecord {
    double ambient[3];
    double diffuse[3];
    double specular[3];
    double colour4[3];
    double shininess;
    std::string texture;
};

struct Mesh {
    std::vector<Vertex> vertices;
    // Triangles of each material, counter-clockwise seen from outside.
    std::vector<std::vector<std::array<std::uint16_t, 3>>> triangles;

    explicit Mesh(int material_count) : triangles(material_count) {}
    int Add(const Vertex& vertex);
    void AddTriangle(int material, int a, int b, int c);
};

// F = 1: the header, the materials in order, then the one frame's vertices and each
// material's indices. Positions, normals and texture coordinates are stored as 32-bit floats.
std::vector<unsigned char> WriteGxu(const Mesh& mesh, const std::vector<MaterialRecord>& materials);

}  // namespace assetgen
