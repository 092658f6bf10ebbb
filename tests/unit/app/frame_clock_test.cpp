// The frame clock on an injected tick counter: counted from its reset, across the wrap of the
// 32-bit counter, and in milliseconds however long the system has run.
#include "app/frame_clock.h"

#include <gtest/gtest.h>

#include "app/app_state.h"
#include "support/fake_ticks.h"

namespace {

TEST(FrameClock, CountsSecondsFromTheLastReset) {
    const struct {
        const char* label;
        DWORD reset;
        DWORD now;
        float seconds;
    } cases[] = {
        {"at once", 1000, 1000, 0.0f},
        {"low uptime", 1000, 2500, 1.5f},
        {"one tick across the wrap", 0xFFFFFFFFu, 0, 0.001f},
        {"two seconds across the wrap", 0xFFFFFFFFu - 999u, 1000, 2.0f},
        // Absolute ticks as float seconds resolve only quarter seconds here.
        {"thirty days, at once", kThirtyDays + 123, kThirtyDays + 123, 0.0f},
        {"thirty days, one frame", kThirtyDays + 123, kThirtyDays + 139, 0.016f},
    };
    for (const auto& c : cases) {
        app = AppState{};
        FakeTickSource ticks(c.reset);
        EXPECT_EQ(gmGetTime(1), 0.0f) << c.label;
        ticks.set(c.now);
        EXPECT_FLOAT_EQ(gmGetTime(0), c.seconds) << c.label;
        // Reading does not move the base; only a reset does.
        EXPECT_FLOAT_EQ(gmGetTime(0), c.seconds) << c.label;
    }
}

TEST(FrameClock, KeepsGrowingAcrossTheWrap) {
    app = AppState{};
    FakeTickSource ticks(0xFFFFFFFFu - 100u);
    gmGetTime(1);
    float previous = 0.0f;
    for (DWORD step = 1; step <= 20; ++step) {
        ticks.set(0xFFFFFFFFu - 100u + step * 16u);
        const float now = gmGetTime(0);
        EXPECT_GT(now, previous) << "frame " << step;
        EXPECT_FLOAT_EQ(now, static_cast<float>(step) * 0.016f) << "frame " << step;
        previous = now;
    }
}

}  // namespace
