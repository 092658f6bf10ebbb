// The tests' own reader of GXU models, written apart from the generator's writer: every read
// is checked against the bytes that remain.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <vector>

struct GxuMaterial {
    float ambient[3], diffuse[3], specular[3], colour4[3];
    float shininess;
    int triangle_count;
    std::string texture;
};

struct GxuVertex {
    float position[3];
    float normal[3];
    float texcoord[2];
};

struct GxuModel {
    int frame_count = 0;
    std::vector<GxuMaterial> materials;
    // Frame 0.
    std::vector<GxuVertex> vertices;
    std::vector<std::vector<std::array<int, 3>>> triangles;  // per material
    std::size_t bytes_read = 0;
};

// 1 when the bytes hold a whole model (every frame complete, nothing left over); 0 with a
// reason otherwise.
int read_gxu(const std::vector<unsigned char>& bytes, GxuModel* model, std::string* reason);

// A file of resources/ (the generated assets); empty when it cannot be read.
std::vector<unsigned char> resource_file(const std::string& name);
