// Display depths the saver cannot or must not run at, on screens of that depth.
#include <gtest/gtest.h>

#include "e2e/driver/driver.h"

using namespace e2e;

namespace {

// A 256-colour desktop is refused in every drawing mode, before any window opens.
TEST(Depth8, RefusesA256ColourDesktop) {
    HWND host = CreateHostWindow(10, 10, 152, 112);
    const std::string modes[] = {"/s", "/p " + std::to_string(reinterpret_cast<uintptr_t>(host))};
    for (const std::string& args : modes) {
        SaverProcess saver;
        ASSERT_TRUE(saver.start(args));
        MessageBoxText box;
        ASSERT_TRUE(WaitForMessageBox(saver.pid(), kPatienceMs, &box)) << args;
        EXPECT_EQ(box.title, "A Veloth 3D Screen Saver");
        EXPECT_EQ(box.text,
                  "This program can't operate with 256 colors desktops.\n"
                  "Recommended desktop's color depth is 32 bits per pixel.");
        EXPECT_TRUE(box.topMost) << args;
        EXPECT_TRUE(box.foreground) << args;
        EXPECT_EQ(WaitForWindow(saver.pid(), "MyClass", 0), nullptr) << args;
        PressOk(box.box);
        DWORD code = 1;
        ASSERT_TRUE(saver.waitForExit(kPatienceMs, &code)) << args;
        EXPECT_EQ(code, 0u);
    }
    DestroyWindow(host);
}

}  // namespace
