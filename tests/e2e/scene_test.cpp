// What a user sees of a full-screen run, from screenshots over a known desktop picture: the
// desktop unchanged until it dissolves, never a flash of anything else; the scene once it has
// dissolved (the banner at the top centre, the lit monitor in the middle with green glyph
// columns and white heads, its silhouette darkening the desktop to 60 %); after an input the
// failure message on the monitor in every frame until the saver closes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "e2e/driver/driver.h"
#include "support/picture_file.h"
#include "support/scene_expect.h"
#include "support/scene_picture.h"

using namespace e2e;

namespace {

scene::Picture ToPicture(const Screenshot& shot) {
    scene::Picture picture;
    picture.width = shot.width;
    picture.height = shot.height;
    picture.rgb.resize(static_cast<size_t>(shot.width) * shot.height * 3);
    for (size_t i = 0, o = 0; i < shot.bgrx.size(); i += 4, o += 3) {
        picture.rgb[o] = shot.bgrx[i + 2];
        picture.rgb[o + 1] = shot.bgrx[i + 1];
        picture.rgb[o + 2] = shot.bgrx[i];
    }
    return picture;
}

// The user's desktop: a window of this process over the whole screen, under the saver's
// top-most one, showing the known picture. The saver captures it at its start.
class KnownDesktopWindow {
public:
    KnownDesktopWindow() {
        width_ = GetSystemMetrics(SM_CXSCREEN);
        height_ = GetSystemMetrics(SM_CYSCREEN);
        bgrx_.resize(static_cast<size_t>(width_) * height_ * 4);
        for (int y = 0; y < height_; ++y) {
            for (int x = 0; x < width_; ++x) {
                const scene::Rgb c = scene::KnownDesktop(x, y, width_, height_);
                unsigned char* p = &bgrx_[(static_cast<size_t>(y) * width_ + x) * 4];
                p[0] = static_cast<unsigned char>(c.b);
                p[1] = static_cast<unsigned char>(c.g);
                p[2] = static_cast<unsigned char>(c.r);
            }
        }
        WNDCLASSA wc = {};
        wc.lpfnWndProc = Paint;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "VelothKnownDesktop";
        RegisterClassA(&wc);
        current_ = this;
        window_ = CreateWindowExA(0, wc.lpszClassName, "desktop", WS_POPUP | WS_VISIBLE, 0, 0,
                                  width_, height_, nullptr, nullptr, wc.hInstance, nullptr);
    }
    ~KnownDesktopWindow() {
        if (window_ != nullptr) DestroyWindow(window_);
        current_ = nullptr;
    }
    // True once the screen shows the picture.
    bool shown(DWORD timeoutMs) {
        const double end = NowMs() + timeoutMs;
        while (NowMs() < end) {
            PumpMessages(50);
            if (ToPictureShare(CaptureScreen()) > 0.999) return true;
        }
        return false;
    }

private:
    static double ToPictureShare(const Screenshot& shot) {
        const scene::Picture picture = ToPicture(shot);
        long same = 0;
        for (int y = 0; y < picture.height; y += 4)
            for (int x = 0; x < picture.width; x += 4) same += scene::IsDesktop(picture, x, y);
        return static_cast<double>(same) / ((picture.height + 3) / 4 * ((picture.width + 3) / 4));
    }
    static LRESULT CALLBACK Paint(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message != WM_PAINT || current_ == nullptr)
            return DefWindowProcA(window, message, wParam, lParam);
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = current_->width_;
        info.bmiHeader.biHeight = -current_->height_;  // top row first
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        SetDIBitsToDevice(dc, 0, 0, current_->width_, current_->height_, 0, 0, 0,
                          current_->height_, current_->bgrx_.data(), &info, DIB_RGB_COLORS);
        EndPaint(window, &paint);
        return 0;
    }

    static inline KnownDesktopWindow* current_ = nullptr;
    HWND window_ = nullptr;
    int width_ = 0;
    int height_ = 0;
    std::vector<unsigned char> bgrx_;
};

// Wine's window order settles a little after the saver's window shows; a shot taken while the
// saver's window exists before and after it is a shot of the saver's frame.
bool ShotOfSaver(HWND window, scene::Picture* picture) {
    if (!IsWindow(window)) return false;
    const Screenshot shot = CaptureScreen();
    if (!IsWindow(window)) return false;
    *picture = ToPicture(shot);
    return true;
}

TEST(Scene, DesktopDissolvesIntoTheSceneAndTheExitShowsTheMessage) {
    KnownDesktopWindow desktop;
    ASSERT_TRUE(desktop.shown(kPatienceMs));
    SaverProcess saver;
    ASSERT_TRUE(saver.start("/s"));

    // Until the scene is complete (no trace of the desktop over the banner's black: a frame
    // from the last few per cent of the dissolve still lightens the silhouette), every shot
    // shows the desktop, wholly or dissolving: never a flash of another picture.
    scene::Picture shot;
    scene::SceneParts parts;
    int shots = 0, desktopShots = 0;
    bool complete = false;
    const double end = NowMs() + kPatienceMs;
    while (!complete && NowMs() < end && saver.running()) {
        PumpMessages(20);
        HWND window = WaitForWindow(saver.pid(), "MyClass", 0);
        if (window == nullptr || !IsWindowVisible(window) || !ShotOfSaver(window, &shot)) continue;
        parts = scene::FindSceneParts(shot);
        ++shots;
        if (parts.desktopShare > 0.999) ++desktopShots;
        EXPECT_GT(parts.desktopShare, 0.4) << "shot " << shots << " hides the desktop";
        complete = parts.bannerDark >= 0.3;
    }
    ASSERT_TRUE(complete) << "the scene never showed without the desktop over it";
    EXPECT_GE(desktopShots, 1) << "the run did not begin with the desktop unchanged";
    SavePicture("e2e_scene", shot.rgb.data(), shot.width, shot.height, 3, true);
    HWND window = WaitForWindow(saver.pid(), "MyClass", 0);
    ASSERT_NE(window, nullptr);

    scene::ExpectCompleteScene(parts, shot.width, shot.height);

    // After an input the message is on the monitor's screen, over the rain, in every frame
    // until the close.
    PressKey('Q');
    int messageShots = 0, shotsAfter = 0;
    bool messageShown = false;
    while (NowMs() < end && IsWindow(window)) {
        PumpMessages(20);
        if (!ShotOfSaver(window, &shot)) continue;
        const scene::SceneParts exit = scene::FindSceneParts(shot);
        if (exit.messageCells >= 4 && !messageShown)
            SavePicture("e2e_exit", shot.rgb.data(), shot.width, shot.height, 3, true);
        if (exit.messageCells >= 4) messageShown = true;
        if (!messageShown) continue;
        ++shotsAfter;
        if (exit.messageCells >= 4 && exit.green > 300) ++messageShots;
    }
    EXPECT_TRUE(messageShown);
    EXPECT_EQ(messageShots, shotsAfter);
    DWORD code = 1;
    ASSERT_TRUE(saver.waitForExit(kPatienceMs, &code));
    EXPECT_EQ(code, 0u);
}

}  // namespace
