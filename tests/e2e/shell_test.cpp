// The screen saver as the system starts it: run modes, the full-screen window and its exit,
// the preview's loading wait, and the failures a user sees.
#include <gtest/gtest.h>

#include <string>

#include "e2e/driver/driver.h"

using namespace e2e;

namespace {

const char kTitle[] = "A Veloth 3D Screen Saver";


// Wine shows no pixels of a child window whose parent belongs to another process, so the
// loading text is checked by the unit tests of the window; here the preview's life is checked.
HWND StartPreview(SaverProcess& saver, HWND host) {
    if (!saver.start("/p " + std::to_string(reinterpret_cast<uintptr_t>(host)))) return nullptr;
    return WaitForWindow(saver.pid(), "MyClass", kPatienceMs, host);
}

TEST(RunModes, PasswordChangeEndsAtOnceWithoutAWindow) {
    for (const char* args : {"/a", "/a 1234", "-A:99"}) {
        SaverProcess saver;
        ASSERT_TRUE(saver.start(args)) << SaverPath();
        DWORD code = 1;
        ASSERT_TRUE(saver.waitForExit(kPatienceMs, &code)) << args;
        EXPECT_EQ(code, 0u) << args;
        EXPECT_EQ(WaitForWindow(saver.pid(), "MyClass", 0), nullptr) << args;
        EXPECT_EQ(WaitForWindow(saver.pid(), "#32770", 0), nullptr) << args;
    }
}

TEST(RunModes, ChildWindowWithoutParentIsReported) {
    // /t never has a parent, and /p without a handle has none either.
    for (const char* args : {"/t", "/p", "-t 1234"}) {
        SaverProcess saver;
        ASSERT_TRUE(saver.start(args));
        MessageBoxText box;
        ASSERT_TRUE(WaitForMessageBox(saver.pid(), kPatienceMs, &box)) << args;
        EXPECT_EQ(box.title, kTitle) << args;
        EXPECT_EQ(box.text, "CreateMainWindow: Could not create main window") << args;
        EXPECT_TRUE(box.errorIcon) << args;
        EXPECT_TRUE(box.topMost) << args;
        EXPECT_TRUE(box.foreground) << args;
        PressOk(box.box);
        DWORD code = 1;
        ASSERT_TRUE(saver.waitForExit(kPatienceMs, &code)) << args;
        EXPECT_EQ(code, 0u) << args;
    }
}

TEST(FullScreen, CoversTheScreenTopMostAndBorderless) {
    SaverProcess saver;
    HWND window = StartFullScreen(saver, kPatienceMs);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(WindowText(window), kTitle);
    RECT rect = {};
    GetWindowRect(window, &rect);
    EXPECT_EQ(rect.left, 0);
    EXPECT_EQ(rect.top, 0);
    EXPECT_EQ(rect.right, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(rect.bottom, GetSystemMetrics(SM_CYSCREEN));
    const LONG style = GetWindowLongA(window, GWL_STYLE);
    const LONG exStyle = GetWindowLongA(window, GWL_EXSTYLE);
    EXPECT_TRUE(style & WS_POPUP);
    EXPECT_FALSE(style & (WS_CAPTION | WS_THICKFRAME));
    EXPECT_TRUE(exStyle & WS_EX_TOPMOST);
    EXPECT_TRUE(saver.running());
}

// The first mouse message only records where the pointer rests; the saver keeps running
// until the pointer moves elsewhere, and then ends about 1.5 s later.
TEST(FullScreen, FirstMouseMessageDoesNotEndIt) {
    MoveMouse(200, 200);
    SaverProcess saver;
    ASSERT_NE(StartFullScreen(saver, kPatienceMs), nullptr);
    MoveMouse(200, 200);
    SleepMs(300);
    MoveMouse(200, 200);
    SleepMs(2500);
    ASSERT_TRUE(saver.running()) << "a mouse message at the resting position ended the saver";

    MoveMouse(600, 500);
    const double start = NowMs();
    SleepMs(700);
    EXPECT_TRUE(saver.running()) << "the exit sequence lasts 1.5 s";
    DWORD code = 1;
    ASSERT_TRUE(saver.waitForExit(kPatienceMs, &code));
    EXPECT_EQ(code, 0u);
    EXPECT_GT(NowMs() - start, 1200.0);
}

struct InputCase {
    const char* name;
    void (*send)();
};

const InputCase kInputs[] = {
    {"click", [] { ClickMouse(); }},
    {"key", [] { PressKey('Q'); }},
    {"space", [] { PressKey(VK_SPACE); }},
    {"right click", [] {
         INPUT inputs[2] = {};
         inputs[0].type = inputs[1].type = INPUT_MOUSE;
         inputs[0].mi.dwFlags = MOUSEEVENTF_RIGHTDOWN;
         inputs[1].mi.dwFlags = MOUSEEVENTF_RIGHTUP;
         SendInput(2, inputs, sizeof(INPUT));
     }},
    // Alt+F4 asks the system to close the window; that command is swallowed, but the key
    // press itself is input and starts the ordinary exit.
    {"alt+f4", [] { PressKeyWithAlt(VK_F4); }},
};

TEST(FullScreen, InputStartsTheExitSequence) {
    for (const InputCase& input : kInputs) {
        SaverProcess saver;
        ASSERT_NE(StartFullScreen(saver, kPatienceMs), nullptr) << input.name;
        input.send();
        const double start = NowMs();
        SleepMs(700);
        EXPECT_TRUE(saver.running()) << input.name << ": ended before the exit sequence ran";
        // Input during the sequence neither restarts nor shortens it.
        PressKey('W');
        DWORD code = 1;
        ASSERT_TRUE(saver.waitForExit(kPatienceMs, &code)) << input.name;
        EXPECT_EQ(code, 0u) << input.name;
        EXPECT_GT(NowMs() - start, 1200.0) << input.name;
        EXPECT_EQ(WaitForWindow(saver.pid(), "#32770", 0), nullptr) << input.name;
    }
}

TEST(FullScreen, LosingActivationClosesAtOnce) {
    // Another application's window, made before the saver so that the saver starts in front.
    HWND other = CreateHostWindow(100, 100, 200, 150);
    ASSERT_NE(other, nullptr);
    SaverProcess saver;
    HWND window = StartFullScreen(saver, kPatienceMs);
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(saver.running());
    SetForegroundWindow(other);
    // No input reaches the saver, so nothing but the deactivation itself can close it.
    bool gone = false;
    const double end = NowMs() + kPatienceMs;
    while (!gone && NowMs() < end) {
        PumpMessages(20);  // the other window's thread must answer the saver's messages
        gone = !IsWindow(window);
    }
    DWORD code = 1;
    const bool ended = EndsWithin(saver, kPatienceMs, &code);
    DestroyWindow(other);
    ASSERT_TRUE(gone) << "losing activation did not close the saver";
    ASSERT_TRUE(ended);
    EXPECT_EQ(code, 0u);
}

TEST(Preview, RunsAsAChildUntilTheParentGoes) {
    HWND host = CreateHostWindow(300, 200, 152, 112);
    ASSERT_NE(host, nullptr);
    SaverProcess saver;
    HWND child = StartPreview(saver, host);
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(WindowText(child), "A Veloth");
    EXPECT_EQ(GetParent(child), host);
    EXPECT_TRUE(GetWindowLongA(child, GWL_STYLE) & WS_CHILD);
    // The child covers the parent's client area and starts a menu bar's height above it.
    RECT rect = {};
    GetWindowRect(child, &rect);
    EXPECT_EQ(rect.left, 300);
    EXPECT_EQ(rect.right, 300 + 152);
    EXPECT_EQ(rect.bottom, 200 + 112);
    EXPECT_EQ(rect.top, 200 - GetSystemMetrics(SM_CYMENU));

    PumpMessages(2000);
    EXPECT_TRUE(saver.running()) << "the preview ended while its parent was there";
    DestroyWindow(host);
    DWORD code = 1;
    ASSERT_TRUE(EndsWithin(saver, kPatienceMs, &code)) << "the preview did not end with its parent";
    EXPECT_EQ(code, 0u);
}

TEST(Preview, ParentGoingDuringTheLoadingWaitEndsIt) {
    HWND host = CreateHostWindow(300, 200, 152, 112);
    ASSERT_NE(host, nullptr);
    SaverProcess saver;
    ASSERT_NE(StartPreview(saver, host), nullptr);
    DestroyWindow(host);
    DWORD code = 1;
    ASSERT_TRUE(EndsWithin(saver, kPatienceMs, &code));
    EXPECT_EQ(code, 0u);
    EXPECT_EQ(WaitForWindow(saver.pid(), "#32770", 0), nullptr) << "no error is reported";
}

}  // namespace
