// The program's entry point: the run mode from the command line, the start-up in its fixed
// order, the frame loop, and the shutdown that puts the user's display back.
#include <windows.h>

#include <cstdint>

#include "app/app_state.h"
#include "app/close_request.h"
#include "app/command_line.h"
#include "app/desktop.h"
#include "app/display.h"
#include "app/error_report.h"
#include "app/frame_loop.h"
#include "app/main_window.h"
#include "gl/context.h"
#include "gl/extensions.h"
#include "gl/pbuffer.h"

namespace {

void SetScreenSaverRunning(BOOL running) {
    UINT previous = 0;
    SystemParametersInfoA(SPI_SETSCREENSAVERRUNNING, running, &previous, 0);
}

bool StartupStopped() { return app.quitDuringWait || app.failed; }

// The extension entry points, the pbuffer and the multisampled window, with the first
// window's context current.
void StartFullScreenTargets() {
    if (!gmInitExtensions()) {
        FailAndClose("gmInitExtensions(): Could not find necessary extensions\n");
        return;
    }
    if (!init_pbuffer(&app.pbuffer, 512, 512)) {
        // The close just posted goes to the current window: replacing that window now would
        // lose it and leave the program hanging without a picture.
        FailAndClose("init_pbuffer(): Could not initialize pbuffer\n");
        return;
    }
    // Its lines are in the log already. Without the new window the close turns into the quit.
    if (!gmInitMultisample()) {
        app.failed = true;
        PostClose();
    }
}

void StartOpenGL() {
    if (StartupStopped()) return;
    if (!gmInitOpenGL()) {
        app.failed = true;
        app.errorLog.append("gmInitOpenGL: Could not create OpenGL context\n");
        PostQuitMessage(0);
        return;
    }
    if (app.runMode == RunMode::Saver) StartFullScreenTargets();
    if (StartupStopped()) return;
    gmInitGLState();
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    app.instance = instance;
    std::uintptr_t parent = 0;
    app.runMode = ParseCommandLine(GetCommandLineA(), &parent);
    app.parentWindow = reinterpret_cast<HWND>(parent);

    if (app.runMode == RunMode::PasswordChange) return 0;
    if (app.runMode == RunMode::Preview) SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_IDLE);
    if (app.runMode == RunMode::Configure) return 0;

    if (!CheckDisplayMode()) return 0;
    const bool saver = app.runMode == RunMode::Saver;
    if (saver) {
        if (!GetDesktopBits()) {
            if (app.displayChanged) RestoreDisplayMode();
            ShowError(kProductName, "GetDesktopBits(): Could not get desktop bits");
            return 0;
        }
        if (!SwitchFullScreenDepth()) return 0;
        SetScreenSaverRunning(TRUE);
    }

    app.mainWindow = CreateMainWindow();
    if (app.mainWindow == nullptr) {
        if (app.displayChanged) RestoreDisplayMode();
        if (saver) SetScreenSaverRunning(FALSE);
        ShowError(kProductName, "CreateMainWindow: Could not create main window");
        return 0;
    }
    ShowWindow(app.mainWindow, SW_SHOW);
    app.windowDC = GetDC(app.mainWindow);
    if (app.runMode == RunMode::Preview) RunPreviewWait();

    StartOpenGL();
    if (saver && !StartupStopped()) ShowCursor(FALSE);

    RunFrameLoop();

    if (saver) {
        SetScreenSaverRunning(FALSE);
        ShowCursor(TRUE);
    }
    if ((saver && app.displayChanged) || (app.runMode == RunMode::Preview && app.lowDepthSwitched))
        RestoreDisplayMode();
    if (app.failed) ShowError(kProductName, app.errorLog.text());
    return 0;
}
