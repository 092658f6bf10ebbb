// The pbuffer on a real driver: its creation and initial state, pictures drawn into it and
// shown through a texture of the window context, and its release.
#include "gl/pbuffer.h"

#include <gtest/gtest.h>
#include <GL/gl.h>

#include <utility>

#include "app/app_state.h"
#include "gl/extensions.h"
#include "gl/wgl_extensions.h"
#include "support/full_screen_app.h"
#include "support/gl_window.h"

namespace {

const int kWindowSide = 64;

// The driver's own entry points, for the stand-ins below to fall back on.
WglEntryPoints g_driver = {};
int g_releaseDcCalls = 0;
int g_destroyCalls = 0;

BOOL WINAPI NoFormat(HDC, const int*, const FLOAT*, UINT, int*, UINT* count) {
    *count = 0;
    return TRUE;
}
BOOL WINAPI ChooserFails(HDC, const int*, const FLOAT*, UINT, int*, UINT*) { return FALSE; }
// The driver's list with its first two formats swapped: the one then first must be used.
BOOL WINAPI SwappedFormats(HDC dc, const int* ints, const FLOAT* floats, UINT max, int* formats,
                           UINT* count) {
    if (!g_driver.wglChoosePixelFormatARB(dc, ints, floats, max, formats, count)) return FALSE;
    if (*count >= 2) std::swap(formats[0], formats[1]);
    return TRUE;
}
HPBUFFERARB WINAPI NoPbuffer(HDC, int, int, int, const int*) { return nullptr; }
HDC WINAPI NoPbufferDC(HPBUFFERARB) { return nullptr; }
BOOL WINAPI ReleaseRefused(HPBUFFERARB, int) { return FALSE; }
int WINAPI CountedReleaseDC(HPBUFFERARB pbuffer, HDC dc) {
    ++g_releaseDcCalls;
    return g_driver.wglReleasePbufferDCARB(pbuffer, dc);
}
BOOL WINAPI CountedDestroy(HPBUFFERARB pbuffer) {
    ++g_destroyCalls;
    return g_driver.wglDestroyPbufferARB(pbuffer);
}

struct Colour {
    unsigned char r, g, b;
};

// Four quadrants of distinct colours, so that a flipped or mirrored image shows.
struct Picture {
    Colour topLeft, topRight, bottomLeft, bottomRight;
    int draws;
};

void Quad(const Colour& c, float x0, float y0, float x1, float y1) {
    glColor3ub(c.r, c.g, c.b);
    glVertex2f(x0, y0);
    glVertex2f(x1, y0);
    glVertex2f(x1, y1);
    glVertex2f(x0, y1);
}

// Runs with the pbuffer context current, in its initial state (texturing on).
void DrawPicture(void* user) {
    Picture* picture = static_cast<Picture*>(user);
    ++picture->draws;
    glDisable(GL_TEXTURE_2D);
    glBegin(GL_QUADS);
    Quad(picture->topLeft, -1.0f, 0.0f, 0.0f, 1.0f);
    Quad(picture->topRight, 0.0f, 0.0f, 1.0f, 1.0f);
    Quad(picture->bottomLeft, -1.0f, -1.0f, 0.0f, 0.0f);
    Quad(picture->bottomRight, 0.0f, -1.0f, 1.0f, 0.0f);
    glEnd();
    glEnable(GL_TEXTURE_2D);
}

Picture PictureForCycle(int cycle) {
    const unsigned char k = static_cast<unsigned char>(cycle * 8);
    return {{255, k, 0}, {0, 255, k}, {k, 0, 255}, {255, 255, k}, 0};
}

class PbufferTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(gl_.ok()) << gl_.failure();
        UseAsFullScreenWindow(gl_);
        ASSERT_TRUE(gmInitExtensions());
        g_driver = wgl;
    }
    void TearDown() override {
        wgl = g_driver;
        wglMakeCurrent(app.windowDC, app.renderContext);
        destroy_pbuffer();
        app.pbuffer = Pbuffer{};
    }

    // The window's texture that receives the pbuffer's image.
    GLuint MakeScreenTexture() {
        GLuint texture = 0;
        glGenTextures(1, &texture);
        glBindTexture(GL_TEXTURE_2D, texture);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        return texture;
    }

    // Draws the bound texture over the whole window and reads the four quadrants' centres.
    Picture ShowTexture() {
        glViewport(0, 0, kWindowSide, kWindowSide);
        glClearColor(0.5f, 0.5f, 0.5f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT);
        glEnable(GL_TEXTURE_2D);
        glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
        glBegin(GL_QUADS);
        glTexCoord2f(0, 0);
        glVertex2f(-1, -1);
        glTexCoord2f(1, 0);
        glVertex2f(1, -1);
        glTexCoord2f(1, 1);
        glVertex2f(1, 1);
        glTexCoord2f(0, 1);
        glVertex2f(-1, 1);
        glEnd();
        glFinish();
        const int low = kWindowSide / 4, high = 3 * kWindowSide / 4;
        return {Pixel(low, high), Pixel(high, high), Pixel(low, low), Pixel(high, low), 0};
    }

    static Colour Pixel(int x, int y) {
        unsigned char rgba[4] = {};
        glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
        return {rgba[0], rgba[1], rgba[2]};
    }

    GlContext gl_{kWindowSide, kWindowSide};
};

void ExpectSameColour(const Colour& seen, const Colour& drawn, const char* where, int cycle) {
    EXPECT_EQ(seen.r, drawn.r) << where << " cycle " << cycle;
    EXPECT_EQ(seen.g, drawn.g) << where << " cycle " << cycle;
    EXPECT_EQ(seen.b, drawn.b) << where << " cycle " << cycle;
}

void ExpectSamePicture(const Picture& seen, const Picture& drawn, int cycle) {
    ExpectSameColour(seen.topLeft, drawn.topLeft, "top left", cycle);
    ExpectSameColour(seen.topRight, drawn.topRight, "top right", cycle);
    ExpectSameColour(seen.bottomLeft, drawn.bottomLeft, "bottom left", cycle);
    ExpectSameColour(seen.bottomRight, drawn.bottomRight, "bottom right", cycle);
}

TEST_F(PbufferTest, CreatesA512SquareAndReturnsToTheWindowContext) {
    ASSERT_TRUE(init_pbuffer(&app.pbuffer, 512, 512));
    EXPECT_NE(app.pbuffer.handle, nullptr);
    EXPECT_NE(app.pbuffer.dc, nullptr);
    EXPECT_NE(app.pbuffer.context, nullptr);
    EXPECT_EQ(app.pbuffer.width, 512);
    EXPECT_EQ(app.pbuffer.height, 512);
    EXPECT_EQ(wglGetCurrentContext(), app.renderContext);
    EXPECT_EQ(wglGetCurrentDC(), app.windowDC);
}

TEST_F(PbufferTest, PbufferContextStartsReadyForFlatPictures) {
    ASSERT_TRUE(init_pbuffer(&app.pbuffer, 512, 512));
    ASSERT_TRUE(wglMakeCurrent(app.pbuffer.dc, app.pbuffer.context));
    const GLfloat identity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    for (GLenum matrix : {GL_MODELVIEW_MATRIX, GL_PROJECTION_MATRIX}) {
        GLfloat m[16] = {};
        glGetFloatv(matrix, m);
        for (int i = 0; i < 16; ++i) EXPECT_EQ(m[i], identity[i]) << std::hex << matrix;
    }
    for (GLenum cap : {GL_TEXTURE_2D, GL_VERTEX_ARRAY, GL_TEXTURE_COORD_ARRAY, GL_COLOR_ARRAY})
        EXPECT_TRUE(glIsEnabled(cap)) << std::hex << cap;
    for (GLenum cap : {GL_DEPTH_TEST, GL_CULL_FACE, GL_LIGHTING, GL_BLEND})
        EXPECT_FALSE(glIsEnabled(cap)) << std::hex << cap;
    GLint filter = 0;
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &filter);
    EXPECT_EQ(filter, GL_NEAREST);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &filter);
    EXPECT_EQ(filter, GL_NEAREST);
    // The window context was left untouched.
    ASSERT_TRUE(wglMakeCurrent(app.windowDC, app.renderContext));
    EXPECT_FALSE(glIsEnabled(GL_COLOR_ARRAY));
}

TEST_F(PbufferTest, TakesTheFirstFormatTheDriverLists) {
    wgl.wglChoosePixelFormatARB = SwappedFormats;
    ASSERT_TRUE(init_pbuffer(&app.pbuffer, 512, 512));
    const int ints[] = {WGL_DRAW_TO_PBUFFER_ARB, 1, WGL_BIND_TO_TEXTURE_RGBA_ARB, 1, 0};
    int formats[256] = {};
    UINT count = 0;
    ASSERT_TRUE(g_driver.wglChoosePixelFormatARB(app.windowDC, ints, nullptr, 256, formats, &count));
    ASSERT_GE(count, 2u);
    EXPECT_EQ(GetPixelFormat(app.pbuffer.dc), formats[1]);
}

TEST_F(PbufferTest, PicturesDrawnIntoItShowInTheWindowCycleAfterCycle) {
    ASSERT_TRUE(init_pbuffer(&app.pbuffer, 512, 512));
    MakeScreenTexture();
    for (int cycle = 0; cycle < 30; ++cycle) {
        Picture picture = PictureForCycle(cycle);
        ASSERT_TRUE(gmRenderToPbuffer(DrawPicture, &picture)) << cycle;
        EXPECT_EQ(picture.draws, 1);
        ASSERT_EQ(wglGetCurrentContext(), app.renderContext) << cycle;
        ExpectSamePicture(ShowTexture(), picture, cycle);
        if (HasFailure()) break;
    }
}

TEST_F(PbufferTest, RefusedReleaseKeepsThePreviousPictureAndDrawsNothing) {
    ASSERT_TRUE(init_pbuffer(&app.pbuffer, 512, 512));
    MakeScreenTexture();
    Picture first = PictureForCycle(1);
    ASSERT_TRUE(gmRenderToPbuffer(DrawPicture, &first));

    wgl.wglReleaseTexImageARB = ReleaseRefused;
    Picture second = PictureForCycle(2);
    EXPECT_FALSE(gmRenderToPbuffer(DrawPicture, &second));
    EXPECT_EQ(second.draws, 0);
    EXPECT_EQ(wglGetCurrentContext(), app.renderContext);
    ExpectSamePicture(ShowTexture(), first, 2);

    // The next frame whose release works shows its own picture again.
    wgl.wglReleaseTexImageARB = g_driver.wglReleaseTexImageARB;
    Picture third = PictureForCycle(3);
    ASSERT_TRUE(gmRenderToPbuffer(DrawPicture, &third));
    ExpectSamePicture(ShowTexture(), third, 3);
}

TEST_F(PbufferTest, FailuresReturnFalseAndKeepWhatWasMade) {
    const struct {
        const char* label;
        PFNWGLCHOOSEPIXELFORMATARBPROC choose;
        PFNWGLCREATEPBUFFERARBPROC create;
        PFNWGLGETPBUFFERDCARBPROC getDC;
        bool handleKept;
    } cases[] = {
        {"no format", NoFormat, nullptr, nullptr, false},
        {"format choice fails", ChooserFails, nullptr, nullptr, false},
        {"no pbuffer", nullptr, NoPbuffer, nullptr, false},
        {"no pbuffer DC", nullptr, nullptr, NoPbufferDC, true},
    };
    for (const auto& c : cases) {
        wgl = g_driver;
        if (c.choose != nullptr) wgl.wglChoosePixelFormatARB = c.choose;
        if (c.create != nullptr) wgl.wglCreatePbufferARB = c.create;
        if (c.getDC != nullptr) wgl.wglGetPbufferDCARB = c.getDC;
        app.pbuffer = {reinterpret_cast<HPBUFFERARB>(1), nullptr, nullptr, 7, 7};  // stale
        EXPECT_FALSE(init_pbuffer(&app.pbuffer, 512, 512)) << c.label;
        EXPECT_EQ(app.pbuffer.handle != nullptr, c.handleKept) << c.label;
        EXPECT_EQ(app.pbuffer.dc, nullptr) << c.label;
        EXPECT_EQ(app.pbuffer.context, nullptr) << c.label;
        EXPECT_EQ(app.pbuffer.width, 0) << c.label;
        EXPECT_EQ(wglGetCurrentContext(), app.renderContext) << c.label;
        wgl = g_driver;
        destroy_pbuffer();
        app.pbuffer = Pbuffer{};
    }
}

TEST_F(PbufferTest, DestroyReleasesOnlyWhatExists) {
    wgl.wglReleasePbufferDCARB = CountedReleaseDC;
    wgl.wglDestroyPbufferARB = CountedDestroy;
    g_releaseDcCalls = g_destroyCalls = 0;
    app.pbuffer = Pbuffer{};
    destroy_pbuffer();
    EXPECT_EQ(g_releaseDcCalls, 0);
    EXPECT_EQ(g_destroyCalls, 0);

    ASSERT_TRUE(init_pbuffer(&app.pbuffer, 512, 512));
    destroy_pbuffer();
    EXPECT_EQ(g_releaseDcCalls, 1);
    EXPECT_EQ(g_destroyCalls, 1);
    EXPECT_FALSE(wglMakeCurrent(app.pbuffer.dc, app.pbuffer.context));  // its context is gone
    app.pbuffer = Pbuffer{};
}

}  // namespace
