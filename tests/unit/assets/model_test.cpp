// The model tree and its loader in a real OpenGL context: models from RCDATA resources, the
// tree's rules, the material textures, the buffer objects' contents read back from the driver,
// and the client arrays alone when there are no buffer objects.
#include "assets/model.h"

#include <gtest/gtest.h>
#include <windows.h>
#include <GL/gl.h>
#include <GL/glext.h>

#include <cstring>
#include <string>
#include <vector>

#include "assets/light.h"
#include "assets/texture.h"
#include "fixtures/model/model_resource_ids.h"
#include "gl/proc_address.h"
#include "support/gl_window.h"
#include "support/gxu_writer.h"
#include "support/model_expect.h"
#include "support/scene_setup.h"

namespace {

class ModelTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(gl_.ok()) << gl_.failure(); }
    GlContext gl_{64, 64};
    Texture textures_;
    Light lights_{1};
};

TEST_F(ModelTest, LoadsAResourceWithItsArraysAndMaterialTextures) {
    Model root(1, &textures_, &lights_);
    ASSERT_EQ(root.has_vbo, 1) << "llvmpipe has ARB_vertex_buffer_object";
    ASSERT_EQ(root.create_from_resource("box.gxu", IDR_TEST_BOX_GXU), 1);
    Model* box = root.find("box.gxu");
    ASSERT_NE(box, nullptr);
    EXPECT_STREQ(box->name, "box.gxu");
    EXPECT_EQ(box->is_root, 0);
    EXPECT_EQ(box->textures, &textures_);
    EXPECT_EQ(box->lights, &lights_);
    EXPECT_EQ(box->has_vbo, 1);
    ExpectModelArrays(*box, BoxModel());

    // Each material's texture was asked for from disk: a ".jpg" name is registered without an
    // image, a ".tga" one refused.
    const Texture* texture1 = textures_.find("Texture1.jpg");
    ASSERT_NE(texture1, nullptr);
    EXPECT_EQ(texture1->gl_name, 0u);
    EXPECT_NE(textures_.find("Unused.jpg"), nullptr);
    EXPECT_EQ(textures_.find("Screen.tga"), nullptr);

    // A second load of the name changes nothing.
    EXPECT_EQ(root.create_from_resource("box.gxu", IDR_TEST_BOX_GXU), 0);
    EXPECT_EQ(root.find("box.gxu"), box);
    EXPECT_EQ(box->left, nullptr);
    EXPECT_EQ(box->right, nullptr);
}

TEST_F(ModelTest, TreeRulesThroughTheOperations) {
    Model root(1, &textures_, &lights_);
    const struct {
        std::string name;
        int id;
        int result;
        bool found;
    } steps[] = {
        {"m.gxu", IDR_TEST_BOX_GXU, 1, true},
        {"m.gxu", IDR_TEST_BOX_GXU, 0, true},          // present
        {"missing.gxu", IDR_TEST_NO_MODEL, 1, false},  // no such resource
        {"cut.gxu", IDR_TEST_BOX_CUT_GXU, 1, false},   // refused as a model
        {"text.gxu", IDR_TEST_NOT_GXU, 1, false},
        {"a.gxu", IDR_TEST_BOX_GXU, 1, true},          // lower than "m.gxu": to the left
        {"z.gxu", IDR_TEST_BOX_GXU, 1, true},
        {"M.gxu", IDR_TEST_BOX_GXU, 1, true},          // another name than "m.gxu"
        {"b.gxu", 0x10000 + IDR_TEST_BOX_GXU, 1, false},  // not a 16-bit resource id
        {std::string(511, 'n'), IDR_TEST_BOX_GXU, 1, true},
        {std::string(512, 'n'), IDR_TEST_BOX_GXU, 0, false},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.name.substr(0, 12));
        EXPECT_EQ(root.create_from_resource(step.name.c_str(), step.id), step.result);
        Model* found = root.find(step.name.c_str());
        EXPECT_EQ(found != nullptr, step.found);
        if (found != nullptr) {
            EXPECT_EQ(found->name, step.name);
        }
    }
    EXPECT_EQ(root.find(""), nullptr);
    EXPECT_EQ(root.find(nullptr), nullptr);
    ASSERT_NE(root.right, nullptr);
    EXPECT_EQ(root.left, nullptr);  // every model lies to the root's right
    EXPECT_STREQ(root.right->name, "m.gxu");
    // Ordered as by strcmp: "M" < "a" < "m" < "n..." < "z".
    const Model* m = root.right;
    ASSERT_NE(m->left, nullptr);
    EXPECT_STREQ(m->left->name, "a.gxu");
    ASSERT_NE(m->left->left, nullptr);
    EXPECT_STREQ(m->left->left->name, "M.gxu");
    ASSERT_NE(m->right, nullptr);
    EXPECT_STREQ(m->right->name, "z.gxu");
    ASSERT_NE(m->right->left, nullptr);
    EXPECT_EQ(m->right->left->name, std::string(511, 'n'));
}

TEST_F(ModelTest, BufferObjectsHoldTheInterleavedVerticesAndEachMaterialsIndices) {
    const auto getData = LookUpEntryPoint<PFNGLGETBUFFERSUBDATAARBPROC>("glGetBufferSubDataARB");
    const auto getParameter = LookUpEntryPoint<PFNGLGETBUFFERPARAMETERIVARBPROC>("glGetBufferParameterivARB");
    ASSERT_NE(getData, nullptr);
    ASSERT_NE(getParameter, nullptr);
    Model root(1, &textures_, &lights_);
    ASSERT_EQ(root.create_from_resource("box.gxu", IDR_TEST_BOX_GXU), 1);
    Model* box = root.find("box.gxu");
    ASSERT_NE(box, nullptr);
    ASSERT_NE(box->vertex_buffers, nullptr);
    ASSERT_NE(box->index_buffers, nullptr);
    EXPECT_EQ(GlInteger(GL_ARRAY_BUFFER_BINDING_ARB), 0);
    EXPECT_EQ(GlInteger(GL_ELEMENT_ARRAY_BUFFER_BINDING_ARB), 0);

    const TestModel model = BoxModel();
    for (int f = 0; f < 2; ++f) {
        SCOPED_TRACE(f);
        const std::vector<TestVertex>& vertices = model.frames[f].vertices;
        box->glBindBufferARB(GL_ARRAY_BUFFER_ARB, box->vertex_buffers[f]);
        GLint size = -1;
        getParameter(GL_ARRAY_BUFFER_ARB, GL_BUFFER_SIZE_ARB, &size);
        ASSERT_EQ(size, static_cast<GLint>(32 * vertices.size()));
        std::vector<float> stored(8 * vertices.size());
        getData(GL_ARRAY_BUFFER_ARB, 0, size, stored.data());
        for (size_t v = 0; v < vertices.size(); ++v) {
            const TestVertex& vertex = vertices[v];
            const float expected[8] = {vertex.texcoord[0], vertex.texcoord[1], vertex.normal[0],
                                       vertex.normal[1], vertex.normal[2], vertex.position[0],
                                       vertex.position[1], vertex.position[2]};
            for (int i = 0; i < 8; ++i) EXPECT_EQ(stored[8 * v + i], expected[i]) << v << " " << i;
        }
        for (int m = 0; m < 3; ++m) {
            const std::vector<int>& indices = model.frames[f].indices[m];
            box->glBindBufferARB(GL_ELEMENT_ARRAY_BUFFER_ARB, box->index_buffers[f][m]);
            getParameter(GL_ELEMENT_ARRAY_BUFFER_ARB, GL_BUFFER_SIZE_ARB, &size);
            ASSERT_EQ(size, static_cast<GLint>(2 * indices.size())) << "material " << m;
            std::vector<unsigned short> held(indices.size());
            if (size > 0) getData(GL_ELEMENT_ARRAY_BUFFER_ARB, 0, size, held.data());
            for (size_t i = 0; i < indices.size(); ++i) EXPECT_EQ(held[i], indices[i]);
        }
    }
    box->glBindBufferARB(GL_ARRAY_BUFFER_ARB, 0);
    box->glBindBufferARB(GL_ELEMENT_ARRAY_BUFFER_ARB, 0);
}

TEST_F(ModelTest, WithoutBufferObjectsAModelKeepsItsArraysOnly) {
    Model root(1, &textures_, &lights_);
    root.has_vbo = 0;
    ASSERT_EQ(root.create_from_resource("box.gxu", IDR_TEST_BOX_GXU), 1);
    Model* box = root.find("box.gxu");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->has_vbo, 0);
    EXPECT_EQ(box->vertex_buffers, nullptr);
    EXPECT_EQ(box->index_buffers, nullptr);
    ExpectModelArrays(*box, BoxModel());
}

TEST_F(ModelTest, LooksForBufferObjectsInTheCurrentContext) {
    Model found(1, &textures_, &lights_);
    EXPECT_EQ(found.has_vbo, 1);
    EXPECT_EQ(found.check_vbo(), 1);
    EXPECT_NE(found.glGenBuffersARB, nullptr);
    EXPECT_NE(found.glBindBufferARB, nullptr);
    EXPECT_NE(found.glBufferDataARB, nullptr);
    EXPECT_NE(found.glDeleteBuffersARB, nullptr);

    // With no context there is no extension string, and the model draws from client arrays.
    ASSERT_TRUE(wglMakeCurrent(nullptr, nullptr));
    Model without(1, &textures_, &lights_);
    ASSERT_TRUE(wglMakeCurrent(gl_.dc(), gl_.context()));
    EXPECT_EQ(without.has_vbo, 0);
    EXPECT_EQ(without.glGenBuffersARB, nullptr);
    EXPECT_EQ(without.glBindBufferARB, nullptr);
    EXPECT_EQ(without.glBufferDataARB, nullptr);
    EXPECT_EQ(without.glDeleteBuffersARB, nullptr);
}

TEST_F(ModelTest, LoadsFromMemoryThroughTheSameParser) {
    Model root(1, &textures_, &lights_);
    const std::vector<unsigned char> bytes = WriteGxu(TetrahedronModel());
    EXPECT_EQ(root.create_from_memory("tetra.gxu", bytes.data(), bytes.size()), 1);
    ASSERT_NE(root.find("tetra.gxu"), nullptr);
    ExpectModelArrays(*root.find("tetra.gxu"), TetrahedronModel());
    EXPECT_EQ(root.create_from_memory("cut.gxu", bytes.data(), bytes.size() - 1), 1);
    EXPECT_EQ(root.find("cut.gxu"), nullptr);
    // The loader itself refuses a name that its node could not hold.
    EXPECT_EQ(root.read_gxu_data(std::string(512, 'n').c_str(), bytes.data(), bytes.size()),
              nullptr);
    EXPECT_EQ(root.read_gxu_data(nullptr, bytes.data(), bytes.size()), nullptr);
}

}  // namespace
