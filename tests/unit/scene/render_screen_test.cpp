// The monitor-screen pass on the real driver: the glyph rain drawn into the 512 x 512 pbuffer
// with a glyph strip made here, the failure message over the frozen rain during the exit, a
// refused release, and the window context left as it was with "Screen.tga" bound.
#include "scene/screen_passes.h"

#include <gtest/gtest.h>
#include <windows.h>
#include <GL/gl.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "app/app_state.h"
#include "assets/texture.h"
#include "gl/context.h"
#include "gl/extensions.h"
#include "gl/pbuffer.h"
#include "gl/wgl_extensions.h"
#include "scene/glyph_rain.h"
#include "support/full_screen_app.h"
#include "support/gl_window.h"
#include "support/picture_file.h"
#include "unit/scene/pass_state.h"
#include "unit/scene/test_texels.h"

namespace {

const int kSide = 512;

std::uint32_t g_ticks = 0;
unsigned long TestTicks() { return g_ticks; }

BOOL WINAPI ReleaseRefused(HPBUFFERARB, int) { return FALSE; }

using scene::Near;
using scene::Rgb;

// The test's glyph strip: glyph g fills texels 10 g to 10 g + 9 with a black rim and an inside
// of grey level 255 - 4 g (so a cell's centre tells its glyph), notched by a black bar of
// 1 + g % 8 texels; past the 41 glyphs the strip is black.
int GlyphLevel(int glyph) { return 255 - 4 * glyph; }

void FillGlyphStrip(int x, int y, unsigned char* texel) {
    const int glyph = x / 10, inside = x % 10;
    if (glyph >= 41) {
        Put(texel, 0, 0, 0);
        return;
    }
    const bool rim = inside == 0 || inside == 9 || y == 0 || y == 15;
    const bool notch = y == 3 && inside <= 1 + glyph % 8;
    const int level = rim || notch ? 0 : GlyphLevel(glyph);
    Put(texel, level, level, level);
}

// The test's failure message: the shown 104 x 20 texels in four quadrants of distinct green,
// the rest of the 128 x 32 bitmap a dim green that must not show. Red and blue are there to be
// removed by the pass's green tint.
int MessageGreen(int x, int y) {
    if (x >= 104 || y >= 20) return 10;
    return y < 10 ? (x < 52 ? 250 : 180) : (x < 52 ? 120 : 60);
}

// The rectangle the message covers in the picture: 208 x 40 pixels around the centre.
const int kMessageLeft = 152, kMessageRight = 360, kMessageBottom = 236, kMessageTop = 276;

class RenderScreenTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(gl_.ok()) << gl_.failure();
        UseAsFullScreenWindow(gl_);
        app.screenWidth = 64;
        app.screenHeight = 64;
        gmInitGLState();
        ASSERT_TRUE(gmInitExtensions());
        driver_ = wgl;
        ASSERT_TRUE(init_pbuffer(&app.pbuffer, kSide, kSide));
        app.textureRoot = &root_;

        ASSERT_TRUE(root_.create_empty("Screen.tga", kSide, kSide, 4));
        root_.bind("Screen.tga");
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        // The strip and the message are the pbuffer context's own, as at load time.
        ASSERT_TRUE(wglMakeCurrent(app.pbuffer.dc, app.pbuffer.context));
        MakeTexture(root_, "font.bmp", 512, 16, FillGlyphStrip);
        MakeTexture(root_, "SYSFAIL.bmp", 128, 32, [](int x, int y, unsigned char* t) {
            Put(t, 255, MessageGreen(x, y), 200);
        });
        // Nearest, so that every pixel of the message shows exactly one texel.
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
        ASSERT_TRUE(wglMakeCurrent(app.windowDC, app.renderContext));
    }
    void TearDown() override {
        wgl = driver_;
        wglMakeCurrent(app.windowDC, app.renderContext);
        destroy_pbuffer();
        app.pbuffer = Pbuffer{};
        app.glyphRain = nullptr;
        app.textureRoot = nullptr;
    }

    // A rain made at tick start and drawn after ms later; the picture it leaves.
    std::vector<unsigned char> FirstRainFrame(std::uint32_t start, std::uint32_t after) {
        g_ticks = start;
        rain_ = std::make_unique<GlyphRain>(10, TestTicks);
        app.glyphRain = rain_.get();
        g_ticks += after;
        gmRenderScreen();
        return ScreenPicture();
    }

    // The picture "Screen.tga" holds in the window context, bottom row first.
    std::vector<unsigned char> ScreenPicture() {
        std::vector<unsigned char> pixels(static_cast<size_t>(kSide) * kSide * 4, 0xCD);
        root_.bind("Screen.tga");
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
        return pixels;
    }

    GlContext gl_{64, 64};
    Texture root_;
    std::unique_ptr<GlyphRain> rain_;
    WglEntryPoints driver_ = {};
};

Rgb At(const std::vector<unsigned char>& pixels, int x, int y) {
    return PixelAt(pixels, kSide, x, y);
}

// What each of the 80 x 60 cells should show at its centre: columns in list order, a later
// one over an earlier, rows truncated towards zero and nothing from row -1 down or above 59,
// then the spots in black.
std::vector<Rgb> ExpectedCells(const GlyphRain& rain) {
    std::vector<Rgb> cells(80 * 60, Rgb{0, 0, 0});
    for (const GlyphColumn* c = rain.columns->next; c != nullptr; c = c->next) {
        for (int l = 0; l < c->length; ++l) {
            const int row = static_cast<int>(c->row + static_cast<float>(l));
            if (c->row + static_cast<float>(l) <= -1.0f || row > 59) continue;
            const GlyphCell& cell = c->cells[l];
            const float level = static_cast<float>(GlyphLevel(cell.glyph));
            cells[row * 80 + static_cast<int>(c->column)] = {
                static_cast<int>(cell.red * level + 0.5f), static_cast<int>(cell.green * level + 0.5f),
                static_cast<int>(cell.blue * level + 0.5f)};
        }
    }
    for (int i = 0; i < GlyphRain::kSpotSlots; ++i)
        if (rain.spots[i].active) cells[rain.spots[i].row * 80 + rain.spots[i].column] = {0, 0, 0};
    return cells;
}

// The centre pixel of a cell: cells are 6.4 pixels wide and 512/60 tall, row 0 at the bottom.
int CentreX(int column) { return static_cast<int>(column * 6.4 + 3.2); }
int CentreY(int row) { return static_cast<int>(row * kSide / 60.0 + kSide / 120.0); }

TEST_F(RenderScreenTest, RainShowsWhereTheSimulationPutsIt) {
    const std::vector<unsigned char> picture = FirstRainFrame(0x7FFF0000, 2500);
    const GlyphRain& rain = *rain_;
    EXPECT_EQ(rain.now, 2.5f) << "updated once, before drawing";
    EXPECT_EQ(wglGetCurrentContext(), app.renderContext);
    SavePicture("rain_pbuffer", picture.data(), kSide, kSide);

    const std::vector<Rgb> expected = ExpectedCells(rain);
    int heads = 0, tails = 0, wrong = 0;
    for (int row = 0; row < 60; ++row) {
        for (int column = 0; column < 80; ++column) {
            const Rgb want = expected[row * 80 + column];
            const Rgb seen = At(picture, CentreX(column), CentreY(row));
            if (want.r > 0) ++heads;
            if (want.r == 0 && want.g > 0) ++tails;
            if (!Near(seen, want, 2) && ++wrong <= 8) {
                ADD_FAILURE() << "cell " << column << ", " << row << " shows " << seen.r << " "
                              << seen.g << " " << seen.b << " instead of " << want.r << " "
                              << want.g << " " << want.b;
            }
        }
    }
    EXPECT_EQ(wrong, 0);
    // The picture is a real rain: white heads, many green cells and black spots among them.
    EXPECT_GT(heads, 40);
    EXPECT_GT(tails, 400);
    EXPECT_GE(rain.spotCount, 100);
}

TEST_F(RenderScreenTest, FailureMessageLiesOverTheFrozenRainInEveryExitFrame) {
    const std::vector<unsigned char> rainPicture = FirstRainFrame(1000, 2500);
    const GlyphRain& rain = *rain_;

    app.exitStarted = 1;
    for (int frame = 0; frame < 3; ++frame) {
        g_ticks += 400;
        gmRenderScreen();
        EXPECT_EQ(rain.now, 2.5f) << "the rain stands still";
        EXPECT_EQ(wglGetCurrentContext(), app.renderContext);
        const std::vector<unsigned char> picture = ScreenPicture();
        if (frame == 0) SavePicture("rain_failure_message", picture.data(), kSide, kSide);
        int wrong = 0;
        for (int y = 0; y < kSide; ++y) {
            for (int x = 0; x < kSide; ++x) {
                const bool inside = x >= kMessageLeft && x < kMessageRight && y >= kMessageBottom &&
                                    y < kMessageTop;
                // Two pixels a texel; the bitmap's first row at the upper edge, tinted green.
                const Rgb want =
                    inside ? Rgb{0, static_cast<int>(0.95f * MessageGreen((x - kMessageLeft) / 2,
                                                                          (kMessageTop - 1 - y) / 2) + 0.5f), 0}
                           : At(rainPicture, x, y);
                const Rgb seen = At(picture, x, y);
                if (!Near(seen, want, inside ? 2 : 0) && ++wrong <= 5) {
                    ADD_FAILURE() << "frame " << frame << " pixel " << x << ", " << y << " shows "
                                  << seen.r << " " << seen.g << " " << seen.b;
                }
            }
        }
        EXPECT_EQ(wrong, 0) << "frame " << frame;
    }
}

TEST_F(RenderScreenTest, WindowContextKeepsItsStateAndGetsTheScreenBound) {
    FirstRainFrame(500, 40);
    glMatrixMode(GL_PROJECTION);
    glFrustum(-0.3, 0.3, -0.2, 0.2, 0.5, 100.0);
    glMatrixMode(GL_MODELVIEW);
    glTranslatef(0.0f, 1.3f, -12.0f);
    glBindTexture(GL_TEXTURE_2D, 0);
    const PassState before = ReadPassState();
    for (int exit : {0, 1}) {
        app.exitStarted = exit;
        g_ticks += 40;
        gmRenderScreen();
        ASSERT_EQ(wglGetCurrentContext(), app.renderContext);
        ASSERT_EQ(wglGetCurrentDC(), app.windowDC);
        const PassState after = ReadPassState();
        EXPECT_EQ(static_cast<GLuint>(after.boundTexture), root_.find("Screen.tga")->gl_name);
        ExpectSameStateButTexture(after, before, exit ? "exit" : "rain");
    }

    // The pbuffer context is left as the rain found it.
    ASSERT_TRUE(wglMakeCurrent(app.pbuffer.dc, app.pbuffer.context));
    const PassState pbuffer = ReadPassState();
    ASSERT_TRUE(wglMakeCurrent(app.windowDC, app.renderContext));
    EXPECT_TRUE(SameMatrix(pbuffer.projection, kIdentity));
    EXPECT_TRUE(SameMatrix(pbuffer.modelview, kIdentity));
    EXPECT_TRUE(pbuffer.texture2d);
    EXPECT_TRUE(pbuffer.vertexArray);
    EXPECT_TRUE(pbuffer.texCoordArray);
    EXPECT_TRUE(pbuffer.colourArray);
    EXPECT_FALSE(pbuffer.depthTest);
    EXPECT_FALSE(pbuffer.blend);
    EXPECT_FALSE(pbuffer.lighting);
    EXPECT_EQ(pbuffer.texEnvMode, GL_MODULATE);
}

TEST_F(RenderScreenTest, RefusedReleaseKeepsThePictureAndTheRainStill) {
    const std::vector<unsigned char> first = FirstRainFrame(1000, 1500);
    const GlyphRain& rain = *rain_;

    wgl.wglReleaseTexImageARB = ReleaseRefused;
    g_ticks += 1000;
    gmRenderScreen();
    EXPECT_EQ(rain.now, 1.5f) << "not updated";
    EXPECT_EQ(wglGetCurrentContext(), app.renderContext);
    EXPECT_TRUE(ScreenPicture() == first);

    wgl.wglReleaseTexImageARB = driver_.wglReleaseTexImageARB;
    gmRenderScreen();
    EXPECT_EQ(rain.now, 2.5f);
    EXPECT_FALSE(ScreenPicture() == first);
}

}  // namespace
