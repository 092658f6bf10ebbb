// The desktop, banner and preview passes in a real OpenGL context: the vertices, colours and
// texture coordinates they send, the pixels they draw with pictures made here, and the state
// they leave for the passes after them.
#include "scene/screen_passes.h"

#include <gtest/gtest.h>
#include <windows.h>
#include <GL/gl.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "assets/texture.h"
#include "gl/context.h"
#include "support/full_screen_app.h"
#include "support/gl_window.h"
#include "support/picture_file.h"
#include "support/scene_picture.h"
#include "support/scene_setup.h"
#include "unit/scene/pass_state.h"
#include "unit/scene/test_texels.h"

namespace {

const int kScreenWidth = 1024;
const int kScreenHeight = 768;

using scene::Rgb;

// The window's pixels through GDI, as the screen shows them; R, G, B, A, bottom row first.
std::vector<unsigned char> ReadWindowDC(HDC window, int width, int height) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;  // bottom row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC memory = CreateCompatibleDC(window);
    HBITMAP bitmap = CreateDIBSection(window, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    std::vector<unsigned char> pixels(static_cast<size_t>(width) * height * 4);
    if (bitmap != nullptr) {
        HGDIOBJ old = SelectObject(memory, bitmap);
        BitBlt(memory, 0, 0, width, height, window, 0, 0, SRCCOPY);
        GdiFlush();
        const unsigned char* bgrx = static_cast<const unsigned char*>(bits);
        for (size_t i = 0; i < pixels.size(); i += 4) {
            pixels[i] = bgrx[i + 2];
            pixels[i + 1] = bgrx[i + 1];
            pixels[i + 2] = bgrx[i];
            pixels[i + 3] = 255;
        }
        SelectObject(memory, old);
        DeleteObject(bitmap);
    }
    DeleteDC(memory);
    return pixels;
}

void ExpectRgbNear(const Rgb& seen, const Rgb& wanted, int tolerance, const char* what) {
    EXPECT_LE(std::abs(seen.r - wanted.r), tolerance) << what << " red " << seen.r;
    EXPECT_LE(std::abs(seen.g - wanted.g), tolerance) << what << " green " << seen.g;
    EXPECT_LE(std::abs(seen.b - wanted.b), tolerance) << what << " blue " << seen.b;
}

// A pixel of a read-back picture and the colour it should have.
struct Probe {
    int x, y;
    Rgb wanted;
};

template <size_t N>
void ExpectProbes(const std::vector<unsigned char>& pixels, int width, const Probe (&probes)[N],
                  const char* what) {
    for (const Probe& p : probes) {
        const std::string where = std::string(what) + " at " + std::to_string(p.x) + ", " +
                                  std::to_string(p.y);
        ExpectRgbNear(PixelAt(pixels, width, p.x, p.y), p.wanted, 3, where.c_str());
    }
}

// The desktop texture's texel (x, y) tells its own place: low bytes in red and green, the high
// bits in blue.
Rgb DesktopTexel(int x, int y) { return {x & 255, y & 255, (x >> 8) | ((y >> 8) << 4)}; }

// Full screen in a 1024 x 768 window with the resting state and textures of the test's own.
class ScreenPassTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(gl_.ok()) << gl_.failure();
        UseAsFullScreenWindow(gl_);
        app.screenWidth = kScreenWidth;
        app.screenHeight = kScreenHeight;
        app.textureRoot = &root_;
        gmInitGLState();
    }
    void TearDown() override { app.textureRoot = nullptr; }

    void MakeDesktop(int width, int height) {
        MakeTexture(root_, "desktop.bmp", width, height, [](int x, int y, unsigned char* t) {
            const Rgb c = DesktopTexel(x, y);
            Put(t, c.r, c.g, c.b);
        });
        // Shown pixel for pixel, as the desktop capture sets it.
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    }
    GLint GlName(const char* name) { return static_cast<GLint>(root_.find(name)->gl_name); }

    // Caller's matrices that no pass sets itself.
    void SetCallerMatrices() {
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glFrustum(-0.3, 0.3, -0.2, 0.2, 0.5, 100.0);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glTranslatef(0.0f, 1.3f, -12.0f);
        glRotatef(10.0f, 0.0f, 1.0f, 0.0f);
    }

    // The resting state every full-screen pass returns to.
    void ExpectRestingState(const PassState& s, const char* pass) {
        EXPECT_TRUE(s.depthTest) << pass;
        EXPECT_TRUE(s.cullFace) << pass;
        EXPECT_TRUE(s.lighting) << pass;
        EXPECT_TRUE(s.texture2d) << pass;
        EXPECT_EQ(s.shadeModel, GL_SMOOTH) << pass;
        EXPECT_TRUE(s.vertexArray) << pass;
        EXPECT_TRUE(s.normalArray) << pass;
        EXPECT_TRUE(s.texCoordArray) << pass;
        EXPECT_FALSE(s.colourArray) << pass;
        EXPECT_EQ(s.texEnvMode, GL_MODULATE) << pass;
    }

    GlContext gl_{kScreenWidth, kScreenHeight};
    Texture root_;
};

// The quad's corners in their order, its colour and how far into the texture it reaches: the
// screen-sized corner of a texture whose sides are rounded up to 512, 1024, 2048 or 4096.
TEST_F(ScreenPassTest, DesktopQuadReachesTheScreenSizedCornerOfItsTexture) {
    MakeDesktop(16, 16);
    const struct {
        int width, height;
        float u, v;
    } screens[] = {
        {1024, 768, 1.0f, 0.75f},
        {1280, 1024, 0.625f, 1.0f},
        {800, 600, 0.78125f, 0.5859375f},
        {1920, 1080, 0.9375f, 0.52734375f},
    };
    for (const auto& screen : screens) {
        app.screenWidth = screen.width;
        app.screenHeight = screen.height;
        glViewport(0, 0, screen.width, screen.height);
        for (float alpha : {1.0f, 0.375f}) {
            const auto polygons = FeedbackQuads([alpha] { gmDrawDesktop(alpha); });
            ASSERT_EQ(polygons.size(), 1u) << screen.width;
            ASSERT_EQ(polygons[0].size(), 4u) << screen.width;
            const float w = static_cast<float>(screen.width), h = static_cast<float>(screen.height);
            const FeedbackVertex expected[4] = {
                {w, 0, 0, 0, 1, 1, 1, alpha, screen.u, 0, 0, 1},
                {0, 0, 0, 0, 1, 1, 1, alpha, 0, 0, 0, 1},
                {0, h, 0, 0, 1, 1, 1, alpha, 0, screen.v, 0, 1},
                {w, h, 0, 0, 1, 1, 1, alpha, screen.u, screen.v, 0, 1},
            };
            for (int i = 0; i < 4; ++i) {
                const FeedbackVertex& seen = polygons[0][i];
                EXPECT_NEAR(seen.x, expected[i].x, 1e-3) << screen.width << " vertex " << i;
                EXPECT_NEAR(seen.y, expected[i].y, 1e-3) << screen.width << " vertex " << i;
                EXPECT_FLOAT_EQ(seen.r, 1.0f);
                EXPECT_FLOAT_EQ(seen.a, alpha) << "vertex " << i;
                EXPECT_FLOAT_EQ(seen.s, expected[i].s) << screen.width << " vertex " << i;
                EXPECT_FLOAT_EQ(seen.t, expected[i].t) << screen.width << " vertex " << i;
            }
        }
    }
}

// On a 1024 x 768 screen the texture is 1024 x 1024 and every screen pixel shows the texel of
// its own place: the coordinates reach (1, 0.75), not (1, 1).
TEST_F(ScreenPassTest, DesktopShowsEveryCapturedPixelInPlace) {
    MakeDesktop(1024, 1024);
    gmDrawDesktop(1.0f);
    const std::vector<unsigned char> pixels = ReadColour(kScreenWidth, kScreenHeight);
    SavePicture("desktop_1024x768", pixels.data(), kScreenWidth, kScreenHeight);
    int wrong = 0;
    for (int y = 0; y < kScreenHeight; ++y) {
        for (int x = 0; x < kScreenWidth; ++x) {
            const Rgb seen = PixelAt(pixels, kScreenWidth, x, y);
            const Rgb wanted = DesktopTexel(x, y);
            if (seen.r != wanted.r || seen.g != wanted.g || seen.b != wanted.b) {
                if (++wrong <= 5) ADD_FAILURE() << "pixel " << x << ", " << y << " is " << seen.r << " " << seen.g << " " << seen.b;
            }
        }
    }
    EXPECT_EQ(wrong, 0);
}

// Opaque at 1 without touching blending; below 1, zero and negative included, blended over the
// frame, and blending is off afterwards even when the caller had it on.
TEST_F(ScreenPassTest, DesktopBlendsBelowAlphaOne) {
    MakeTexture(root_, "desktop.bmp", 1024, 1024,
                [](int, int, unsigned char* t) { Put(t, 240, 0, 0); });
    const struct {
        float alpha;
        bool blendBefore;
        Rgb pixel;  // red desktop over a blue frame
        bool blendAfter;
    } cases[] = {
        {1.0f, false, {240, 0, 0}, false},
        {1.0f, true, {240, 0, 0}, true},
        {0.75f, false, {180, 0, 64}, false},
        {0.5f, true, {120, 0, 128}, false},
        {0.0f, false, {0, 0, 255}, false},
        {-0.5f, false, {0, 0, 255}, false},
        {-2.0f, true, {0, 0, 255}, false},
    };
    for (const auto& c : cases) {
        glClearColor(0.0f, 0.0f, 1.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        if (c.blendBefore) {
            glEnable(GL_BLEND);
            glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        } else {
            glDisable(GL_BLEND);
        }
        gmDrawDesktop(c.alpha);
        EXPECT_EQ(glIsEnabled(GL_BLEND) == GL_TRUE, c.blendAfter) << c.alpha;
        const std::vector<unsigned char> pixels = ReadColour(kScreenWidth, kScreenHeight);
        const int probes[3][2] = {{0, 0}, {512, 384}, {1023, 767}};
        for (const auto& xy : probes)
            ExpectRgbNear(PixelAt(pixels, kScreenWidth, xy[0], xy[1]), c.pixel, 2, "blended pixel");
        if (HasFailure()) {
            ADD_FAILURE() << "alpha " << c.alpha;
            break;
        }
    }
    glDisable(GL_BLEND);
}

TEST_F(ScreenPassTest, DesktopRestoresTheMatricesAndLeavesProjectionSelected) {
    MakeDesktop(16, 16);
    SetCallerMatrices();
    const PassState before = ReadPassState();
    gmDrawDesktop(0.5f);
    const PassState after = ReadPassState();
    EXPECT_EQ(after.matrixMode, GL_PROJECTION);
    EXPECT_TRUE(SameMatrix(after.projection, before.projection));
    EXPECT_TRUE(SameMatrix(after.modelview, before.modelview));
    ExpectRestingState(after, "desktop");
    EXPECT_FALSE(after.blend);
    EXPECT_EQ(after.boundTexture, GlName("desktop.bmp"));
}

// The banner texture: its upper half (first 16 rows) light on the left, dark on the right; its
// lower half the other way round; all of it unlike the frame's grey.
Rgb BannerTexel(int x, int y) {
    const bool left = x < 128, top = y < 16;
    if (top) return left ? Rgb{250, 200, 20} : Rgb{20, 60, 200};
    return left ? Rgb{30, 160, 40} : Rgb{200, 40, 160};
}

TEST_F(ScreenPassTest, BannerSitsAtTheTopCentreWithItsFirstRowUp) {
    MakeTexture(root_, "GM.raw", 256, 32, [](int x, int y, unsigned char* t) {
        const Rgb c = BannerTexel(x, y);
        Put(t, c.r, c.g, c.b);
    });
    const auto polygons = FeedbackQuads([] { gmDrawBanner(); });
    ASSERT_EQ(polygons.size(), 1u);
    ASSERT_EQ(polygons[0].size(), 4u);
    // 23/24 of the way up: 752 of 768 pixels.
    const float corners[4][4] = {{384, 768, 0, 0}, {640, 768, 1, 0}, {640, 752, 1, 1}, {384, 752, 0, 1}};
    for (int i = 0; i < 4; ++i) {
        EXPECT_NEAR(polygons[0][i].x, corners[i][0], 1e-2) << i;
        EXPECT_NEAR(polygons[0][i].y, corners[i][1], 1e-2) << i;
        EXPECT_FLOAT_EQ(polygons[0][i].s, corners[i][2]) << i;
        EXPECT_FLOAT_EQ(polygons[0][i].t, corners[i][3]) << i;
    }

    glClearColor(0.5f, 0.5f, 0.5f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    // A lit, blue-tinted current colour would show if the banner were not drawn as it is.
    glColor3f(0.0f, 0.0f, 1.0f);
    gmDrawBanner();
    const std::vector<unsigned char> pixels = ReadColour(kScreenWidth, kScreenHeight);
    SavePicture("banner_1024x768", pixels.data(), kScreenWidth, kScreenHeight);
    const Rgb grey = {128, 128, 128};
    const Probe probes[] = {
        {400, 764, BannerTexel(0, 0)},    {620, 764, BannerTexel(255, 0)},
        {400, 755, BannerTexel(0, 31)},   {620, 755, BannerTexel(255, 31)},
        {383, 760, grey}, {640, 760, grey}, {512, 751, grey}, {100, 767, grey}, {512, 384, grey},
    };
    ExpectProbes(pixels, kScreenWidth, probes, "banner");
}

TEST_F(ScreenPassTest, BannerLeavesIdentityMatricesWithModelviewSelected) {
    MakeTexture(root_, "GM.raw", 256, 32, [](int, int, unsigned char* t) { Put(t, 1, 2, 3); });
    for (bool blend : {false, true}) {
        SetCallerMatrices();
        glMatrixMode(GL_PROJECTION);
        if (blend) glEnable(GL_BLEND);
        gmDrawBanner();
        const PassState after = ReadPassState();
        EXPECT_EQ(after.matrixMode, GL_MODELVIEW);
        EXPECT_TRUE(SameMatrix(after.projection, kIdentity));
        EXPECT_TRUE(SameMatrix(after.modelview, kIdentity));
        ExpectRestingState(after, "banner");
        EXPECT_EQ(after.blend == GL_TRUE, blend) << "blending is the caller's";
        EXPECT_EQ(after.boundTexture, GlName("GM.raw"));
        glDisable(GL_BLEND);
    }
}

// The preview: a window of the Display Properties' small monitor with the preview's state (its
// identity matrices and GL_REPLACE) and a 256 x 128 picture whose 152 x 112 corner is shown.
const int kPreviewWidth = 152;
const int kPreviewHeight = 112;

Rgb PreviewTexel(int x, int y) {
    if (x >= 152 || y >= 112) return {255, 0, 255};  // never shown
    const bool left = x < 76, top = y < 56;
    if (top) return left ? Rgb{230, 30, 30} : Rgb{30, 230, 30};
    return left ? Rgb{30, 30, 230} : Rgb{230, 230, 30};
}

TEST(PreviewPass, ShowsThePictureUprightBelowAnUndrawnStrip) {
    GlContext gl(kPreviewWidth, kPreviewHeight);
    ASSERT_TRUE(gl.ok()) << gl.failure();
    UseAsPreviewWindow(gl, kPreviewWidth, kPreviewHeight);
    gmInitGLState();
    Texture root;
    app.textureRoot = &root;
    MakeTexture(root, "ASmallTexture1.jpg", 256, 128, [](int x, int y, unsigned char* t) {
        const Rgb c = PreviewTexel(x, y);
        Put(t, c.r, c.g, c.b);
    });
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    glDisable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, 0);  // the pass binds the picture itself

    const auto polygons = FeedbackQuads([] { gmPreview(); });
    ASSERT_EQ(polygons.size(), 1u);
    ASSERT_EQ(polygons[0].size(), 4u);
    const float top = kPreviewHeight * (1.0f + 0.83036f) / 2.0f;
    const float corners[4][4] = {{0, 0, 0, 0.875f},
                                 {kPreviewWidth, 0, 0.59375f, 0.875f},
                                 {kPreviewWidth, top, 0.59375f, 0},
                                 {0, top, 0, 0}};
    for (int i = 0; i < 4; ++i) {
        EXPECT_NEAR(polygons[0][i].x, corners[i][0], 1e-2) << i;
        EXPECT_NEAR(polygons[0][i].y, corners[i][1], 1e-2) << i;
        EXPECT_FLOAT_EQ(polygons[0][i].s, corners[i][2]) << i;
        EXPECT_FLOAT_EQ(polygons[0][i].t, corners[i][3]) << i;
    }

    // What the shown window holds after the pass's own buffer swap.
    ShowWindow(gl.window(), SW_SHOWNOACTIVATE);
    glClearColor(0.25f, 0.25f, 0.25f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    EXPECT_TRUE(gmPreview());
    glFinish();
    const std::vector<unsigned char> pixels = ReadWindowDC(gl.dc(), kPreviewWidth, kPreviewHeight);
    SavePicture("preview_152x112", pixels.data(), kPreviewWidth, kPreviewHeight);
    const Probe probes[] = {
        {30, 80, PreviewTexel(0, 0)},  {120, 80, PreviewTexel(151, 0)},
        {30, 20, PreviewTexel(0, 111)}, {120, 20, PreviewTexel(151, 111)},
        {0, 0, PreviewTexel(0, 111)},  {151, 0, PreviewTexel(151, 111)},
        {76, 111, {64, 64, 64}}, {0, 104, {64, 64, 64}},  // the strip above stays undrawn
    };
    ExpectProbes(pixels, kPreviewWidth, probes, "preview");
    // No pixel of the picture comes from outside the 152 x 112 corner (the topmost row, where
    // the edge meets the repeating texture, aside).
    for (int y = 0; y < 102; ++y)
        for (int x = 0; x < kPreviewWidth; ++x) {
            const Rgb c = PixelAt(pixels, kPreviewWidth, x, y);
            ASSERT_FALSE(c.r > 200 && c.b > 200 && c.g < 60) << x << ", " << y;
        }
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(static_cast<GLuint>(bound), root.find("ASmallTexture1.jpg")->gl_name);
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
    app.textureRoot = nullptr;
}

}  // namespace
