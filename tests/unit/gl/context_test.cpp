// The window's pixel format, context and resting state, on real windows under Wine.
#include "gl/context.h"

#include <gtest/gtest.h>
#include <GL/gl.h>

#include "app/app_state.h"
#include "support/gl_window.h"

namespace {

class ContextTest : public ::testing::Test {
protected:
    void SetUp() override {
        app = AppState{};
        app.runMode = RunMode::Saver;
        app.mainWindow = window_.window();
        app.windowDC = window_.dc();
        app.screenWidth = 320;
        app.screenHeight = 200;
        ASSERT_NE(app.windowDC, nullptr);
    }
    void TearDown() override {
        // gmCloseOpenGL releases the DC; the window itself goes with the fixture.
        gmCloseOpenGL();
    }
    TestWindow window_{320, 200};
};

TEST_F(ContextTest, CreatesACurrentContextWithTheRequestedFormat) {
    ASSERT_TRUE(gmInitOpenGL());
    EXPECT_TRUE(app.errorLog.empty());
    EXPECT_EQ(wglGetCurrentContext(), app.renderContext);
    PIXELFORMATDESCRIPTOR pfd = {};
    DescribePixelFormat(app.windowDC, GetPixelFormat(app.windowDC), sizeof(pfd), &pfd);
    EXPECT_TRUE(pfd.dwFlags & PFD_DOUBLEBUFFER);
    EXPECT_TRUE(pfd.dwFlags & PFD_SUPPORT_OPENGL);
    EXPECT_GE(pfd.cDepthBits, 16);
    EXPECT_GE(pfd.cStencilBits, 1);
    EXPECT_GE(pfd.cColorBits, 24);
}

TEST_F(ContextTest, NoPixelFormatLogsOneLine) {
    app.windowDC = nullptr;  // ChoosePixelFormat finds nothing for it
    EXPECT_FALSE(gmInitOpenGL());
    EXPECT_STREQ(app.errorLog.text(), "gmInitPixelFormat(): Could not initialize pixel format\n");
    EXPECT_EQ(app.renderContext, nullptr);
}

TEST_F(ContextTest, MultisampleFormatIsUsedWithoutChoosing) {
    // Any valid index stands in for the multisampled one: SetPixelFormat must receive it.
    const int count = DescribePixelFormat(app.windowDC, 1, 0, nullptr);
    int chosen = 0;
    for (int i = count; i >= 1 && chosen == 0; --i) {
        PIXELFORMATDESCRIPTOR pfd = {};
        DescribePixelFormat(app.windowDC, i, sizeof(pfd), &pfd);
        if ((pfd.dwFlags & PFD_SUPPORT_OPENGL) && (pfd.dwFlags & PFD_DOUBLEBUFFER)) chosen = i;
    }
    ASSERT_NE(chosen, 0);
    app.multisampleAvailable = true;
    app.multisampleFormat = chosen;
    ASSERT_TRUE(gmInitOpenGL());
    EXPECT_EQ(GetPixelFormat(app.windowDC), chosen);
}

TEST_F(ContextTest, InvalidMultisampleFormatFailsThePixelFormat) {
    app.multisampleAvailable = true;
    app.multisampleFormat = 100000;
    EXPECT_FALSE(gmInitOpenGL());
    EXPECT_STREQ(app.errorLog.text(), "gmInitPixelFormat(): Could not initialize pixel format\n");
}

TEST_F(ContextTest, FullScreenRestingState) {
    ASSERT_TRUE(gmInitOpenGL());
    gmInitGLState();
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], 320);
    EXPECT_EQ(viewport[3], 200);
    for (GLenum cap : {GL_CULL_FACE, GL_TEXTURE_2D, GL_DEPTH_TEST, GL_LIGHTING, GL_VERTEX_ARRAY,
                       GL_NORMAL_ARRAY, GL_TEXTURE_COORD_ARRAY})
        EXPECT_TRUE(glIsEnabled(cap)) << std::hex << cap;
    EXPECT_FALSE(glIsEnabled(GL_COLOR_ARRAY));
    GLint value = 0;
    glGetIntegerv(GL_DEPTH_FUNC, &value);
    EXPECT_EQ(value, GL_LEQUAL);
    glGetIntegerv(GL_FRONT_FACE, &value);
    EXPECT_EQ(value, GL_CCW);
    glGetIntegerv(GL_CULL_FACE_MODE, &value);
    EXPECT_EQ(value, GL_BACK);
    glGetIntegerv(GL_SHADE_MODEL, &value);
    EXPECT_EQ(value, GL_SMOOTH);
    GLfloat depth = 0;
    glGetFloatv(GL_DEPTH_CLEAR_VALUE, &depth);
    EXPECT_NEAR(depth, 0.999, 1e-6);
    glGetIntegerv(GL_PERSPECTIVE_CORRECTION_HINT, &value);
    EXPECT_EQ(value, GL_NICEST);
}

TEST_F(ContextTest, PreviewStateIsOnlyTheViewport) {
    app.runMode = RunMode::Preview;
    ASSERT_TRUE(gmInitOpenGL());
    gmInitGLState();
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], 320);
    for (GLenum cap : {GL_CULL_FACE, GL_TEXTURE_2D, GL_DEPTH_TEST, GL_LIGHTING, GL_VERTEX_ARRAY})
        EXPECT_FALSE(glIsEnabled(cap)) << std::hex << cap;
    GLfloat depth = 0;
    glGetFloatv(GL_DEPTH_CLEAR_VALUE, &depth);
    EXPECT_FLOAT_EQ(depth, 1.0f);
}

TEST_F(ContextTest, CloseReleasesContextAndDeviceContext) {
    ASSERT_TRUE(gmInitOpenGL());
    EXPECT_EQ(gmCloseOpenGL(), 1);
    EXPECT_EQ(app.renderContext, nullptr);
    EXPECT_EQ(app.windowDC, nullptr);
    EXPECT_EQ(wglGetCurrentContext(), nullptr);
    EXPECT_EQ(gmCloseOpenGL(), 1);  // nothing left to release
}

}  // namespace
