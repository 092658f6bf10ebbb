// The mesh's bookkeeping and the GXU writer: little-endian, no padding, the file ends with
// the last index.
#include "mesh.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace assetgen {

namespace {

void Fail(const char* what) {
    std::fprintf(stderr, "assetgen: model: %s\n", what);
    std::exit(1);
}

void PutU16(std::vector<unsigned char>* out, unsigned value) {
    out->push_back(static_cast<unsigned char>(value & 0xFF));
    out->push_back(static_cast<unsigned char>((value >> 8) & 0xFF));
}

void PutF32(std::vector<unsigned char>* out, double value) {
    const float f = static_cast<float>(value);
    std::uint32_t bits;
    std::memcpy(&bits, &f, sizeof bits);
    for (int i = 0; i < 4; ++i)
        out->push_back(static_cast<unsigned char>((bits >> (8 * i)) & 0xFF));
}

}  // namespace

int Mesh::Add(const Vertex& vertex) {
    if (vertices.size() >= 0xFFFF) Fail("more vertices than 16-bit indices reach");
    vertices.push_back(vertex);
    return static_cast<int>(vertices.size() - 1);
}

void Mesh::AddTriangle(int material, int a, int b, int c) {
    const int count = static_cast<int>(vertices.size());
    if (a < 0 || b < 0 || c < 0 || a >= count || b >= count || c >= count)
        Fail("index out of range");
    triangles.at(material).push_back({static_cast<std::uint16_t>(a), static_cast<std::uint16_t>(b),
                                      static_cast<std::uint16_t>(c)});
}

std::vector<unsigned char> WriteGxu(const Mesh& mesh,
                                    const std::vector<MaterialRecord>& materials) {
    if (materials.size() != mesh.triangles.size()) Fail("materials and triangle lists differ");
    std::vector<unsigned char> out;
    PutU16(&out, 1);
    PutU16(&out, static_cast<unsigned>(materials.size()));
    for (std::size_t m = 0; m < materials.size(); ++m) {
        const MaterialRecord& material = materials[m];
        for (const double* triple :
             {material.ambient, material.diffuse, material.specular, material.colour4}) {
            for (int i = 0; i < 3; ++i) PutF32(&out, triple[i]);
        }
        PutF32(&out, material.shininess);
        if (mesh.triangles[m].size() > 0xFFFF) Fail("more triangles than a 16-bit count");
        PutU16(&out, static_cast<unsigned>(mesh.triangles[m].size()));
        if (material.texture.size() > 511) Fail("texture name too long");
        out.insert(out.end(), material.texture.begin(), material.texture.end());
        out.push_back(0);
    }
    PutU16(&out, static_cast<unsigned>(mesh.vertices.size()));
    for (const Vertex& v : mesh.vertices) {
        for (double value : {v.position.x, v.position.y, v.position.z, v.normal.x, v.normal.y,
                             v.normal.z, v.uv.x, v.uv.y}) {
            PutF32(&out, value);
        }
    }
    for (const auto& list : mesh.triangles) {
        for (const auto& triangle : list) {
            for (std::uint16_t index : triangle) PutU16(&out, index);
        }
    }
    return out;
}

}  // namespace assetgen
