// The run's whole life, from the command line to the shutdown: the start-up steps in their
// fixed order, the frame loop, and the shutdown that puts the user's display back.
#include "app/run.h"

#include <cstdint>

#include "app/about_dialog.h"
#include "app/app_state.h"
#include "app/browser.h"
#include "app/close_request.h"
#include "app/command_line.h"
#include "app/desktop.h"
#include "app/display.h"
#include "app/error_report.h"
#include "app/frame_loop.h"
#include "app/main_window.h"
#include "app/maker_addresses.h"
#include "app/step_seam.h"
#include "assets/asset_loading.h"
#include "gl/context.h"
#include "gl/extensions.h"
#include "gl/pbuffer.h"

namespace {

bool FullScreen() { return app.runMode == RunMode::Saver; }

// Once a step after the window has failed, or the preview's parent has gone, the remaining
// start-up steps are skipped and the loop only waits for the quit.
bool StartStopped() { return app.quitDuringWait || app.failed; }

void SetScreenSaverRunning(BOOL running) {
    UINT previous = 0;
    SystemParametersInfoA(SPI_SETSCREENSAVERRUNNING, running, &previous, 0);
}

// Full screen: the desktop's picture while it still shows, the display at 32 bits, and the
// system told that a screen saver runs. False when the run ends here (its boxes were shown).
bool PrepareFullScreen() {
    if (!GetDesktopBits()) {
        if (app.displayChanged) RestoreDisplayMode();
        ShowError(kProductName, "GetDesktopBits(): Could not get desktop bits");
        return false;
    }
    if (!SwitchFullScreenDepth()) return false;
    SetScreenSaverRunning(TRUE);
    return true;
}

// The window, shown, with its device context. False when the run ends here (its box shown,
// the display and the system's flag put back).
bool OpenMainWindow() {
    app.mainWindow = CreateMainWindow();
    if (app.mainWindow == nullptr) {
        if (app.displayChanged) RestoreDisplayMode();
        if (FullScreen()) SetScreenSaverRunning(FALSE);
        ShowError(kProductName, "CreateMainWindow: Could not create main window");
        return false;
    }
    ShowWindow(app.mainWindow, SW_SHOW);
    app.windowDC = GetDC(app.mainWindow);
    return true;
}

// The window keeps existing after a failure here; the quit alone ends the loop.
void StartOpenGL() {
    if (StartStopped()) return;
    if (!gmInitOpenGL()) {
        app.failed = true;
        app.errorLog.append("gmInitOpenGL: Could not create OpenGL context\n");
        PostQuitMessage(0);
    }
}

// Full screen: the extension entry points, the pbuffer and the multisampled window, with the
// first window's context current.
void StartFullScreenTargets() {
    if (StartStopped() || !FullScreen()) return;
    if (StepForcedToFail(RunStep::Extensions) || !gmInitExtensions()) {
        FailAndClose("gmInitExtensions(): Could not find necessary extensions\n");
        return;
    }
    if (StepForcedToFail(RunStep::Pbuffer) || !init_pbuffer(&app.pbuffer, 512, 512)) {
        // The close just posted goes to this window: replacing the window now would lose the
        // close and leave the run without an end.
        FailAndClose("init_pbuffer(): Could not initialize pbuffer\n");
        return;
    }
    // Its lines are in the log already. Without the new window the close turns into the quit.
    if (!gmInitMultisample()) {
        app.failed = true;
        PostClose();
    }
}

// Every step before the frame loop, in order. False when the run ends before the loop.
bool StartUp(HINSTANCE instance, const char* commandLine) {
    app.instance = instance;
    std::uintptr_t parent = 0;
    app.runMode = ParseCommandLine(commandLine, &parent);
    app.parentWindow = reinterpret_cast<HWND>(parent);
    if (app.runMode == RunMode::PasswordChange) return false;

    // Every mode but the preview may open the browser later; an unreadable command only
    // makes that launch fail.
    if (app.runMode == RunMode::Preview)
        SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_IDLE);
    else
        ReadBrowserCommand();

    if (app.runMode == RunMode::Configure) {
        ShowAboutDialog();
        return false;
    }

    if (!CheckDisplayMode()) return false;
    if (FullScreen() && !PrepareFullScreen()) return false;
    if (!OpenMainWindow()) return false;
    if (app.runMode == RunMode::Preview) RunPreviewWait();

    StartOpenGL();
    StartFullScreenTargets();
    if (!StartStopped()) gmInitGLState();
    if (!StartStopped() && (StepForcedToFail(RunStep::LoadStuff) || !gmLoadStuff()))
        FailAndClose("gmLoadStuff: Could not load stuff\n");
    if (FullScreen() && !StartStopped()) ShowCursor(FALSE);
    return true;
}

// Every step after the frame loop, in order.
void ShutDown() {
    gmFreeStuff();
    if (FullScreen()) {
        SetScreenSaverRunning(FALSE);
        ShowCursor(TRUE);
    }
    if ((FullScreen() && app.displayChanged) ||
        (app.runMode == RunMode::Preview && app.lowDepthSwitched))
        RestoreDisplayMode();
    // Shown on the user's own display again, once, with every line the run appended.
    if (app.failed) ShowError(kProductName, app.errorLog.text());
    // Once the display is back and any error box is closed.
    if (FullScreen() && app.spacePressed) LaunchBrowser(VELOTH_DOWNLOAD_PAGE);
}

}  // namespace

int RunScreenSaver(HINSTANCE instance, const char* commandLine) {
    if (!StartUp(instance, commandLine)) return 0;
    RunFrameLoop();
    ShutDown();
    return 0;
}
