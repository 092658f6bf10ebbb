// Test models described in plain terms and written as GXU bytes, for the parser's tables, the
// loader's fixtures and the fuzzer's seeds. Portable: builds in every preset.
#pragma once

#include <string>
#include <vector>

struct TestMaterial {
    float ambient[3];
    float diffuse[3];
    float specular[3];
    float colour4[3];
    float shininess;
    std::string texture;
};

struct TestVertex {
    float position[3];
    float normal[3];
    float texcoord[2];
};

struct TestFrame {
    std::vector<TestVertex> vertices;
    std::vector<std::vector<int>> indices;  // per material, three a triangle
};

struct TestModel {
    std::vector<TestMaterial> materials;
    std::vector<TestFrame> frames;
};

// The file: counts from the description (each material's triangle count from frame 0), then
// every field in the format's order. Indices are written as given, as 16-bit values.
std::vector<unsigned char> WriteGxu(const TestModel& model);

void PutU16(std::vector<unsigned char>* bytes, int value);
void PutF32(std::vector<unsigned char>* bytes, float value);

// A box like a small monitor, x -2..2, y -1.5..1.5, z -2.5..-0.5, one quad of four vertices a
// face, counter-clockwise from outside. Materials: 0 "Texture1.jpg" the back and sides (10
// triangles), 1 "Unused.jpg" with no triangles, 2 "Screen.tga" the front face (2 triangles,
// vertices 20 to 23). Frame 0 has the 24 vertices; frame 1 the box at half size, after two
// unused vertices, so that it has 26 and its indices are those of frame 0 plus 2.
TestModel BoxModel();
// A tetrahedron of one material, "Texture1.jpg", three vertices a face, one frame.
TestModel TetrahedronModel();
