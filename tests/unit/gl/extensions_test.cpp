// Extension discovery on the real driver, the 4-then-2 sample choice, and the recreation of
// the full-screen window with a multisampled format.
#include "gl/extensions.h"

#include <gtest/gtest.h>
#include <GL/gl.h>
#include <GL/glext.h>

#include <cstring>
#include <vector>

#include "app/app_state.h"
#include "app/main_window.h"
#include "gl/context.h"
#include "gl/pbuffer.h"
#include "gl/proc_address.h"
#include "gl/wgl_extensions.h"
#include "support/full_screen_app.h"
#include "support/gl_window.h"

namespace {

WglEntryPoints g_driver = {};
int g_refusedSamples[2] = {};  // sample counts the stand-in chooser finds no format for
std::vector<int> g_requestedSamples;

int RequestedSamples(const int* attributes) {
    for (const int* a = attributes; a[0] != 0; a += 2)
        if (a[0] == WGL_SAMPLES_ARB) return a[1];
    return 0;
}

BOOL WINAPI ChooserWithoutSomeSampleCounts(HDC dc, const int* ints, const FLOAT* floats,
                                           UINT max, int* formats, UINT* count) {
    const int samples = RequestedSamples(ints);
    g_requestedSamples.push_back(samples);
    if (samples == g_refusedSamples[0] || samples == g_refusedSamples[1]) {
        *count = 0;
        return TRUE;
    }
    return g_driver.wglChoosePixelFormatARB(dc, ints, floats, max, formats, count);
}

int SamplesOfFormat(HDC dc, int format) {
    const auto getAttributes =
        LookUpEntryPoint<PFNWGLGETPIXELFORMATATTRIBIVARBPROC>("wglGetPixelFormatAttribivARB");
    if (getAttributes == nullptr) return -1;
    const int attribute = WGL_SAMPLES_ARB;
    int samples = -1;
    getAttributes(dc, format, 0, 1, &attribute, &samples);
    return samples;
}

class ExtensionsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(gl_.ok()) << gl_.failure();
        UseAsFullScreenWindow(gl_);
    }
    void TearDown() override { wgl = WglEntryPoints{}; }
    GlContext gl_{64, 64};
};

TEST_F(ExtensionsTest, FindsAllNineEntryPoints) {
    wgl = WglEntryPoints{};
    ASSERT_TRUE(gmInitExtensions());
    EXPECT_NE(wgl.wglChoosePixelFormatARB, nullptr);
    EXPECT_NE(wgl.wglReleasePbufferDCARB, nullptr);
    EXPECT_NE(wgl.wglDestroyPbufferARB, nullptr);
    EXPECT_NE(wgl.wglCreatePbufferARB, nullptr);
    EXPECT_NE(wgl.wglGetPbufferDCARB, nullptr);
    EXPECT_NE(wgl.wglQueryPbufferARB, nullptr);
    EXPECT_NE(wgl.wglReleaseTexImageARB, nullptr);
    EXPECT_NE(wgl.wglBindTexImageARB, nullptr);
    EXPECT_NE(wgl.wglSwapIntervalEXT, nullptr);
}

TEST_F(ExtensionsTest, SearchesTheWglListInsteadOfTheGlList) {
    // A name that only the GL list has shows that the WGL list replaced it.
    const char* glList = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
    ASSERT_NE(glList, nullptr);
    ASSERT_NE(std::strstr(glList, "GL_ARB_vertex_buffer_object"), nullptr);
    const struct {
        const char* name;
        bool found;
    } cases[] = {
        {"WGL_ARB_pbuffer", true},
        {"WGL_ARB_multisample", true},
        {"WGL_ARB_render_texture", true},
        {"WGL_ARB_pbuf", false},
        {"ARB_pbuffer", false},
        {"GL_ARB_vertex_buffer_object", false},
    };
    for (const auto& c : cases) EXPECT_EQ(gmIsExtensionSupported(c.name), c.found) << c.name;
}

TEST_F(ExtensionsTest, PrefersFourSamplesThenTwo) {
    ASSERT_TRUE(gmInitExtensions());
    g_driver = wgl;
    wgl.wglChoosePixelFormatARB = ChooserWithoutSomeSampleCounts;
    // The sample count is a minimum: a driver may answer a request for 2 with more.
    const struct {
        int refused[2];
        bool found;
        std::vector<int> requests;
    } cases[] = {
        {{0, 0}, true, {4}},
        {{4, 0}, true, {4, 2}},
        {{4, 2}, false, {4, 2}},
    };
    for (const auto& c : cases) {
        app.multisampleAvailable = false;
        app.multisampleFormat = 0;
        g_refusedSamples[0] = c.refused[0];
        g_refusedSamples[1] = c.refused[1];
        g_requestedSamples.clear();
        EXPECT_EQ(gmFindMultisampleFormat(), c.found) << c.refused[0];
        EXPECT_EQ(app.multisampleAvailable, c.found) << c.refused[0];
        EXPECT_EQ(g_requestedSamples, c.requests) << c.refused[0];
        if (c.found) {
            EXPECT_GE(SamplesOfFormat(app.windowDC, app.multisampleFormat), c.requests.back());
        } else {
            EXPECT_EQ(app.multisampleFormat, 0);
        }
    }
}

TEST_F(ExtensionsTest, NoChooserMeansNoMultisampling) {
    wgl = WglEntryPoints{};
    app.multisampleAvailable = true;
    EXPECT_FALSE(gmFindMultisampleFormat());
    EXPECT_FALSE(app.multisampleAvailable);
}

TEST_F(ExtensionsTest, PreviewKeepsItsWindow) {
    ASSERT_TRUE(gmInitExtensions());
    app.runMode = RunMode::Preview;
    EXPECT_EQ(gmInitMultisample(), 1);
    EXPECT_EQ(app.mainWindow, gl_.window());
    EXPECT_EQ(app.renderContext, gl_.context());
    EXPECT_FALSE(app.multisampleAvailable);
}

// The full start-up order of a full-screen run, on a window of the program's own class.
TEST(Multisample, RecreatesTheFullScreenWindowWithoutEndingTheProgram) {
    ASSERT_NE(MakeFullScreenWindow(320, 200), nullptr);
    ShowWindow(app.mainWindow, SW_SHOW);
    app.windowDC = GetDC(app.mainWindow);
    ASSERT_TRUE(gmInitOpenGL());
    ASSERT_TRUE(gmInitExtensions());
    ASSERT_TRUE(init_pbuffer(&app.pbuffer, 512, 512));
    const HWND first = app.mainWindow;

    EXPECT_EQ(gmInitMultisample(), 1);
    EXPECT_FALSE(app.windowRecreating);
    ASSERT_TRUE(app.multisampleAvailable);
    EXPECT_FALSE(IsWindow(first));
    ASSERT_TRUE(IsWindow(app.mainWindow));
    EXPECT_TRUE(IsWindowVisible(app.mainWindow));

    // Neither the quit nor the release of OpenGL happened while the old window went.
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE) && msg.message != WM_QUIT) {
        PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE);
        DispatchMessageA(&msg);
    }
    EXPECT_FALSE(TakeMessage(WM_QUIT));
    EXPECT_TRUE(IsWindow(app.mainWindow));
    ASSERT_NE(app.pbuffer.context, nullptr);
    EXPECT_TRUE(wglMakeCurrent(app.pbuffer.dc, app.pbuffer.context));

    // The new window draws through its multisampled context, which starts with
    // multisampling off.
    ASSERT_TRUE(wglMakeCurrent(app.windowDC, app.renderContext));
    EXPECT_EQ(wglGetCurrentContext(), app.renderContext);
    EXPECT_EQ(GetPixelFormat(app.windowDC), app.multisampleFormat);
    GLint sampleBuffers = 0, samples = 0;
    glGetIntegerv(GL_SAMPLE_BUFFERS_ARB, &sampleBuffers);
    glGetIntegerv(GL_SAMPLES_ARB, &samples);
    EXPECT_EQ(sampleBuffers, 1);
    EXPECT_EQ(samples, 4);
    EXPECT_FALSE(glIsEnabled(GL_MULTISAMPLE_ARB));
    glViewport(0, 0, 320, 200);
    glClearColor(0.0f, 1.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glFinish();
    unsigned char rgba[4] = {};
    glReadPixels(160, 100, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    EXPECT_EQ(rgba[0], 0);
    EXPECT_EQ(rgba[1], 255);
    EXPECT_EQ(rgba[2], 0);

    // An ordinary destruction afterwards is the end: OpenGL, the pbuffer included, is released
    // and the quit posted.
    const HGLRC pbufferContext = app.pbuffer.context;
    DestroyWindow(app.mainWindow);
    EXPECT_FALSE(wglDeleteContext(pbufferContext)) << "the pbuffer's context outlived the window";
    EXPECT_EQ(app.renderContext, nullptr);
    EXPECT_EQ(app.windowDC, nullptr);
    EXPECT_TRUE(TakeMessage(WM_QUIT));
    app = AppState{};
    wgl = WglEntryPoints{};
}

}  // namespace
