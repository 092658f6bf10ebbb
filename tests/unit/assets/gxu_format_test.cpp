// The GXU parser on crafted files: every field of a sound file, the files it takes at the edges
// of the format, and the refusals, each with the offset at which the file was refused.
#include "assets/gxu_format.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "support/gxu_writer.h"
#include "support/model_expect.h"

namespace {

using Bytes = std::vector<unsigned char>;

// Where the box's fields lie: the header, three materials with names of 12, 10 and 10
// characters, then frame 0 (24 vertices, 36 indices) and frame 1 (26 vertices, 36 indices).
constexpr size_t kBoxFrame0 = 4 + (55 + 12) + (55 + 10) + (55 + 10);
constexpr size_t kBoxIndices0 = kBoxFrame0 + 2 + 32 * 24;
constexpr size_t kBoxFrame1 = kBoxIndices0 + 2 * 36;
constexpr size_t kBoxIndices1 = kBoxFrame1 + 2 + 32 * 26;
constexpr size_t kBoxSize = kBoxIndices1 + 2 * 36;

void SetU16(Bytes* bytes, size_t offset, int value) {
    (*bytes)[offset] = static_cast<unsigned char>(value & 0xFF);
    (*bytes)[offset + 1] = static_cast<unsigned char>(value >> 8);
}

bool IsEmpty(const GxuData& data) {
    return data.frame_count == 0 && data.material_count == 0 && data.materials == nullptr &&
           data.texture_names == nullptr && data.triangle_counts == nullptr &&
           data.vertex_counts == nullptr && data.positions == nullptr &&
           data.normals == nullptr && data.texcoords == nullptr && data.indices == nullptr;
}

TEST(GxuFormat, ReadsEveryFieldOfASoundFile) {
    const TestModel box = BoxModel();
    const Bytes bytes = WriteGxu(box);
    ASSERT_EQ(bytes.size(), kBoxSize);
    GxuData data;
    ASSERT_EQ(ParseGxu(bytes.data(), bytes.size(), &data), GxuStatus::Ok);
    ExpectModelArrays(data, box);
    EXPECT_EQ(GxuTriangleTotal(data.triangle_counts, data.material_count), 12);
}

struct Accepted {
    const char* label;
    std::function<TestModel()> make;
};

// Files at the edges of what the format allows; each is read back field by field.
TEST(GxuFormat, TakesFilesAtTheEdgesOfTheFormat) {
    const Accepted cases[] = {
        {"one material, one frame", TetrahedronModel},
        {"no materials", [] {
             TestModel model = TetrahedronModel();
             model.materials.clear();
             model.frames[0].indices.clear();
             return model;
         }},
        {"a frame without vertices or triangles", [] {
             TestModel model = TetrahedronModel();
             model.frames[0].vertices.clear();
             model.frames[0].indices[0].clear();
             return model;
         }},
        {"as many materials as allowed", [] {
             TestModel model = TetrahedronModel();
             model.materials.resize(256, model.materials[0]);
             model.frames[0].indices.resize(256);
             return model;
         }},
        {"as many index buffers as allowed", [] {
             TestModel model = TetrahedronModel();
             model.materials.resize(256, model.materials[0]);
             model.frames[0].indices.resize(256);
             model.frames.resize(256, model.frames[0]);
             return model;
         }},
        {"a texture name of 511 characters and an empty one", [] {
             TestModel model = TetrahedronModel();
             model.materials[0].texture = std::string(511, 'n');
             model.materials.push_back(model.materials[0]);
             model.materials[1].texture = "";
             model.frames[0].indices.push_back({});
             return model;
         }},
        {"the last vertex of frame 1, which frame 0 does not have", [] {
             TestModel model = BoxModel();
             model.frames[1].indices[0][0] = 25;
             return model;
         }},
    };
    for (const Accepted& c : cases) {
        SCOPED_TRACE(c.label);
        const TestModel model = c.make();
        const Bytes bytes = WriteGxu(model);
        GxuData data;
        ASSERT_EQ(ParseGxu(bytes.data(), bytes.size(), &data), GxuStatus::Ok);
        ExpectModelArrays(data, model);
    }
}

struct Refused {
    const char* label;
    std::function<Bytes()> make;
    GxuStatus status;
    size_t where;
};

Bytes Box() { return WriteGxu(BoxModel()); }

Bytes Header(int frames, int materials) {
    Bytes bytes;
    PutU16(&bytes, frames);
    PutU16(&bytes, materials);
    return bytes;
}

TEST(GxuFormat, RefusesDamagedFiles) {
    const Refused cases[] = {
        {"an empty file", [] { return Bytes(); }, GxuStatus::Truncated, 0},
        {"a header cut short", [] { return Bytes{1, 0, 1}; }, GxuStatus::Truncated, 3},
        {"no frames", [] {
             Bytes bytes = Box();
             SetU16(&bytes, 0, 0);
             return bytes;
         }, GxuStatus::NoFrames, 4},
        {"materials far beyond the data", [] { return Header(1, 256); }, GxuStatus::Truncated, 4},
        {"more materials than allowed", [] {
             TestModel model = TetrahedronModel();
             model.materials.resize(257, model.materials[0]);
             model.frames[0].indices.resize(257);
             return WriteGxu(model);
         }, GxuStatus::TooManyMaterials, 4},
        {"frames beyond the data", [] { return Header(65535, 0); }, GxuStatus::Truncated, 4},
        {"more index buffers than allowed", [] { return Header(257, 256); },
         GxuStatus::TooManyBuffers, 4},
        {"the largest counts", [] { return Header(65535, 65535); },
         GxuStatus::TooManyMaterials, 4},
        {"a triangle count the frames do not hold", [] {
             Bytes bytes = Box();
             SetU16(&bytes, 4 + 52, 1000);
             return bytes;
         }, GxuStatus::Truncated, kBoxFrame0},
        {"a vertex count the frame does not hold", [] {
             Bytes bytes = Box();
             SetU16(&bytes, kBoxFrame1, 27);
             return bytes;
         }, GxuStatus::Truncated, kBoxFrame1 + 2},
        {"a texture name without its zero byte", [] {
             Bytes bytes = WriteGxu(TetrahedronModel());
             bytes.resize(4 + 54 + 5);
             return bytes;
         }, GxuStatus::NameUnterminated, 4 + 54 + 5},
        {"a texture name of 512 characters", [] {
             TestModel model = TetrahedronModel();
             model.materials[0].texture = std::string(512, 'n');
             return WriteGxu(model);
         }, GxuStatus::NameTooLong, 4 + 54 + 512},
        {"an index equal to the vertex count", [] {
             Bytes bytes = Box();
             SetU16(&bytes, kBoxIndices0 + 2 * 7, 24);
             return bytes;
         }, GxuStatus::IndexOutOfRange, kBoxIndices0 + 2 * 8},
        {"an index far beyond the vertices", [] {
             Bytes bytes = Box();
             SetU16(&bytes, kBoxIndices1 + 2 * 35, 65535);
             return bytes;
         }, GxuStatus::IndexOutOfRange, kBoxSize},
        {"one byte after the last index", [] {
             Bytes bytes = Box();
             bytes.push_back(0);
             return bytes;
         }, GxuStatus::TrailingBytes, kBoxSize},
        {"a whole second file after the first", [] {
             Bytes bytes = Box();
             const Bytes again = Box();
             bytes.insert(bytes.end(), again.begin(), again.end());
             return bytes;
         }, GxuStatus::TrailingBytes, kBoxSize},
    };
    for (const Refused& c : cases) {
        SCOPED_TRACE(c.label);
        const Bytes bytes = c.make();
        GxuData data;
        size_t where = 12345;
        const GxuStatus status = ParseGxu(bytes.data(), bytes.size(), &data, &where);
        EXPECT_EQ(status, c.status) << GxuStatusText(status);
        EXPECT_EQ(where, c.where);
        EXPECT_TRUE(IsEmpty(data));
    }
}

// Cut at every byte, the file is refused as short, and nothing is read past the cut (the
// sanitizers of the host build see to that: the cut copy is exactly as long as the cut).
TEST(GxuFormat, RefusesTheFileCutAtEveryByte) {
    const Bytes whole = Box();
    for (size_t length = 0; length < whole.size(); ++length) {
        const Bytes cut(whole.begin(), whole.begin() + static_cast<long>(length));
        GxuData data;
        size_t where = 0;
        const GxuStatus status = ParseGxu(cut.data(), cut.size(), &data, &where);
        EXPECT_TRUE(status == GxuStatus::Truncated || status == GxuStatus::NameUnterminated)
            << "cut at " << length << ": " << GxuStatusText(status);
        EXPECT_LE(where, length);
        EXPECT_TRUE(IsEmpty(data)) << "cut at " << length;
    }
}

TEST(GxuFormat, InterleavesTexcoordNormalPosition) {
    const float positions[] = {1, 2, 3, 4, 5, 6};
    const float normals[] = {7, 8, 9, 10, 11, 12};
    const float texcoords[] = {13, 14, 15, 16};
    float out[16] = {};
    InterleaveT2fN3fV3f(positions, normals, texcoords, 2, out);
    const float expected[16] = {13, 14, 7, 8, 9, 1, 2, 3, 15, 16, 10, 11, 12, 4, 5, 6};
    for (int i = 0; i < 16; ++i) EXPECT_EQ(out[i], expected[i]) << i;
}

}  // namespace
