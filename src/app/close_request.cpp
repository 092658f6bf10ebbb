// How the run asks for its end: a close posted between frames, and a failure after the window
// exists.
#include "app/close_request.h"

#include <windows.h>

#include "app/app_state.h"

void PostClose() {
    if (app.mainWindow != nullptr && IsWindow(app.mainWindow))
        PostMessageA(app.mainWindow, WM_CLOSE, 0, 0);
    else
        PostQuitMessage(0);
}

void FailAndClose(const char* logLine) {
    app.failed = true;
    app.errorLog.append(logLine);
    PostClose();
}
