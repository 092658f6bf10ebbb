// The GXU parser: little-endian u16 counts and f32 values read byte by byte through a
// MemoryStream, every read checked, every size checked before its allocation.
#include "assets/gxu_format.h"

#include <climits>
#include <cstring>
#include <new>

#include "assets/memory_stream.h"

namespace {

constexpr long long kMaterialMinBytes = 55;  // the 54-byte record and the name's zero byte
constexpr long long kVertexBytes = 32;

class Reader {
public:
    Reader(const unsigned char* data, int size) : stream_(data, size) {}

    int byte() { return stream_.getc(); }
    bool u16(int* value) {
        const int low = stream_.getc();
        const int high = stream_.getc();
        if (low < 0 || high < 0) return false;
        *value = low | high << 8;
        return true;
    }
    bool f32(float* value) {
        unsigned bits = 0;
        for (int i = 0; i < 4; ++i) {
            const int b = stream_.getc();
            if (b < 0) return false;
            bits |= static_cast<unsigned>(b) << (8 * i);
        }
        std::memcpy(value, &bits, sizeof bits);
        return true;
    }
    bool floats(float* out, int count) {
        for (int i = 0; i < count; ++i)
            if (!f32(&out[i])) return false;
        return true;
    }
    long long remaining() const { return stream_.size - stream_.position; }
    std::size_t position() const { return static_cast<std::size_t>(stream_.position); }

private:
    MemoryStream stream_;
};

template <class T>
T* NewArray(long long count) {
    return new (std::nothrow) T[static_cast<std::size_t>(count)]();
}

// The texture name up to its zero byte, into a buffer of kGxuNameCapacity.
GxuStatus ReadName(Reader& in, char* buffer) {
    for (int length = 0;; ++length) {
        const int c = in.byte();
        if (c < 0) return GxuStatus::NameUnterminated;
        if (c == 0) {
            buffer[length] = '\0';
            return GxuStatus::Ok;
        }
        if (length == kGxuNameCapacity - 1) return GxuStatus::NameTooLong;
        buffer[length] = static_cast<char>(c);
    }
}

// The colour triple of a material field, alpha 1.
bool ReadColour(Reader& in, float colour[4]) {
    colour[3] = 1.0f;
    return in.floats(colour, 3);
}

GxuStatus ReadMaterials(Reader& in, GxuData* model) {
    const int count = model->material_count;
    model->materials = NewArray<Material>(count);
    model->texture_names = NewArray<char*>(count);
    model->triangle_counts = NewArray<int>(count);
    if (model->materials == nullptr || model->texture_names == nullptr ||
        model->triangle_counts == nullptr)
        return GxuStatus::OutOfMemory;
    for (int m = 0; m < count; ++m) {
        Material& material = model->materials[m];
        if (!ReadColour(in, material.ambient) || !ReadColour(in, material.diffuse) ||
            !ReadColour(in, material.specular) || !ReadColour(in, material.colour4) ||
            !in.f32(&material.shininess) || !in.u16(&model->triangle_counts[m]))
            return GxuStatus::Truncated;
        model->texture_names[m] = NewArray<char>(kGxuNameCapacity);
        if (model->texture_names[m] == nullptr) return GxuStatus::OutOfMemory;
        const GxuStatus name = ReadName(in, model->texture_names[m]);
        if (name != GxuStatus::Ok) return name;
    }
    return GxuStatus::Ok;
}

// One frame record: its vertex count, vertices, and every material's indices, each checked
// against the vertex count. frame_bytes is the least any later frame takes (2 + 6 x sum T).
GxuStatus ReadFrame(Reader& in, GxuData* model, int f, long long index_count,
                    long long frame_bytes) {
    int vertex_count = 0;
    if (!in.u16(&vertex_count)) return GxuStatus::Truncated;
    const long long later_frames = model->frame_count - f - 1;
    if (in.remaining() < kVertexBytes * vertex_count + 2 * index_count + later_frames * frame_bytes)
        return GxuStatus::Truncated;
    model->vertex_counts[f] = vertex_count;
    float* positions = model->positions[f] = NewArray<float>(3LL * vertex_count);
    float* normals = model->normals[f] = NewArray<float>(3LL * vertex_count);
    float* texcoords = model->texcoords[f] = NewArray<float>(2LL * vertex_count);
    unsigned short* indices = model->indices[f] = NewArray<unsigned short>(index_count);
    if (positions == nullptr || normals == nullptr || texcoords == nullptr || indices == nullptr)
        return GxuStatus::OutOfMemory;
    for (int v = 0; v < vertex_count; ++v) {
        if (!in.floats(&positions[3 * v], 3) || !in.floats(&normals[3 * v], 3) ||
            !in.floats(&texcoords[2 * v], 2))
            return GxuStatus::Truncated;
    }
    for (long long i = 0; i < index_count; ++i) {
        int index = 0;
        if (!in.u16(&index)) return GxuStatus::Truncated;
        if (index >= vertex_count) return GxuStatus::IndexOutOfRange;
        indices[i] = static_cast<unsigned short>(index);
    }
    return GxuStatus::Ok;
}

GxuStatus ReadGxu(Reader& in, GxuData* model) {
    int frame_count = 0;
    int material_count = 0;
    if (!in.u16(&frame_count) || !in.u16(&material_count)) return GxuStatus::Truncated;
    if (frame_count == 0) return GxuStatus::NoFrames;
    if (material_count > kGxuMaxMaterials) return GxuStatus::TooManyMaterials;
    if (static_cast<long long>(frame_count) * material_count > kGxuMaxIndexBuffers)
        return GxuStatus::TooManyBuffers;
    if (in.remaining() < kMaterialMinBytes * material_count + 2LL * frame_count)
        return GxuStatus::Truncated;

    model->material_count = material_count;
    const GxuStatus materials = ReadMaterials(in, model);
    if (materials != GxuStatus::Ok) return materials;

    // Every frame holds 3 x sum(T) indices of two bytes; at most 65535 x 65535 triangles, so
    // the products below stay far inside 64 bits.
    const long long index_count =
        3 * GxuTriangleTotal(model->triangle_counts, model->material_count);
    const long long frame_bytes = 2 + 2 * index_count;
    if (in.remaining() < frame_count * frame_bytes) return GxuStatus::Truncated;

    model->frame_count = frame_count;
    model->vertex_counts = NewArray<int>(frame_count);
    model->positions = NewArray<float*>(frame_count);
    model->normals = NewArray<float*>(frame_count);
    model->texcoords = NewArray<float*>(frame_count);
    model->indices = NewArray<unsigned short*>(frame_count);
    if (model->vertex_counts == nullptr || model->positions == nullptr ||
        model->normals == nullptr || model->texcoords == nullptr || model->indices == nullptr)
        return GxuStatus::OutOfMemory;
    for (int f = 0; f < frame_count; ++f) {
        const GxuStatus frame = ReadFrame(in, model, f, index_count, frame_bytes);
        if (frame != GxuStatus::Ok) return frame;
    }
    // The counts account for every byte of a sound file; more means they disagree with it.
    return in.remaining() == 0 ? GxuStatus::Ok : GxuStatus::TrailingBytes;
}

}  // namespace

GxuData::~GxuData() { DeleteGxuArrays(this); }

const char* GxuStatusText(GxuStatus status) {
    switch (status) {
    case GxuStatus::Ok: return "a sound file";
    case GxuStatus::TooLarge: return "the file is 2 GiB or larger";
    case GxuStatus::Truncated: return "the file is shorter than its counts require";
    case GxuStatus::NameUnterminated: return "the data ends inside a texture name";
    case GxuStatus::NameTooLong: return "a texture name is 512 characters or longer";
    case GxuStatus::NoFrames: return "the file has no frames";
    case GxuStatus::TooManyMaterials: return "the file has more than 256 materials";
    case GxuStatus::TooManyBuffers: return "frames times materials exceeds 65536";
    case GxuStatus::IndexOutOfRange: return "an index is not below its frame's vertex count";
    case GxuStatus::TrailingBytes: return "bytes follow the last index of the last frame";
    case GxuStatus::OutOfMemory: return "out of memory";
    }
    return "unknown";
}

GxuStatus ParseGxu(const unsigned char* data, std::size_t size, GxuData* out,
                   std::size_t* where) {
    if (size > static_cast<std::size_t>(INT_MAX)) {
        if (where != nullptr) *where = 0;
        return GxuStatus::TooLarge;
    }
    Reader in(data, static_cast<int>(size));
    GxuData parsed;
    const GxuStatus status = ReadGxu(in, &parsed);
    if (status != GxuStatus::Ok) {
        if (where != nullptr) *where = in.position();
        return status;
    }
    MoveGxuArrays(&parsed, out);
    return GxuStatus::Ok;
}

long long GxuTriangleTotal(const int* triangle_counts, int material_count) {
    long long total = 0;
    for (int m = 0; m < material_count; ++m) total += triangle_counts[m];
    return total;
}

void InterleaveT2fN3fV3f(const float* positions, const float* normals, const float* texcoords,
                         int count, float* out) {
    for (int v = 0; v < count; ++v) {
        float* vertex = out + 8 * v;
        vertex[0] = texcoords[2 * v];
        vertex[1] = texcoords[2 * v + 1];
        std::memcpy(vertex + 2, normals + 3 * v, 3 * sizeof(float));
        std::memcpy(vertex + 5, positions + 3 * v, 3 * sizeof(float));
    }
}
