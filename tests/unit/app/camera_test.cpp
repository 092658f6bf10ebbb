// The projection, the camera and the sway, read back from a real context.
#include "app/camera.h"

#include <gtest/gtest.h>
#include <GL/gl.h>

#include <cmath>

#include "support/gl_window.h"

namespace {

struct Matrix {
    double m[16];  // column-major, as OpenGL keeps it
};

Matrix Identity() {
    Matrix r = {};
    r.m[0] = r.m[5] = r.m[10] = r.m[15] = 1.0;
    return r;
}

Matrix Multiply(const Matrix& a, const Matrix& b) {
    Matrix r = {};
    for (int col = 0; col < 4; ++col)
        for (int row = 0; row < 4; ++row)
            for (int k = 0; k < 4; ++k) r.m[col * 4 + row] += a.m[k * 4 + row] * b.m[col * 4 + k];
    return r;
}

// Rotation by an angle in radians about a unit axis, as glRotate defines it.
Matrix Rotation(double angle, double x, double y, double z) {
    const double c = std::cos(angle), s = std::sin(angle), t = 1.0 - c;
    Matrix r = Identity();
    r.m[0] = t * x * x + c;     r.m[4] = t * x * y - s * z; r.m[8] = t * x * z + s * y;
    r.m[1] = t * x * y + s * z; r.m[5] = t * y * y + c;     r.m[9] = t * y * z - s * x;
    r.m[2] = t * x * z - s * y; r.m[6] = t * y * z + s * x; r.m[10] = t * z * z + c;
    return r;
}

void ExpectMatrixNear(const float* actual, const Matrix& expected, double tolerance) {
    for (int i = 0; i < 16; ++i) EXPECT_NEAR(actual[i], expected.m[i], tolerance) << "element " << i;
}

class CameraTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(gl_.ok()) << gl_.failure();
        glViewport(0, 0, 1280, 1024);
    }
    GlContext gl_{64, 64};
};

TEST_F(CameraTest, PerspectiveIsFortyDegreesVertically) {
    const double aspect = 1280.0 / 1024.0;
    gmSetPerspective(40.0, aspect, 0.5, 100.0, 0.0, 0.0, 0.0, 0.0, 1.0);
    GLint mode = 0;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(mode, GL_PROJECTION);
    float p[16];
    glGetFloatv(GL_PROJECTION_MATRIX, p);
    // glFrustum(-0.18198512 a, 0.18198512 a, -0.18198512, 0.18198512, 0.5, 100)
    const double top = 0.18198512;
    Matrix expected = {};
    expected.m[0] = 0.5 / (top * aspect);
    expected.m[5] = 0.5 / top;
    expected.m[10] = -(100.0 + 0.5) / (100.0 - 0.5);
    expected.m[11] = -1.0;
    expected.m[14] = -2.0 * 100.0 * 0.5 / (100.0 - 0.5);
    ExpectMatrixNear(p, expected, 1e-5);
}

TEST_F(CameraTest, WideScreenWidensOnlyTheHorizontalField) {
    float narrow[16], wide[16];
    gmSetPerspective(40.0, 4.0 / 3.0, 0.5, 100.0, 0, 0, 0, 0, 1.0);
    glGetFloatv(GL_PROJECTION_MATRIX, narrow);
    gmSetPerspective(40.0, 16.0 / 10.0, 0.5, 100.0, 0, 0, 0, 0, 1.0);
    glGetFloatv(GL_PROJECTION_MATRIX, wide);
    EXPECT_FLOAT_EQ(narrow[5], wide[5]);
    EXPECT_LT(wide[0], narrow[0]);
    EXPECT_NEAR(narrow[0] / wide[0], (16.0 / 10.0) / (4.0 / 3.0), 1e-5);
}

TEST_F(CameraTest, JitterShiftsByWholePixelsOfTheViewport) {
    // One pixel of jitter moves the frustum by one pixel's width of the near plane.
    gmSetFrustum(-1.0, 1.0, -1.0, 1.0, 1.0, 10.0, 1.0, -2.0, 0.0, 0.0, 1.0);
    float p[16];
    glGetFloatv(GL_PROJECTION_MATRIX, p);
    EXPECT_NEAR(p[8], -2.0 / 1280.0, 1e-6);
    EXPECT_NEAR(p[9], 4.0 / 1024.0, 1e-6);
    // An eye offset moves it by offset * near / focus.
    gmSetFrustum(-1.0, 1.0, -1.0, 1.0, 1.0, 10.0, 0.0, 0.0, 0.5, 0.0, 2.0);
    glGetFloatv(GL_PROJECTION_MATRIX, p);
    EXPECT_NEAR(p[8], -0.25, 1e-6);
}

TEST_F(CameraTest, AtTimeZeroTheViewIsTheCameraTranslationAlone) {
    float sway[16];
    gmSetSway(0.0f, sway);
    ExpectMatrixNear(sway, Identity(), 1e-7);
    gmSetCamera();
    glMultMatrixf(sway);
    float view[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, view);
    Matrix expected = Identity();
    expected.m[12] = 0.0;
    expected.m[13] = 1.2999999523;
    expected.m[14] = -12.0;
    ExpectMatrixNear(view, expected, 1e-6);
}

TEST_F(CameraTest, SwayTurnsAboutYThenZThenX) {
    const double t = 3.0 * 3.14159265358979;  // sin(t/2) = -1, sin(t/3) = 0
    float sway[16];
    gmSetSway(static_cast<float>(t), sway);
    const Matrix expected =
        Multiply(Multiply(Rotation(0.25 * std::sin(t / 2), 0, 1, 0), Rotation(0.15 * std::sin(t / 3), 0, 0, 1)),
                 Rotation(0.08 * std::sin(t / 5), 1, 0, 0));
    ExpectMatrixNear(sway, expected, 1e-5);
}

}  // namespace
