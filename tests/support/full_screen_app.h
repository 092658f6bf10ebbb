// Sets up the program state of a full-screen run whose window and current context are a
// test's GlContext, for tests of the full-screen GL steps.
#pragma once

#include "app/app_state.h"
#include "support/gl_window.h"

inline void UseAsFullScreenWindow(const GlContext& gl) {
    app = AppState{};
    app.runMode = RunMode::Saver;
    app.mainWindow = gl.window();
    app.windowDC = gl.dc();
    app.renderContext = gl.context();
}
