// What the screen-space passes read and leave behind in the current context, and the vertices
// a pass sends, caught with OpenGL's feedback mode.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>
#include <GL/gl.h>

#include <cstring>
#include <vector>

struct PassState {
    GLint matrixMode;
    GLfloat projection[16];
    GLfloat modelview[16];
    GLboolean depthTest, cullFace, lighting, blend, texture2d;
    GLint shadeModel;
    GLboolean vertexArray, normalArray, texCoordArray, colourArray;
    GLint texEnvMode;
    GLint boundTexture;
};

inline PassState ReadPassState() {
    PassState s = {};
    glGetIntegerv(GL_MATRIX_MODE, &s.matrixMode);
    glGetFloatv(GL_PROJECTION_MATRIX, s.projection);
    glGetFloatv(GL_MODELVIEW_MATRIX, s.modelview);
    s.depthTest = glIsEnabled(GL_DEPTH_TEST);
    s.cullFace = glIsEnabled(GL_CULL_FACE);
    s.lighting = glIsEnabled(GL_LIGHTING);
    s.blend = glIsEnabled(GL_BLEND);
    s.texture2d = glIsEnabled(GL_TEXTURE_2D);
    glGetIntegerv(GL_SHADE_MODEL, &s.shadeModel);
    s.vertexArray = glIsEnabled(GL_VERTEX_ARRAY);
    s.normalArray = glIsEnabled(GL_NORMAL_ARRAY);
    s.texCoordArray = glIsEnabled(GL_TEXTURE_COORD_ARRAY);
    s.colourArray = glIsEnabled(GL_COLOR_ARRAY);
    glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &s.texEnvMode);
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &s.boundTexture);
    return s;
}

inline bool SameMatrix(const GLfloat* a, const GLfloat* b) {
    return std::memcmp(a, b, 16 * sizeof(GLfloat)) == 0;
}

// Every field but the bound texture.
inline void ExpectSameStateButTexture(const PassState& a, const PassState& b, const char* what) {
    EXPECT_EQ(a.matrixMode, b.matrixMode) << what;
    EXPECT_TRUE(SameMatrix(a.projection, b.projection)) << what;
    EXPECT_TRUE(SameMatrix(a.modelview, b.modelview)) << what;
    EXPECT_EQ(a.depthTest, b.depthTest) << what;
    EXPECT_EQ(a.cullFace, b.cullFace) << what;
    EXPECT_EQ(a.lighting, b.lighting) << what;
    EXPECT_EQ(a.blend, b.blend) << what;
    EXPECT_EQ(a.texture2d, b.texture2d) << what;
    EXPECT_EQ(a.shadeModel, b.shadeModel) << what;
    EXPECT_EQ(a.vertexArray, b.vertexArray) << what;
    EXPECT_EQ(a.normalArray, b.normalArray) << what;
    EXPECT_EQ(a.texCoordArray, b.texCoordArray) << what;
    EXPECT_EQ(a.colourArray, b.colourArray) << what;
    EXPECT_EQ(a.texEnvMode, b.texEnvMode) << what;
}

const GLfloat kIdentity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

// One vertex as feedback reports it: window position, colour and texture coordinate.
struct FeedbackVertex {
    float x, y, z, w;
    float r, g, b, a;
    float s, t, p, q;
};

// The polygons a drawing call sends, each as its vertices in order. Nothing is drawn.
template <typename Draw>
std::vector<std::vector<FeedbackVertex>> FeedbackPolygons(Draw draw) {
    static GLfloat buffer[4096];
    glFeedbackBuffer(4096, GL_4D_COLOR_TEXTURE, buffer);
    glRenderMode(GL_FEEDBACK);
    draw();
    const GLint values = glRenderMode(GL_RENDER);
    std::vector<std::vector<FeedbackVertex>> polygons;
    for (GLint i = 0; i < values;) {
        const GLint token = static_cast<GLint>(buffer[i++]);
        if (token != GL_POLYGON_TOKEN) break;
        const int count = static_cast<int>(buffer[i++]);
        std::vector<FeedbackVertex> polygon(count);
        for (int v = 0; v < count; ++v, i += 12) std::memcpy(&polygon[v], buffer + i, 12 * sizeof(float));
        polygons.push_back(polygon);
    }
    return polygons;
}

inline bool SameVertex(const FeedbackVertex& a, const FeedbackVertex& b) {
    return std::memcmp(&a, &b, sizeof(a)) == 0;
}

// The quads a drawing call sends, each as its four corners in the order they were given.
// Mesa reports a quad (v0, v1, v2, v3) as the triangles (v0, v1, v3) and (v1, v2, v3); a pair
// that does not share those corners is left as two polygons, which the caller's checks reject.
template <typename Draw>
std::vector<std::vector<FeedbackVertex>> FeedbackQuads(Draw draw) {
    const auto polygons = FeedbackPolygons(draw);
    std::vector<std::vector<FeedbackVertex>> quads;
    for (size_t i = 0; i < polygons.size(); ++i) {
        const auto& first = polygons[i];
        if (first.size() == 3 && i + 1 < polygons.size() && polygons[i + 1].size() == 3) {
            const auto& second = polygons[i + 1];
            if (SameVertex(first[1], second[0]) && SameVertex(first[2], second[2])) {
                quads.push_back({first[0], first[1], second[1], second[2]});
                ++i;
                continue;
            }
        }
        quads.push_back(first);
    }
    return quads;
}
