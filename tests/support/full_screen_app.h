// Sets up the program state of a full-screen or preview run for tests: on a test's GlContext,
// or on a window of the program's own class; and takes posted messages off the test thread's
// queue.
#pragma once

#include <windows.h>

#include "app/app_state.h"
#include "app/main_window.h"
#include "support/gl_window.h"

inline void UseAsFullScreenWindow(const GlContext& gl) {
    app = AppState{};
    app.runMode = RunMode::Saver;
    app.mainWindow = gl.window();
    app.windowDC = gl.dc();
    app.renderContext = gl.context();
}

// A preview run drawing into the test's context, its window standing in for the child window.
inline void UseAsPreviewWindow(const GlContext& gl, int width, int height) {
    app = AppState{};
    app.runMode = RunMode::Preview;
    app.instance = GetModuleHandleA(nullptr);
    app.mainWindow = gl.window();
    app.windowDC = gl.dc();
    app.renderContext = gl.context();
    app.screenWidth = width;
    app.screenHeight = height;
}

// A full-screen run of the given screen size with its window made by CreateMainWindow (not yet
// shown, no device context taken). Returns the window, null if it could not be made.
inline HWND MakeFullScreenWindow(int width, int height) {
    app = AppState{};
    app.runMode = RunMode::Saver;
    app.instance = GetModuleHandleA(nullptr);
    app.screenWidth = width;
    app.screenHeight = height;
    app.mainWindow = CreateMainWindow();
    return app.mainWindow;
}

// Removes one waiting message of this kind from the thread's queue; true if there was one.
// A pending quit comes out of any filtered peek, so it is left in place unless asked for.
inline bool TakeMessage(UINT message) {
    MSG msg;
    if (!PeekMessageA(&msg, nullptr, message, message, PM_NOREMOVE) || msg.message != message)
        return false;
    return PeekMessageA(&msg, nullptr, message, message, PM_REMOVE) != FALSE;
}
