// AppState: the one program-wide record of plain global state.
#include "app/app_state.h"

AppState app;

void FailAndClose(const char* logLine) {
    app.failed = true;
    app.errorLog.append(logLine);
    PostMessageA(app.mainWindow, WM_CLOSE, 0, 0);
}
