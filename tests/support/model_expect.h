// Checks that a model's arrays hold what a test model describes, for the parsed arrays of the
// host tests and a loaded Model node alike (both have the same fields).
#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "support/gxu_writer.h"

// A colour as OpenGL gets it: the file's R, G, B and alpha 1.
inline void ExpectColour(const float* actual, const float* file_rgb, const char* what) {
    EXPECT_EQ(actual[0], file_rgb[0]) << what;
    EXPECT_EQ(actual[1], file_rgb[1]) << what;
    EXPECT_EQ(actual[2], file_rgb[2]) << what;
    EXPECT_EQ(actual[3], 1.0f) << what << " alpha";
}

template <class Arrays>
void ExpectModelArrays(const Arrays& data, const TestModel& model) {
    ASSERT_EQ(data.material_count, static_cast<int>(model.materials.size()));
    ASSERT_EQ(data.frame_count, static_cast<int>(model.frames.size()));
    for (int m = 0; m < data.material_count; ++m) {
        const TestMaterial& expected = model.materials[m];
        const auto& material = data.materials[m];
        ExpectColour(material.ambient, expected.ambient, "ambient");
        ExpectColour(material.diffuse, expected.diffuse, "diffuse");
        ExpectColour(material.specular, expected.specular, "specular");
        ExpectColour(material.colour4, expected.colour4, "colour4");
        EXPECT_EQ(material.shininess, expected.shininess);
        EXPECT_STREQ(data.texture_names[m], expected.texture.c_str());
        EXPECT_EQ(data.triangle_counts[m],
                  static_cast<int>(model.frames[0].indices[m].size() / 3));
    }
    for (int f = 0; f < data.frame_count; ++f) {
        const TestFrame& frame = model.frames[f];
        ASSERT_EQ(data.vertex_counts[f], static_cast<int>(frame.vertices.size()));
        for (size_t v = 0; v < frame.vertices.size(); ++v) {
            for (int i = 0; i < 3; ++i) {
                EXPECT_EQ(data.positions[f][3 * v + i], frame.vertices[v].position[i]);
                EXPECT_EQ(data.normals[f][3 * v + i], frame.vertices[v].normal[i]);
            }
            EXPECT_EQ(data.texcoords[f][2 * v], frame.vertices[v].texcoord[0]);
            EXPECT_EQ(data.texcoords[f][2 * v + 1], frame.vertices[v].texcoord[1]);
        }
        size_t at = 0;
        for (const std::vector<int>& material : frame.indices)
            for (int index : material) EXPECT_EQ(data.indices[f][at++], index) << "frame " << f;
    }
}
