// A full-screen frame's own decisions, frame by frame on an injected clock in a real context:
// the close 1.5 s after the first input, the desktop overlay's fade, and multisampling kept
// to the 3D scene. Each runs from a low uptime, across the tick counter's wrap and at 30 days.
#include "app/frame_loop.h"

#include <gtest/gtest.h>
#include <GL/gl.h>
#include <GL/glext.h>

#include "app/app_state.h"
#include "app/frame_clock.h"
#include "app/input.h"
#include "support/fake_ticks.h"
#include "support/full_screen_app.h"
#include "support/gl_window.h"

namespace {

class FrameTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(gl_.ok()) << gl_.failure();
        UseAsFullScreenWindow(gl_);
        app.screenWidth = app.screenHeight = 64;
        glViewport(0, 0, 64, 64);
        while (TakeMessage(WM_CLOSE)) {
        }
    }
    void TearDown() override {
        while (TakeMessage(WM_CLOSE)) {
        }
    }

    // The clock starts at this tick, as the loading leaves it just before the first frame.
    void ResetClockAt(DWORD tick) {
        base_ = tick;
        ticks_.set(tick);
        gmGetTime(1);
    }
    // Draws the frame of this many milliseconds after the reset; true if it asked for the close.
    bool FrameAt(DWORD ms) {
        ticks_.set(base_ + ms);
        EXPECT_TRUE(gmRender());
        return TakeMessage(WM_CLOSE);
    }

    GlContext gl_{64, 64};
    FakeTickSource ticks_{0};
    DWORD base_ = 0;
};

struct Start {
    const char* label;
    DWORD tick;
};

TEST_F(FrameTest, ClosesInTheFirstFrameMoreThanOneAndAHalfSecondsAfterTheInput) {
    // The input follows the frame at 10 s; the close comes after the counter's wrap for the
    // second start.
    const Start starts[] = {{"low uptime", 5000}, {"across the wrap", 0xFFFFFFFFu - 11000u},
                            {"thirty days", kThirtyDays}};
    const struct {
        DWORD ms;
        bool closes;
    } frames[] = {{11000, false}, {11490, false}, {11510, true}, {11600, true}};
    for (const Start& start : starts) {
        UseAsFullScreenWindow(gl_);
        app.screenWidth = app.screenHeight = 64;
        ResetClockAt(start.tick);
        EXPECT_FALSE(FrameAt(0)) << start.label;
        EXPECT_FALSE(FrameAt(10000)) << start.label;
        EXPECT_FALSE(OnUserInput(app));
        EXPECT_FLOAT_EQ(app.exitStartTime, 10.0f) << start.label;
        for (const auto& frame : frames) {
            EXPECT_EQ(FrameAt(frame.ms), frame.closes) << start.label << " at " << frame.ms;
            EXPECT_EQ(app.exitTimeUp, frame.closes ? 1 : 0) << start.label << " at " << frame.ms;
        }
    }
}

TEST_F(FrameTest, NoInputNoClose) {
    ResetClockAt(0xFFFFFFFFu - 1000u);
    for (DWORD ms : {0u, 2000u, 60000u}) EXPECT_FALSE(FrameAt(ms)) << ms;
    EXPECT_EQ(app.exitTimeUp, 0);
}

TEST_F(FrameTest, FadeFollowsTheClockUntilItReachesZeroThenStays) {
    const Start starts[] = {{"low uptime", 5000}, {"across the wrap", 0xFFFFFFFFu - 700u},
                            {"thirty days", kThirtyDays}};
    // Each frame leaves the value that the next frame's overlay is drawn with; the first one
    // at or below zero is the last one computed.
    const struct {
        DWORD ms;
        float fade;
    } frames[] = {{0, 1.0f},    {250, 0.75f},  {900, 0.1f},
                  {1100, -0.1f}, {1500, -0.1f}, {5000, -0.1f}};
    for (const Start& start : starts) {
        app.desktopFade = 1.0f;
        ResetClockAt(start.tick);
        for (const auto& frame : frames) {
            FrameAt(frame.ms);
            EXPECT_NEAR(app.desktopFade, frame.fade, 1e-6) << start.label << " at " << frame.ms;
        }
    }
}

TEST_F(FrameTest, MultisamplingIsOffForTheScreenSpacePasses) {
    // With a multisampled window the frame switches it on for the 3D scene and off again before
    // the banner and the overlay; without one it leaves the switch alone.
    const struct {
        bool available;
        bool onBefore;
        bool onAfter;
    } cases[] = {{true, true, false}, {true, false, false}, {false, true, true},
                 {false, false, false}};
    ResetClockAt(1000);
    for (const auto& c : cases) {
        app.multisampleAvailable = c.available;
        if (c.onBefore)
            glEnable(GL_MULTISAMPLE_ARB);
        else
            glDisable(GL_MULTISAMPLE_ARB);
        FrameAt(100);
        EXPECT_EQ(glIsEnabled(GL_MULTISAMPLE_ARB) == GL_TRUE, c.onAfter)
            << c.available << c.onBefore;
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    }
}

}  // namespace
