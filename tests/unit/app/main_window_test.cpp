// The window procedure on real windows: the full-screen rules and the preview's loading wait.
#include "app/main_window.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>

#include "app/app_state.h"
#include "support/full_screen_app.h"
#include "support/preview_host.h"

namespace {

class SaverWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(MakeFullScreenWindow(200, 100), nullptr);
        while (TakeMessage(WM_CLOSE) || TakeMessage(WM_QUIT)) {
        }
    }
    void TearDown() override {
        if (IsWindow(app.mainWindow)) DestroyWindow(app.mainWindow);
        while (TakeMessage(WM_CLOSE) || TakeMessage(WM_QUIT)) {
        }
    }
};

TEST_F(SaverWindowTest, IsATopMostPopupOfTheScreenSize) {
    EXPECT_EQ(GetWindowLongA(app.mainWindow, GWL_STYLE) & (WS_POPUP | WS_VISIBLE), WS_POPUP);
    EXPECT_TRUE(GetWindowLongA(app.mainWindow, GWL_EXSTYLE) & WS_EX_TOPMOST);
    RECT rect = {};
    GetWindowRect(app.mainWindow, &rect);
    EXPECT_EQ(rect.right - rect.left, 200);
    EXPECT_EQ(rect.bottom - rect.top, 100);
}

TEST_F(SaverWindowTest, SystemCommandsThatWouldEndOrSwitchAreSwallowed) {
    for (WPARAM command : {SC_CLOSE, SC_SCREENSAVE, SC_NEXTWINDOW, SC_PREVWINDOW}) {
        EXPECT_EQ(SendMessageA(app.mainWindow, WM_SYSCOMMAND, command, 0), 0);
        EXPECT_TRUE(IsWindow(app.mainWindow)) << std::hex << command;
        EXPECT_FALSE(TakeMessage(WM_CLOSE)) << std::hex << command;
    }
    // Anything else goes to the default handling, which closes the window for SC_CLOSE only:
    // a SC_CLOSE with extra low bits is not the whole value and is not swallowed.
    SendMessageA(app.mainWindow, WM_SYSCOMMAND, SC_CLOSE | 1, 0);
    EXPECT_FALSE(IsWindow(app.mainWindow));
}

TEST_F(SaverWindowTest, SpaceStartsTheExitAndIsRemembered) {
    app.frameTime = 3.0f;
    SendMessageA(app.mainWindow, WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_EQ(app.spacePressed, 1);
    EXPECT_EQ(app.exitStarted, 1);
    EXPECT_FLOAT_EQ(app.exitStartTime, 3.0f);
    // Once the time is up, each input asks for the close again.
    app.exitTimeUp = 1;
    SendMessageA(app.mainWindow, WM_LBUTTONDOWN, MK_LBUTTON, 0);
    SendMessageA(app.mainWindow, WM_SYSKEYDOWN, VK_F4, 0);
    EXPECT_TRUE(TakeMessage(WM_CLOSE));
    EXPECT_TRUE(TakeMessage(WM_CLOSE));
}

TEST_F(SaverWindowTest, OtherKeysAndButtonsStartTheExitWithoutSpace) {
    for (UINT message : {WM_KEYDOWN, WM_SYSKEYDOWN, WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MBUTTONDOWN}) {
        app.exitStarted = 0;
        SendMessageA(app.mainWindow, message, 'Q', 0);
        EXPECT_EQ(app.exitStarted, 1) << std::hex << message;
    }
    EXPECT_EQ(app.spacePressed, 0);
    EXPECT_FALSE(TakeMessage(WM_CLOSE));
}

TEST_F(SaverWindowTest, DeactivationAndSuspendCloseAtOnce) {
    SendMessageA(app.mainWindow, WM_ACTIVATEAPP, TRUE, 0);
    EXPECT_FALSE(TakeMessage(WM_CLOSE));
    SendMessageA(app.mainWindow, WM_ACTIVATEAPP, FALSE, 0);
    EXPECT_TRUE(TakeMessage(WM_CLOSE));
    SendMessageA(app.mainWindow, WM_POWERBROADCAST, PBT_APMRESUMESUSPEND, 0);
    EXPECT_FALSE(TakeMessage(WM_CLOSE));
    SendMessageA(app.mainWindow, WM_POWERBROADCAST, PBT_APMSUSPEND, 0);
    EXPECT_TRUE(TakeMessage(WM_CLOSE));
    EXPECT_EQ(app.exitStarted, 0);
}

TEST_F(SaverWindowTest, DestroyEndsTheProgramUnlessTheWindowIsBeingReplaced) {
    app.windowRecreating = true;
    DestroyWindow(app.mainWindow);
    EXPECT_FALSE(TakeMessage(WM_QUIT));
    app.windowRecreating = false;
    app.mainWindow = CreateMainWindow();
    ASSERT_NE(app.mainWindow, nullptr);
    DestroyWindow(app.mainWindow);
    EXPECT_TRUE(TakeMessage(WM_QUIT));
}

class PreviewTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(host_.window(), nullptr);
        app = AppState{};
        app.runMode = RunMode::Preview;
        app.instance = GetModuleHandleA(nullptr);
        app.parentWindow = host_.window();
    }
    void TearDown() override {
        // The child goes first, from its own thread: the host's thread cannot destroy it
        // while this thread waits for that thread to end.
        if (IsWindow(app.mainWindow)) DestroyWindow(app.mainWindow);
        while (TakeMessage(WM_QUIT)) {
        }
    }
    PreviewHost host_;
};

TEST_F(PreviewTest, ChildCoversTheParentFromAMenuBarAbove) {
    app.mainWindow = CreateMainWindow();
    ASSERT_NE(app.mainWindow, nullptr);
    EXPECT_EQ(GetParent(app.mainWindow), host_.window());
    EXPECT_EQ(app.screenWidth, 152);
    EXPECT_EQ(app.screenHeight, 112 + GetSystemMetrics(SM_CYMENU));
}

TEST_F(PreviewTest, LoadingTextIsCentredWhiteOnBlackForHalfASecond) {
    app.mainWindow = CreateMainWindow();
    ASSERT_NE(app.mainWindow, nullptr);
    ShowWindow(app.mainWindow, SW_SHOW);
    app.windowDC = GetDC(app.mainWindow);
    const auto start = std::chrono::steady_clock::now();
    RunPreviewWait();
    const auto waited = std::chrono::steady_clock::now() - start;
    EXPECT_FALSE(app.previewWaiting);
    EXPECT_FALSE(app.quitDuringWait);
    EXPECT_GE(std::chrono::duration_cast<std::chrono::milliseconds>(waited).count(), 450);

    // Nothing else has drawn since: the window still shows the loading text.
    RECT client = {};
    GetClientRect(app.mainWindow, &client);
    int black = 0, white = 0, left = client.right, right = -1, top = client.bottom, bottom = -1;
    for (int y = 0; y < client.bottom; ++y) {
        for (int x = 0; x < client.right; ++x) {
            const COLORREF c = GetPixel(app.windowDC, x, y);
            if (c == RGB(0, 0, 0)) ++black;
            if (c == RGB(255, 255, 255)) {
                ++white;
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
    }
    const int area = client.right * client.bottom;
    EXPECT_GT(black, area * 8 / 10);
    ASSERT_GT(white, 10) << "no text drawn";
    EXPECT_NEAR((left + right) / 2.0, client.right / 2.0, 4.0);
    EXPECT_NEAR((top + bottom) / 2.0, client.bottom / 2.0, 4.0);
    ReleaseDC(app.mainWindow, app.windowDC);
}

TEST_F(PreviewTest, ParentGoneDuringTheWaitStopsTheStart) {
    app.mainWindow = CreateMainWindow();
    ASSERT_NE(app.mainWindow, nullptr);
    app.windowDC = GetDC(app.mainWindow);
    host_.close();  // takes the child with it
    RunPreviewWait();
    EXPECT_TRUE(app.quitDuringWait);
    EXPECT_TRUE(TakeMessage(WM_QUIT));
}

}  // namespace
