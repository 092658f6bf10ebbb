// The mouse rule and the two-stage exit, driven through sequences of events.
#include "app/input.h"

#include <gtest/gtest.h>

#include "app/app_state.h"

namespace {

LPARAM At(int x, int y) { return MAKELPARAM(x, y); }

TEST(MouseRule, FirstMessageOnlyRecordsThePosition) {
    AppState s;
    EXPECT_FALSE(IsMouseInput(s, At(100, 200)));
    EXPECT_EQ(s.lastMouseX, 100);
    EXPECT_EQ(s.lastMouseY, 200);
    EXPECT_FALSE(IsMouseInput(s, At(100, 200)));  // the same place again
    EXPECT_TRUE(IsMouseInput(s, At(101, 200)));
    EXPECT_TRUE(IsMouseInput(s, At(100, 199)));
    // The recorded position never follows the pointer.
    EXPECT_FALSE(IsMouseInput(s, At(100, 200)));
    EXPECT_EQ(s.lastMouseX, 100);
}

TEST(MouseRule, CoordinatesAreUnsignedWords) {
    AppState s;
    // A position left of the screen arrives as 0xFFFF in the low word.
    EXPECT_FALSE(IsMouseInput(s, static_cast<LPARAM>(0x0005FFFF)));
    EXPECT_EQ(s.lastMouseX, 0xFFFF);
    EXPECT_EQ(s.lastMouseY, 5);
    EXPECT_FALSE(IsMouseInput(s, static_cast<LPARAM>(0x0005FFFF)));
}

TEST(TwoStageExit, FirstInputStartsTheSequenceAtTheLastFrameTime) {
    AppState s;
    s.frameTime = 10.0f;
    EXPECT_FALSE(OnUserInput(s));
    EXPECT_EQ(s.exitStarted, 1);
    EXPECT_FLOAT_EQ(s.exitStartTime, 10.0f);

    // Input during the sequence neither restarts nor shortens it.
    s.frameTime = 11.0f;
    EXPECT_FALSE(OnUserInput(s));
    EXPECT_FLOAT_EQ(s.exitStartTime, 10.0f);
}

TEST(TwoStageExit, CloseComesWithTheFirstFramePastOneAndAHalfSeconds) {
    struct Frame {
        float time;
        bool closes;
    };
    const Frame frames[] = {{10.0f, false}, {11.0f, false}, {11.5f, false}, {11.51f, true},
                            {11.6f, true}};
    AppState s;
    s.frameTime = 10.0f;
    OnUserInput(s);
    for (const Frame& f : frames) {
        s.frameTime = f.time;
        EXPECT_EQ(ExitTimeIsUp(s), f.closes) << f.time;
        EXPECT_EQ(s.exitTimeUp, f.closes ? 1 : 0) << f.time;
    }
    // Once the time is up every input asks for the close.
    EXPECT_TRUE(OnUserInput(s));
    EXPECT_TRUE(OnUserInput(s));
}

TEST(TwoStageExit, NoCloseWithoutInput) {
    AppState s;
    s.frameTime = 1000.0f;
    EXPECT_FALSE(ExitTimeIsUp(s));
    EXPECT_EQ(s.exitTimeUp, 0);
}

}  // namespace
