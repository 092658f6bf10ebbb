// The download page after a full-screen run: opened once the saver's window is gone when the
// run ended with Space, and not at all when it ended with any other key.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/maker_addresses.h"
#include "e2e/driver/browser_recorder.h"
#include "e2e/driver/driver.h"

using namespace e2e;

namespace {

struct KeyCase {
    const char* name;
    WORD key;
    bool opensDownloadPage;
};

TEST(DownloadPage, OpensAfterARunEndedWithSpaceOnly) {
    const KeyCase cases[] = {{"space", VK_SPACE, true}, {"Q", 'Q', false}};
    for (const KeyCase& c : cases) {
        RecordedBrowser().clear();
        SaverProcess saver;
        ASSERT_TRUE(saver.start("/s")) << c.name;
        // The first window gives way to a multisampled one during the start.
        ASSERT_NE(WaitForWindow(saver.pid(), "MyClass", kPatienceMs), nullptr) << c.name;
        SleepMs(1500);
        HWND window = WaitForWindow(saver.pid(), "MyClass", 5000);
        ASSERT_NE(window, nullptr) << c.name;

        PressKey(c.key);
        bool windowGoneFirst = true;
        DWORD code = 1;
        const double end = NowMs() + kPatienceMs;
        while (!saver.waitForExit(20, &code) && NowMs() < end) {
            if (!RecordedBrowser().launches().empty() && IsWindow(window)) windowGoneFirst = false;
        }
        ASSERT_FALSE(saver.running()) << c.name;
        EXPECT_EQ(code, 0u) << c.name;
        EXPECT_TRUE(windowGoneFirst) << c.name << ": the browser started under the saver's window";
        const std::vector<std::string> launches = RecordedBrowser().launches();
        if (c.opensDownloadPage) {
            ASSERT_EQ(launches.size(), 1u) << c.name;
            EXPECT_EQ(launches[0], RecordedBrowser().command() + " " VELOTH_DOWNLOAD_PAGE);
        } else {
            EXPECT_TRUE(launches.empty()) << c.name << ": " << launches[0];
        }
    }
}

}  // namespace
