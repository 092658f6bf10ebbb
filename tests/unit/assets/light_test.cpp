// Light::apply in a real OpenGL context: "light1.gxl" read back from GL_LIGHT1, a second light
// on GL_LIGHT2 with a point light's attenuation, and no OpenGL call for an absent name.
#include "assets/light.h"

#include <gtest/gtest.h>
#include <windows.h>
#include <GL/gl.h>

#include <array>

#include "support/gl_recorder.h"
#include "support/gl_window.h"

namespace {

using Vec4 = std::array<float, 4>;

Vec4 LightValue(GLenum light, GLenum name) {
    Vec4 value = {-9, -9, -9, -9};
    glGetLightfv(light, name, value.data());
    return value;
}

float LightScalar(GLenum light, GLenum name) {
    float value = -9;
    glGetLightfv(light, name, &value);
    return value;
}

void ExpectNear(const Vec4& seen, const Vec4& wanted, const char* what) {
    for (int i = 0; i < 4; ++i) EXPECT_NEAR(seen[i], wanted[i], 1e-6) << what << " " << i;
}

class LightTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(gl_.ok()) << gl_.failure();
        gmSetLightDefaults();
        ASSERT_EQ(root_.add("light1.gxl", lightDesc), 1);
        // As at start-up: the light is applied under identity matrices.
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
    }
    GlContext gl_{64, 64};
    Light root_{1};
};

TEST_F(LightTest, Light1IsAWhiteDirectionalLightFromTheRight) {
    EXPECT_EQ(root_.apply("light1.gxl", -1), 1);
    ExpectNear(LightValue(GL_LIGHT1, GL_POSITION), {5, 0, 1, 0}, "position");
    ExpectNear(LightValue(GL_LIGHT1, GL_AMBIENT), {0.3f, 0.3f, 0.3f, 0}, "ambient");
    ExpectNear(LightValue(GL_LIGHT1, GL_DIFFUSE), {1, 1, 1, 0}, "diffuse");
    ExpectNear(LightValue(GL_LIGHT1, GL_SPECULAR), {1, 1, 1, 0}, "specular");
    EXPECT_TRUE(glIsEnabled(GL_LIGHT1));
    EXPECT_FALSE(glIsEnabled(GL_LIGHT0));
    EXPECT_FALSE(glIsEnabled(GL_LIGHT2));
    const Light* light = root_.find("light1.gxl");
    ASSERT_NE(light, nullptr);
    ExpectNear({light->applied_direction[0], light->applied_direction[1],
                light->applied_direction[2], light->applied_direction[3]},
               {5, 0, 1, 0}, "applied_direction");
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(LightTest, TheSecondLightDrivesGlLight2) {
    // type, ambient, diffuse, specular, position, direction
    const LightDesc lamp = {LIGHT_POINT, {}, {0.5f, 0, 0, 0}, {}, {1, 2, 3, 1}, {}};
    ASSERT_EQ(root_.add("lamp.gxl", lamp), 1);
    EXPECT_EQ(root_.apply("lamp.gxl", -1), 1);
    EXPECT_TRUE(glIsEnabled(GL_LIGHT2));
    EXPECT_FALSE(glIsEnabled(GL_LIGHT1));  // added, never applied
    ExpectNear(LightValue(GL_LIGHT2, GL_POSITION), {1, 2, 3, 1}, "position");
    ExpectNear(LightValue(GL_LIGHT2, GL_DIFFUSE), {0.5f, 0, 0, 0}, "diffuse");
    EXPECT_EQ(LightScalar(GL_LIGHT2, GL_CONSTANT_ATTENUATION), 0.0f);
    EXPECT_EQ(LightScalar(GL_LIGHT2, GL_LINEAR_ATTENUATION), 5.0f);
    EXPECT_EQ(LightScalar(GL_LIGHT2, GL_QUADRATIC_ATTENUATION), 3.0f);
}

TEST_F(LightTest, AnAbsentNameMakesNoCall) {
    const Vec4 before = LightValue(GL_LIGHT1, GL_POSITION);
    GlRecorder recorder;
    ASSERT_TRUE(recorder.ok());
    EXPECT_EQ(root_.apply("light2.gxl", -1), 0);
    EXPECT_EQ(root_.apply("", -1), 0);
    EXPECT_EQ(root_.apply(nullptr, -1), 0);
    EXPECT_TRUE(recorder.calls().empty());
    EXPECT_FALSE(glIsEnabled(GL_LIGHT1));
    ExpectNear(LightValue(GL_LIGHT1, GL_POSITION), before, "position");
}

}  // namespace
