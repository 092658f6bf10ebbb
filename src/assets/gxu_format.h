// The GXU model format: a file's bytes checked and read into the plain arrays a model node keeps.
// Portable (no windows.h, no OpenGL): the loader, gxuinfo and the fuzzer share it.
#pragma once

#include <cstddef>
#include <utility>

// One material as OpenGL takes its colours. The file stores ambient first; here diffuse comes
// first, and every alpha is 1 whatever the file holds.
struct Material {
    float diffuse[4];
    float ambient[4];
    float specular[4];
    float colour4[4];  // kept with the others, never passed to OpenGL
    float shininess;
};

// Texture names are at most 511 characters and their zero byte.
constexpr int kGxuNameCapacity = 512;
// Every material costs a texture lookup by name (a descent of the texture tree, which holds
// every material's texture) and a draw call in every frame; a file may have at most this many.
constexpr int kGxuMaxMaterials = 256;
// Each material of each frame gets an index buffer; a file may ask for at most this many. Frames
// without vertices cost two bytes each, so without a limit a small file could ask for billions.
constexpr long long kGxuMaxIndexBuffers = 65536;

enum class GxuStatus {
    Ok,
    TooLarge,          // 2 GiB or more: sizes are 32-bit signed
    Truncated,         // shorter than its counts require
    NameUnterminated,  // the data ends inside a texture name
    NameTooLong,       // a texture name of 512 characters or more
    NoFrames,          // F = 0: there would be no frame 0 to draw
    TooManyMaterials,  // M above kGxuMaxMaterials
    TooManyBuffers,    // F x M above kGxuMaxIndexBuffers
    IndexOutOfRange,   // an index not below its frame's vertex count
    TrailingBytes,     // bytes after the last index of the last frame
    OutOfMemory,
};

// Why a file was refused, as a short phrase for messages ("the data ends inside a texture name").
const char* GxuStatusText(GxuStatus status);

// The arrays of one file, all owning (new[]). A model node takes them over by moving the
// pointers out (and nulling them here); whatever is still held is freed on destruction.
struct GxuData {
    GxuData() = default;
    ~GxuData();
    GxuData(const GxuData&) = delete;
    GxuData& operator=(const GxuData&) = delete;

    int frame_count = 0;
    int material_count = 0;
    Material* materials = nullptr;         // M
    char** texture_names = nullptr;        // M buffers of kGxuNameCapacity, zero-terminated
    int* triangle_counts = nullptr;        // M
    int* vertex_counts = nullptr;          // F
    float** positions = nullptr;           // F arrays of 3 x V
    float** normals = nullptr;             // F arrays of 3 x V
    float** texcoords = nullptr;           // F arrays of 2 x V
    unsigned short** indices = nullptr;    // F arrays of 3 x sum(T), material after material
};

// Reads a whole GXU file. On Ok, *out (which must be empty) holds its arrays; on any other
// result *out is untouched and, when where is given, *where is the byte offset at which the
// file was refused. Every read is checked against the end of the data, and every allocation is
// preceded by a check that the data holds the bytes it is to be filled from.
GxuStatus ParseGxu(const unsigned char* data, std::size_t size, GxuData* out,
                   std::size_t* where = nullptr);

// The sum of the materials' triangle counts: the triangles of each frame.
long long GxuTriangleTotal(const int* triangle_counts, int material_count);

// One frame's vertices in the buffer objects' layout, OpenGL's GL_T2F_N3F_V3F: s, t, the
// normal, the position, eight floats (32 bytes) a vertex. out holds 8 x count floats.
void InterleaveT2fN3fV3f(const float* positions, const float* normals, const float* texcoords,
                         int count, float* out);

// Frees count arrays held by an owning array of pointers, then the array itself.
template <class T>
void DeleteEach(T** arrays, int count) {
    if (arrays == nullptr) return;
    for (int i = 0; i < count; ++i) delete[] arrays[i];
    delete[] arrays;
}

// The arrays of a file, and their counts, moved from one holder to another that holds none
// (a parse result or a model node: both have these fields); from is left empty.
template <class From, class To>
void MoveGxuArrays(From* from, To* to) {
    to->frame_count = std::exchange(from->frame_count, 0);
    to->material_count = std::exchange(from->material_count, 0);
    to->materials = std::exchange(from->materials, nullptr);
    to->texture_names = std::exchange(from->texture_names, nullptr);
    to->triangle_counts = std::exchange(from->triangle_counts, nullptr);
    to->vertex_counts = std::exchange(from->vertex_counts, nullptr);
    to->positions = std::exchange(from->positions, nullptr);
    to->normals = std::exchange(from->normals, nullptr);
    to->texcoords = std::exchange(from->texcoords, nullptr);
    to->indices = std::exchange(from->indices, nullptr);
}

// Frees the arrays a holder of them owns.
template <class Arrays>
void DeleteGxuArrays(Arrays* arrays) {
    delete[] arrays->materials;
    DeleteEach(arrays->texture_names, arrays->material_count);
    delete[] arrays->triangle_counts;
    delete[] arrays->vertex_counts;
    DeleteEach(arrays->positions, arrays->frame_count);
    DeleteEach(arrays->normals, arrays->frame_count);
    DeleteEach(arrays->texcoords, arrays->frame_count);
    DeleteEach(arrays->indices, arrays->frame_count);
}
