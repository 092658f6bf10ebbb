// The stencil silhouette in a real OpenGL context, under the program's camera and light: the
// marked pixels, and only they, end at 60 % of their colour; the mark is the model at half size
// to its left; the state the pass changes is put back; an absent model or light does nothing.
#include "assets/model.h"

#include <gtest/gtest.h>
#include <windows.h>
#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "assets/light.h"
#include "assets/texture.h"
#include "fixtures/model/model_resource_ids.h"
#include "support/gl_recorder.h"
#include "support/gl_window.h"
#include "support/scene_setup.h"

namespace {

constexpr int kWidth = 200;
constexpr int kHeight = 150;

// The flattening matrix for the light (5, 0, 1, 1) and the plane z = -100, by rows.
const double kShadowRows[4][4] = {
    {1.0099495, 0, 0.0499975, -4.9997500},
    {0, 1.0099495, 0, 0},
    {0, 0, 1.0199490, 0.9999500},
    {0, 0, 0.0099995, 2.0098990},
};

struct Box {
    double left = 1e9, right = -1e9, bottom = 1e9, top = -1e9;
    void add(double x, double y) {
        left = std::min(left, x);
        right = std::max(right, x);
        bottom = std::min(bottom, y);
        top = std::max(top, y);
    }
};

// Where the corners of the test box land in window pixels under projection x modelview, with
// or without the flattening first.
Box ProjectedBox(const float projection[16], const float modelview[16], bool flattened) {
    Box box;
    for (int corner = 0; corner < 8; ++corner) {
        double p[4] = {corner & 1 ? 2.0 : -2.0, corner & 2 ? 1.5 : -1.5,
                       corner & 4 ? -0.5 : -2.5, 1.0};
        if (flattened) {
            double s[4] = {};
            for (int r = 0; r < 4; ++r)
                for (int c = 0; c < 4; ++c) s[r] += kShadowRows[r][c] * p[c];
            std::copy(s, s + 4, p);
        }
        for (const float* m : {modelview, projection}) {
            double q[4] = {};
            for (int r = 0; r < 4; ++r)
                for (int c = 0; c < 4; ++c) q[r] += m[4 * c + r] * p[c];
            std::copy(q, q + 4, p);
        }
        box.add((p[0] / p[3] + 1) * kWidth / 2, (p[1] / p[3] + 1) * kHeight / 2);
    }
    return box;
}

std::vector<unsigned char> ReadStencil() {
    std::vector<unsigned char> stencil(kWidth * kHeight);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, kWidth, kHeight, GL_STENCIL_INDEX, GL_UNSIGNED_BYTE, stencil.data());
    return stencil;
}

std::vector<float> ReadDepth() {
    std::vector<float> depth(kWidth * kHeight);
    glReadPixels(0, 0, kWidth, kHeight, GL_DEPTH_COMPONENT, GL_FLOAT, depth.data());
    return depth;
}

// Every piece of state the pass touches or must not touch, by name.
std::vector<std::pair<std::string, double>> State() {
    std::vector<std::pair<std::string, double>> state;
    for (const auto& cap : {std::make_pair("GL_BLEND", GL_BLEND),
                            std::make_pair("GL_DEPTH_TEST", GL_DEPTH_TEST),
                            std::make_pair("GL_CULL_FACE", GL_CULL_FACE),
                            std::make_pair("GL_TEXTURE_2D", GL_TEXTURE_2D),
                            std::make_pair("GL_LIGHTING", GL_LIGHTING),
                            std::make_pair("GL_LIGHT1", GL_LIGHT1),
                            std::make_pair("GL_STENCIL_TEST", GL_STENCIL_TEST)})
        state.emplace_back(cap.first, glIsEnabled(cap.second));
    for (const auto& value : {std::make_pair("GL_BLEND_SRC", GL_BLEND_SRC),
                              std::make_pair("GL_BLEND_DST", GL_BLEND_DST),
                              std::make_pair("GL_DEPTH_WRITEMASK", GL_DEPTH_WRITEMASK),
                              std::make_pair("GL_DEPTH_FUNC", GL_DEPTH_FUNC),
                              std::make_pair("GL_CULL_FACE_MODE", GL_CULL_FACE_MODE),
                              std::make_pair("GL_FRONT_FACE", GL_FRONT_FACE),
                              std::make_pair("GL_SHADE_MODEL", GL_SHADE_MODEL),
                              std::make_pair("GL_STENCIL_FUNC", GL_STENCIL_FUNC),
                              std::make_pair("GL_STENCIL_REF", GL_STENCIL_REF),
                              std::make_pair("GL_STENCIL_VALUE_MASK", GL_STENCIL_VALUE_MASK),
                              std::make_pair("GL_STENCIL_FAIL", GL_STENCIL_FAIL),
                              std::make_pair("GL_STENCIL_PASS_DEPTH_FAIL", GL_STENCIL_PASS_DEPTH_FAIL),
                              std::make_pair("GL_STENCIL_PASS_DEPTH_PASS", GL_STENCIL_PASS_DEPTH_PASS)}) {
        state.emplace_back(value.first, GlInteger(value.second));
    }
    GLboolean mask[4] = {};
    glGetBooleanv(GL_COLOR_WRITEMASK, mask);
    for (int i = 0; i < 4; ++i) state.emplace_back("GL_COLOR_WRITEMASK " + std::to_string(i), mask[i]);
    return state;
}

void ExpectMatrix(GLenum which, const float* wanted, const char* what) {
    float m[16];
    glGetFloatv(which, m);
    for (int i = 0; i < 16; ++i) EXPECT_FLOAT_EQ(m[i], wanted[i]) << what << " " << i;
}

const float kIdentity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

class StencilPassTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(gl_.ok()) << gl_.failure();
        SetUpFullScreenScene(gl_, kWidth, kHeight, &lights_);
        ASSERT_EQ(root_.create_from_resource("output.gxu", IDR_TEST_BOX_GXU), 1);
        ASSERT_NE(root_.find("output.gxu"), nullptr);
        PaintBackground();
        // The frame's matrices, saved as the frame saves them before the pass.
        LoadSceneView(kWidth, kHeight);
        glGetFloatv(GL_PROJECTION_MATRIX, projection_);
        glGetFloatv(GL_MODELVIEW_MATRIX, view_);
        glMatrixMode(GL_PROJECTION);
        glPushMatrix();
        glMatrixMode(GL_MODELVIEW);
        glPushMatrix();
        before_ = ReadColour(kWidth, kHeight);
    }
    void TearDown() override { app = AppState{}; }

    // A colour ramp over the whole window, so that every pixel's 60 % is its own; depth and
    // stencil cleared as the frame clears them. The resting state is left as it was.
    static void PaintBackground() {
        glClear(GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
        glPushAttrib(GL_ENABLE_BIT);
        glDisable(GL_LIGHTING);
        glDisable(GL_TEXTURE_2D);
        glDisable(GL_DEPTH_TEST);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glBegin(GL_QUADS);
        glColor3f(0.9f, 0.2f, 0.1f);
        glVertex2f(-1, -1);
        glColor3f(0.1f, 0.8f, 0.3f);
        glVertex2f(1, -1);
        glColor3f(0.3f, 0.4f, 0.95f);
        glVertex2f(1, 1);
        glColor3f(0.7f, 0.7f, 0.7f);
        glVertex2f(-1, 1);
        glEnd();
        glPopAttrib();
        glColor4f(1, 1, 1, 1);
    }

    GlContext gl_{kWidth, kHeight};
    Texture textures_;
    Light lights_{1};
    Model root_{1, &textures_, &lights_};
    float projection_[16] = {};
    float view_[16] = {};
    std::vector<unsigned char> before_;
};

TEST_F(StencilPassTest, DarkensExactlyTheMarkedPixelsTo60Percent) {
    EXPECT_EQ(root_.draw_shadow("output.gxu", "light1.gxl", 0), 0);
    const std::vector<unsigned char> after = ReadColour(kWidth, kHeight);
    const std::vector<unsigned char> stencil = ReadStencil();
    int marked = 0;
    Box mark;
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            const size_t i = static_cast<size_t>(y) * kWidth + x;
            ASSERT_LE(stencil[i], 1) << x << ", " << y;
            for (int c = 0; c < 3; ++c) {
                const int was = before_[4 * i + c], is = after[4 * i + c];
                if (stencil[i] == 1) {
                    ASSERT_NEAR(is, 0.6 * was, 1.01) << x << ", " << y << " channel " << c;
                } else {
                    ASSERT_EQ(is, was) << x << ", " << y << " channel " << c;
                }
            }
            if (stencil[i] == 1) {
                ++marked;
                mark.add(x, y);
            }
        }
    }
    ASSERT_GT(marked, 200);
    ASSERT_LT(marked, kWidth * kHeight / 2);

    // The mark covers where the flattened box's corners land (to the pixel), which is half the
    // box's size and to its left.
    const Box flat = ProjectedBox(projection_, view_, true);
    EXPECT_NEAR(mark.left, flat.left, 1.5);
    EXPECT_NEAR(mark.right + 1, flat.right, 1.5);
    EXPECT_NEAR(mark.bottom, flat.bottom, 1.5);
    EXPECT_NEAR(mark.top + 1, flat.top, 1.5);
    // Half the size in model units; a little more on screen, as the mark lies about 2 units
    // nearer the eye than the box.
    const Box model = ProjectedBox(projection_, view_, false);
    const double ratio = (flat.right - flat.left) / (model.right - model.left);
    EXPECT_GT(ratio, 0.5);
    EXPECT_LT(ratio, 0.6);
    EXPECT_LT((flat.left + flat.right) / 2, (model.left + model.right) / 2 - 20);
}

TEST_F(StencilPassTest, PutsBackTheStateItChanges) {
    const auto state = State();
    const std::vector<float> depth = ReadDepth();
    root_.draw_shadow("output.gxu", "light1.gxl", 0);
    EXPECT_EQ(State(), state);
    EXPECT_TRUE(ReadDepth() == depth) << "the mark wrote depth";
    float colour[4] = {};
    glGetFloatv(GL_CURRENT_COLOR, colour);
    EXPECT_EQ(colour[0], 0.0f);
    EXPECT_EQ(colour[1], 0.0f);
    EXPECT_EQ(colour[2], 0.0f);
    EXPECT_NEAR(colour[3], 0.4f, 1e-6);
    EXPECT_EQ(GlInteger(GL_MATRIX_MODE), GL_PROJECTION);
    ExpectMatrix(GL_PROJECTION_MATRIX, kIdentity, "projection");
    ExpectMatrix(GL_MODELVIEW_MATRIX, kIdentity, "modelview");
    // The frame's pops bring its own matrices back.
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    ExpectMatrix(GL_PROJECTION_MATRIX, projection_, "projection popped");
    ExpectMatrix(GL_MODELVIEW_MATRIX, view_, "modelview popped");
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(StencilPassTest, AnAbsentModelOrLightChangesNothing) {
    Model without_lights(1, &textures_, nullptr);
    ASSERT_EQ(without_lights.create_from_resource("output.gxu", IDR_TEST_BOX_GXU), 1);
    const struct {
        const char* label;
        Model* root;
        const char* model;
        const char* light;
    } cases[] = {
        {"absent model", &root_, "absent.gxu", "light1.gxl"},
        {"absent light", &root_, "output.gxu", "light2.gxl"},
        {"the empty names", &root_, "", ""},
        {"no light list", &without_lights, "output.gxu", "light1.gxl"},
    };
    const auto state = State();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        GlRecorder recorder;
        ASSERT_TRUE(recorder.ok());
        EXPECT_EQ(c.root->draw_shadow(c.model, c.light, 0), 0);
        EXPECT_TRUE(recorder.calls().empty());
        EXPECT_EQ(State(), state);
        EXPECT_TRUE(ReadColour(kWidth, kHeight) == before_);
        const std::vector<unsigned char> stencil = ReadStencil();
        EXPECT_EQ(std::count(stencil.begin(), stencil.end(), 0), kWidth * kHeight);
        EXPECT_EQ(GlInteger(GL_MATRIX_MODE), GL_MODELVIEW);
        ExpectMatrix(GL_MODELVIEW_MATRIX, view_, "modelview");
        float colour[4] = {};
        glGetFloatv(GL_CURRENT_COLOR, colour);
        EXPECT_EQ(colour[3], 1.0f);
    }
}

}  // namespace
