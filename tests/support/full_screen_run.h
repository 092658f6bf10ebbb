// A full-screen run on a test context, brought up as the program brings itself up before its
// assets are loaded: the resting GL state, the extension entry points, the pbuffer, and a
// capture of the known desktop picture. And the frames it hands to SwapBuffers, read back.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>
#include <GL/gl.h>

#include <cstddef>

#include "app/app_state.h"
#include "assets/asset_loading.h"
#include "gl/context.h"
#include "gl/extensions.h"
#include "gl/pbuffer.h"
#include "support/full_screen_app.h"
#include "support/gl_recorder.h"
#include "support/gl_window.h"
#include "support/scene_picture.h"

// The desktop as GetDesktopBits leaves it: 4 bytes a pixel (B, G, R, unused), top row first.
inline void CaptureKnownDesktop(int width, int height) {
    delete[] app.desktopPixels;
    app.desktopPixels = new unsigned char[static_cast<std::size_t>(width) * height * 4];
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const scene::Rgb c = scene::KnownDesktop(x, y, width, height);
            unsigned char* p = app.desktopPixels + (static_cast<std::size_t>(y) * width + x) * 4;
            p[0] = static_cast<unsigned char>(c.b);
            p[1] = static_cast<unsigned char>(c.g);
            p[2] = static_cast<unsigned char>(c.r);
            p[3] = 0;
        }
    }
    app.desktopBytesPerPixel = 4;
}

class FullScreenRun : public ::testing::Test {
protected:
    static constexpr int kWidth = 1280;
    static constexpr int kHeight = 1024;

    void SetUp() override {
        ASSERT_TRUE(gl_.ok()) << gl_.failure();
        UseAsFullScreenWindow(gl_);
        app.instance = GetModuleHandleA(nullptr);
        app.screenWidth = kWidth;
        app.screenHeight = kHeight;
        gmInitGLState();
        ASSERT_TRUE(gmInitExtensions());
        ASSERT_TRUE(init_pbuffer(&app.pbuffer, 512, 512));
        CaptureKnownDesktop(kWidth, kHeight);
    }
    void TearDown() override {
        wglMakeCurrent(app.windowDC, app.renderContext);
        gmFreeStuff();
        destroy_pbuffer();
        app.pbuffer = Pbuffer{};
        delete[] app.desktopPixels;
        app.desktopPixels = nullptr;
    }

    GlContext gl_{kWidth, kHeight};
};

// While it lives, every SwapBuffers of the program first reads the back buffer, the frame it
// is about to show, into last().
class FrameCapture {
public:
    FrameCapture() : hook_("gdi32.dll", "SwapBuffers", reinterpret_cast<void*>(Swap)) {
        current_ = this;
    }
    ~FrameCapture() { current_ = nullptr; }
    bool ok() const { return hook_.ok(); }
    const scene::Picture& last() const { return frame_; }
    int frames() const { return frames_; }

private:
    // Only installed while current_ is set.
    static BOOL WINAPI Swap(HDC dc) {
        current_->read();
        return reinterpret_cast<BOOL(WINAPI*)(HDC)>(current_->hook_.original())(dc);
    }
    void read() {
        GLint viewport[4] = {};
        glGetIntegerv(GL_VIEWPORT, viewport);
        const int width = viewport[2], height = viewport[3];
        std::vector<unsigned char> rgba(static_cast<std::size_t>(width) * height * 4);
        glFinish();
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
        frame_.width = width;
        frame_.height = height;
        frame_.rgb.resize(static_cast<std::size_t>(width) * height * 3);
        for (int y = 0; y < height; ++y) {
            const unsigned char* row = &rgba[static_cast<std::size_t>(height - 1 - y) * width * 4];
            for (int x = 0; x < width; ++x)
                for (int c = 0; c < 3; ++c)
                    frame_.rgb[(static_cast<std::size_t>(y) * width + x) * 3 + c] = row[x * 4 + c];
        }
        ++frames_;
    }

    static inline FrameCapture* current_ = nullptr;
    ImportHook hook_;
    scene::Picture frame_;
    int frames_ = 0;
};
