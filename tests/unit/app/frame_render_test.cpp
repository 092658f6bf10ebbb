// Full-screen frames composed from the loaded assets, read back as each is handed to
// SwapBuffers: the first frame is the desktop unchanged; once it has dissolved the banner, the
// lit monitor with the rain and its silhouette show over it; the overlay lies over the banner
// while it fades; the first input puts the failure message on the monitor in that very frame;
// and the passes run in their order.
#include "app/frame_loop.h"

#include <gtest/gtest.h>
#include <windows.h>
#include <GL/gl.h>
#include <GL/glext.h>

#include <string>
#include <vector>

#include "app/app_state.h"
#include "assets/asset_loading.h"
#include "assets/texture.h"
#include "gl/pbuffer.h"
#include "app/frame_clock.h"
#include "scene/glyph_rain.h"
#include "support/fake_ticks.h"
#include "support/full_screen_run.h"
#include "support/gl_recorder.h"
#include "support/picture_file.h"
#include "support/scene_expect.h"
#include "support/scene_picture.h"

namespace {

// The run starts just before the tick counter wraps, so the frames cross it.
const DWORD kLoadTick = 0xFFFFFFFFu - 600u;

class FrameRender : public FullScreenRun {
protected:
    void SetUp() override {
        FullScreenRun::SetUp();
        if (HasFatalFailure()) return;
        ASSERT_EQ(gmLoadStuff(), 1);
        ASSERT_TRUE(frames_.ok());
    }

    // Frames 50 ms apart from the loading to the given time, as a smooth run draws them.
    void RenderUpTo(float seconds) {
        for (DWORD ms = 0; ms <= static_cast<DWORD>(seconds * 1000.0f + 0.5f); ms += 50) {
            ticks_.set(kLoadTick + ms);
            gmRender();
        }
    }

    GLuint Name(const char* texture) { return app.textureRoot->find(texture)->gl_name; }

    // The frame clock and the rain read it; the loading restarts both at kLoadTick.
    FakeTickSource ticks_{kLoadTick};
    FrameCapture frames_;
};

TEST_F(FrameRender, FirstFrameIsTheDesktopUnchanged) {
    gmRender();
    ASSERT_EQ(frames_.frames(), 1);
    const scene::Picture& frame = frames_.last();
    ASSERT_EQ(frame.width, kWidth);
    ASSERT_EQ(frame.height, kHeight);
    int wrong = 0;
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            if (!scene::Near(frame.at(x, y), scene::KnownDesktop(x, y, kWidth, kHeight), 0) &&
                ++wrong <= 5)
                ADD_FAILURE() << "pixel " << x << ", " << y << " is not the desktop's";
        }
    }
    EXPECT_EQ(wrong, 0);
    EXPECT_FLOAT_EQ(app.desktopFade, 1.0f - app.frameTime);
}

TEST_F(FrameRender, SceneShowsOnceTheDesktopHasDissolved) {
    RenderUpTo(1.2f);
    EXPECT_LE(app.desktopFade, 0.0f);
    const scene::Picture& frame = frames_.last();
    SavePicture("scene_1280x1024", frame.rgb.data(), frame.width, frame.height, 3, true);
    const scene::SceneParts parts = scene::FindSceneParts(frame);

    scene::ExpectCompleteScene(parts, kWidth, kHeight);
}

TEST_F(FrameRender, OverlayLiesOverTheBannerWhileItFades) {
    RenderUpTo(0.5f);
    EXPECT_NEAR(app.desktopFade, 0.5f, 0.1f);
    // The last frame drew the overlay at about a half: the banner's black shows half the
    // desktop, and the desktop around the scene is the same whatever lies over it.
    const scene::Picture& frame = frames_.last();
    const scene::Rect banner = scene::BannerRect(frame);
    int dark = 0;
    for (int y = banner.top; y < banner.bottom; ++y)
        for (int x = banner.left; x < banner.right; ++x)
            dark += frame.at(x, y).b < scene::KnownDesktop(x, y, kWidth, kHeight).b / 4 ? 1 : 0;
    EXPECT_EQ(dark, 0);
    for (int x = 0; x < kWidth; x += 97) EXPECT_TRUE(scene::IsDesktop(frame, x, kHeight - 1)) << x;
}

TEST_F(FrameRender, FirstInputPutsTheMessageOnTheMonitorInTheSameFrame) {
    RenderUpTo(1.2f);
    ASSERT_EQ(scene::FindSceneParts(frames_.last()).messageCells, 0);
    const float rainTime = app.glyphRain->now;
    app.exitStarted = 1;
    app.exitStartTime = app.frameTime;
    gmRender();
    const scene::Picture& frame = frames_.last();
    SavePicture("scene_exit_1280x1024", frame.rgb.data(), frame.width, frame.height, 3, true);
    const scene::SceneParts parts = scene::FindSceneParts(frame);
    EXPECT_GE(parts.messageCells, 4);
    EXPECT_GT(parts.green, 300) << "the rain around the message";
    EXPECT_EQ(app.glyphRain->now, rainTime) << "the rain stands still";
}

// The order of the passes as the calls show it: the backdrop first, the screen's picture, then
// multisampled the silhouette and the model, the banner, and the overlay last.
TEST_F(FrameRender, PassesRunInTheirOrder) {
    app.multisampleAvailable = true;
    GlRecorder recorder;
    ASSERT_TRUE(recorder.ok());
    gmRender();
    const std::vector<std::string>& calls = recorder.calls();
    auto bind = [this](const char* name) {
        return CallText("glBindTexture", {GL_TEXTURE_2D, Name(name)});
    };
    auto cap = [](const char* call, GLenum name) { return CallText(call, {name}); };
    // font.bmp is bound by its pbuffer context's own name.
    const std::vector<std::string> expected = {
        bind("desktop.bmp"),                      // the backdrop
        bind("Screen.tga"),                       // the monitor screen's picture
        bind("font.bmp"),                         //   drawn in the pbuffer
        cap("glEnable", GL_MULTISAMPLE_ARB),
        cap("glEnable", GL_STENCIL_TEST),         // the silhouette
        "glDrawElements(",
        cap("glEnable", GL_BLEND),                //   its darkening
        "glDrawElements(",                        // the model
        cap("glDisable", GL_MULTISAMPLE_ARB),
        bind("GM.raw"),                           // the banner
        cap("glEnable", GL_BLEND),
        bind("desktop.bmp"),                      // the overlay
        cap("glDisable", GL_BLEND),
    };
    size_t next = 0, afterMultisample = calls.size();
    for (size_t i = 0; i < calls.size() && next < expected.size(); ++i) {
        if (calls[i].compare(0, expected[next].size(), expected[next]) == 0) {
            if (expected[next] == cap("glDisable", GL_MULTISAMPLE_ARB)) afterMultisample = i;
            ++next;
        }
    }
    EXPECT_EQ(next, expected.size()) << "missing or out of order: "
                                     << (next < expected.size() ? expected[next] : "");
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(calls.front(), cap("glDisable", GL_DEPTH_TEST)) << "the backdrop's pass first";
    EXPECT_EQ(calls.back(), cap("glDisable", GL_BLEND));
    for (size_t i = afterMultisample; i < calls.size(); ++i)
        EXPECT_NE(calls[i].compare(0, 15, "glDrawElements("), 0) << "model drawn after the banner";
}

}  // namespace
