// Drawing a model in a real OpenGL context: the calls of each path, one glDrawElements a
// material, the same pixels from buffer objects and from client arrays, no buffer left bound,
// and nothing at all for an absent name or frame.
#include "assets/model.h"

#include <gtest/gtest.h>
#include <windows.h>
#include <GL/gl.h>
#include <GL/glext.h>

#include <set>
#include <string>
#include <vector>

#include "assets/light.h"
#include "assets/texture.h"
#include "fixtures/model/model_resource_ids.h"
#include "support/gl_recorder.h"
#include "support/gl_window.h"
#include "support/gxu_writer.h"
#include "support/scene_setup.h"

namespace {

constexpr int kWidth = 160;
constexpr int kHeight = 120;

class ModelDrawTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(gl_.ok()) << gl_.failure();
        SetUpFullScreenScene(gl_, kWidth, kHeight, &lights_);
        MakeTestTexture(&textures_, "Texture1.jpg",
                        {255, 64, 64, 255, 64, 255, 64, 255, 64, 64, 255, 255, 255, 255, 255, 255});
    }
    void TearDown() override { app = AppState{}; }

    // The box loaded under "box.gxu" into root, with or without buffer objects.
    Model* LoadBox(Model* root, bool buffers) {
        root->has_vbo = buffers ? root->has_vbo : 0;
        root->create_from_resource("box.gxu", IDR_TEST_BOX_GXU);
        return root->find("box.gxu");
    }

    GlContext gl_{kWidth, kHeight};
    Texture textures_;
    Light lights_{1};
};

std::string MaterialCall(GLenum name, const float rgb[3]) {
    const float colour[4] = {rgb[0], rgb[1], rgb[2], 1.0f};
    return FloatsCallText("glMaterialfv", GL_FRONT, name, colour, 4);
}

// What drawing frame f of the box must call, from its description and the textures in the
// tree: "Unused.jpg" is a name-only entry (object 0) and "Screen.tga" is absent, so material 2
// keeps material 1's binding.
std::vector<std::string> ExpectedCalls(const Model& box, Texture& textures, int f) {
    const TestModel model = BoxModel();
    std::vector<std::string> calls;
    if (box.has_vbo) {
        calls.push_back(CallText("glBindBufferARB", {GL_ARRAY_BUFFER_ARB, box.vertex_buffers[f]}));
        calls.push_back(CallText("glInterleavedArrays", {GL_T2F_N3F_V3F, 0}, nullptr, true));
    } else {
        calls.push_back(CallText("glVertexPointer", {3, GL_FLOAT, 0}, box.positions[f], true));
        calls.push_back(CallText("glNormalPointer", {GL_FLOAT, 0}, box.normals[f], true));
        calls.push_back(CallText("glTexCoordPointer", {2, GL_FLOAT, 0}, box.texcoords[f], true));
    }
    size_t offset = 0;
    for (size_t m = 0; m < model.materials.size(); ++m) {
        const TestMaterial& material = model.materials[m];
        if (const Texture* texture = textures.find(material.texture.c_str()))
            calls.push_back(CallText("glBindTexture", {GL_TEXTURE_2D, texture->gl_name}));
        calls.push_back(MaterialCall(GL_AMBIENT, material.ambient));
        calls.push_back(MaterialCall(GL_DIFFUSE, material.diffuse));
        calls.push_back(MaterialCall(GL_SPECULAR, material.specular));
        calls.push_back(FloatsCallText("glMaterialf", GL_FRONT, GL_SHININESS, &material.shininess, 1));
        const long long count = static_cast<long long>(model.frames[f].indices[m].size());
        if (box.has_vbo) {
            calls.push_back(
                CallText("glBindBufferARB", {GL_ELEMENT_ARRAY_BUFFER_ARB, box.index_buffers[f][m]}));
            calls.push_back(
                CallText("glDrawElements", {GL_TRIANGLES, count, GL_UNSIGNED_SHORT}, nullptr, true));
        } else {
            calls.push_back(CallText("glDrawElements", {GL_TRIANGLES, count, GL_UNSIGNED_SHORT},
                                     box.indices[f] + offset, true));
        }
        offset += static_cast<size_t>(count);
    }
    if (box.has_vbo) {
        calls.push_back(CallText("glBindBufferARB", {GL_ARRAY_BUFFER_ARB, 0}));
        calls.push_back(CallText("glBindBufferARB", {GL_ELEMENT_ARRAY_BUFFER_ARB, 0}));
    }
    return calls;
}

TEST_F(ModelDrawTest, IssuesTheCallsOfEachPathWithOneDrawPerMaterial) {
    const struct {
        const char* label;
        bool buffers;
        int frame;
    } cases[] = {
        {"buffer objects, frame 0", true, 0},
        {"buffer objects, frame 1", true, 1},
        {"client arrays, frame 0", false, 0},
        {"client arrays, frame 1", false, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        Model root(1, &textures_, &lights_);
        Model* box = LoadBox(&root, c.buffers);
        ASSERT_NE(box, nullptr);
        ASSERT_EQ(box->has_vbo, c.buffers ? 1 : 0);
        GlRecorder recorder;
        ASSERT_TRUE(recorder.ok());
        recorder.record_buffers(box);
        EXPECT_EQ(root.draw("box.gxu", c.frame), 1);
        EXPECT_EQ(recorder.calls(), ExpectedCalls(*box, textures_, c.frame));
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    }
}

TEST_F(ModelDrawTest, BufferObjectsAndClientArraysDrawTheSamePixels) {
    Model with_buffers(1, &textures_, &lights_);
    Model with_arrays(1, &textures_, &lights_);
    ASSERT_NE(LoadBox(&with_buffers, true), nullptr);
    ASSERT_NE(LoadBox(&with_arrays, false), nullptr);
    MakeTestTexture(&textures_, "Screen.tga",
                    {0, 200, 0, 255, 0, 120, 0, 255, 0, 120, 0, 255, 0, 200, 0, 255});
    const auto draw = [](Model* root, int frame) {
        glClearColor(0.5f, 0.5f, 0.5f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
        LoadSceneView(kWidth, kHeight);
        // Turned so that the lit right side and the screen both face the camera.
        glRotatef(-30.0f, 0.0f, 1.0f, 0.0f);
        glRotatef(15.0f, 1.0f, 0.0f, 0.0f);
        EXPECT_EQ(root->draw("box.gxu", frame), 1);
        return ReadColour(kWidth, kHeight);
    };
    for (int frame = 0; frame < 2; ++frame) {
        SCOPED_TRACE(frame);
        const std::vector<unsigned char> buffered = draw(&with_buffers, frame);
        EXPECT_EQ(GlInteger(GL_ARRAY_BUFFER_BINDING_ARB), 0);
        EXPECT_EQ(GlInteger(GL_ELEMENT_ARRAY_BUFFER_BINDING_ARB), 0);
        const std::vector<unsigned char> arrays = draw(&with_arrays, frame);
        EXPECT_TRUE(buffered == arrays);

        // The picture is the box, not an empty frame: many pixels off the background, in
        // several colours (faces lit differently, the screen's texture).
        int drawn = 0;
        std::set<unsigned> colours;
        for (size_t i = 0; i < buffered.size(); i += 4) {
            const unsigned rgb = buffered[i] << 16 | buffered[i + 1] << 8 | buffered[i + 2];
            if (rgb != 0x808080 && rgb != 0x7F7F7F) ++drawn;
            colours.insert(rgb);
        }
        EXPECT_GT(drawn, kWidth * kHeight / (frame == 0 ? 10 : 40));
        EXPECT_GT(colours.size(), 20u);
    }
}

TEST_F(ModelDrawTest, AbsentNamesAndFramesDrawNothing) {
    Model root(1, &textures_, &lights_);
    Model* box = LoadBox(&root, true);
    ASSERT_NE(box, nullptr);
    GlRecorder recorder;
    ASSERT_TRUE(recorder.ok());
    recorder.record_buffers(box);
    EXPECT_EQ(root.draw("absent.gxu", 0), 0);
    EXPECT_EQ(root.draw("", 0), 0);
    EXPECT_EQ(root.draw(nullptr, 0), 0);
    EXPECT_EQ(root.draw("box.gxu", 2), 0);  // it has frames 0 and 1
    EXPECT_EQ(root.draw("box.gxu", -1), 0);
    EXPECT_EQ(box->draw_frame(2), 0);
    EXPECT_TRUE(recorder.calls().empty()) << recorder.calls().front();
}

}  // namespace
