// A hidden window with its own device context, for tests that need a real OpenGL context on
// the Xvfb display.
#pragma once

#include <windows.h>

class TestWindow {
public:
    TestWindow(int width, int height);
    ~TestWindow();
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;

    HWND window() const { return window_; }
    HDC dc() const { return dc_; }

private:
    HWND window_ = nullptr;
    HDC dc_ = nullptr;
};

// A test window with a 32-bit RGBA, depth and stencil context made current. When it cannot be
// made, failure() names the step and its error code, for the test's assertion message.
class GlContext {
public:
    GlContext(int width, int height);
    ~GlContext();
    bool ok() const { return context_ != nullptr; }
    const char* failure() const { return failure_; }
    HWND window() const { return window_.window(); }
    HDC dc() const { return window_.dc(); }
    HGLRC context() const { return context_; }

private:
    bool make_current();

    TestWindow window_;
    HGLRC context_ = nullptr;
    char failure_[96] = "";
};
