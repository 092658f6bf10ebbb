// The platform side of a full-screen run, seen from outside: the window replaced once by its
// multisampled successor, the display mode as found afterwards, and a display that cannot be
// put at 32 bits per pixel.
#include <gtest/gtest.h>

#include "e2e/driver/driver.h"

using namespace e2e;

namespace {

DEVMODEA CurrentMode() {
    DEVMODEA mode = {};
    mode.dmSize = sizeof(mode);
    EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &mode);
    return mode;
}

// Wine offers a multisampled format, so the first full-screen window gives way to a second one
// made with it, and the run goes on and ends as usual.
TEST(FullScreenPlatform, ReplacesItsWindowOnceAndLeavesTheDisplayAsFound) {
    const DEVMODEA before = CurrentMode();
    SaverProcess saver;
    ASSERT_TRUE(saver.start("/s"));
    HWND first = WaitForWindow(saver.pid(), "MyClass", kPatienceMs);
    ASSERT_NE(first, nullptr);
    ASSERT_TRUE(WaitForWindowGone(first, kPatienceMs)) << "the first window was kept";
    HWND second = WaitForWindow(saver.pid(), "MyClass", kPatienceMs);
    ASSERT_NE(second, nullptr);
    EXPECT_NE(second, first);

    SleepMs(1500);
    EXPECT_TRUE(saver.running());
    EXPECT_TRUE(IsWindow(second));
    EXPECT_EQ(WaitForWindow(saver.pid(), "#32770", 0), nullptr) << "a start-up step failed";

    PressKey('Q');
    DWORD code = 1;
    ASSERT_TRUE(saver.waitForExit(kPatienceMs, &code));
    EXPECT_EQ(code, 0u);
    const DEVMODEA after = CurrentMode();
    EXPECT_EQ(after.dmBitsPerPel, before.dmBitsPerPel);
    EXPECT_EQ(after.dmPelsWidth, before.dmPelsWidth);
    EXPECT_EQ(after.dmPelsHeight, before.dmPelsHeight);
}

// Full screen needs 32 bits per pixel; a 16-bit display that refuses the switch ends the
// start after the capture, before any window, and stays at 16 bits.
TEST(Depth16, FullScreenEndsWhenTheDisplayCannotGoTo32Bits) {
    ASSERT_EQ(CurrentMode().dmBitsPerPel, 16u);
    SaverProcess saver;
    ASSERT_TRUE(saver.start("/s"));
    MessageBoxText box;
    ASSERT_TRUE(WaitForMessageBox(saver.pid(), kPatienceMs, &box));
    EXPECT_EQ(box.title, "A Veloth 3D Screen Saver");
    EXPECT_EQ(box.text, "Cannot set display mode to 32bit");
    EXPECT_TRUE(box.errorIcon);
    EXPECT_TRUE(box.topMost);
    EXPECT_TRUE(box.foreground);
    EXPECT_EQ(WaitForWindow(saver.pid(), "MyClass", 0), nullptr);
    PressOk(box.box);
    DWORD code = 1;
    ASSERT_TRUE(saver.waitForExit(kPatienceMs, &code));
    EXPECT_EQ(code, 0u);
    EXPECT_EQ(WaitForWindow(saver.pid(), "#32770", 0), nullptr) << "a second box followed";
    EXPECT_EQ(CurrentMode().dmBitsPerPel, 16u);
}

}  // namespace
