// The close that ends a run: posted to the main window while there is one, and turned into the
// quit when there is none, so that the run still ends.
#include "app/close_request.h"

#include <gtest/gtest.h>

#include "app/app_state.h"
#include "support/full_screen_app.h"

namespace {

void TakeQuitAndClose() {
    while (TakeMessage(WM_CLOSE) || TakeMessage(WM_QUIT)) {
    }
}

TEST(CloseRequest, GoesToTheWindowOrBecomesTheQuit) {
    const struct {
        const char* label;
        bool windowMade;
        bool windowDestroyed;
        bool closePosted;
    } cases[] = {
        {"live window", true, false, true},
        {"no window", false, false, false},
        // A close posted to a handle that no longer names a window reaches no procedure.
        {"destroyed window", true, true, false},
    };
    for (const auto& c : cases) {
        TakeQuitAndClose();
        app = AppState{};
        if (c.windowMade) {
            ASSERT_NE(MakeFullScreenWindow(64, 64), nullptr) << c.label;
        }
        if (c.windowDestroyed) {
            app.windowRecreating = true;  // keeps the destruction from posting its own quit
            DestroyWindow(app.mainWindow);
            app.windowRecreating = false;
        }
        PostClose();
        MSG msg = {};
        const bool close = PeekMessageA(&msg, nullptr, WM_CLOSE, WM_CLOSE, PM_NOREMOVE) &&
                           msg.message == WM_CLOSE;
        EXPECT_EQ(close, c.closePosted) << c.label;
        if (close) {
            EXPECT_EQ(msg.hwnd, app.mainWindow) << c.label;
            EXPECT_TRUE(TakeMessage(WM_CLOSE));
        }
        EXPECT_EQ(TakeMessage(WM_QUIT), !c.closePosted) << c.label;
        if (IsWindow(app.mainWindow)) DestroyWindow(app.mainWindow);
    }
    TakeQuitAndClose();
}

TEST(CloseRequest, FailureLogsItsLineAndCloses) {
    TakeQuitAndClose();
    ASSERT_NE(MakeFullScreenWindow(64, 64), nullptr);
    app.errorLog.append("EnumDisplaySettings: Could not detect display settings\n");
    FailAndClose("init_pbuffer(): Could not initialize pbuffer\n");
    EXPECT_TRUE(app.failed);
    EXPECT_STREQ(app.errorLog.text(),
                 "EnumDisplaySettings: Could not detect display settings\n"
                 "init_pbuffer(): Could not initialize pbuffer\n");
    EXPECT_TRUE(TakeMessage(WM_CLOSE));
    DestroyWindow(app.mainWindow);
    TakeQuitAndClose();
}

}  // namespace
