// bare_swap: the saver's full-screen window with its pixel format (multisampled where the
// driver offers it, as the saver's) and its resting GL state, drawing nothing but a clear and a
// buffer swap, for frame times to set the saver's against (bench/frame_time.sh).
//   bare_swap SECONDS    (the run ends that long after its first frame)
#include <windows.h>
#include <GL/gl.h>

#include <cstdio>
#include <cstdlib>

#include "app/app_state.h"
#include "app/main_window.h"
#include "gl/context.h"
#include "gl/extensions.h"

int main(int argc, char** argv) {
    const double seconds = argc == 2 ? std::atof(argv[1]) : 0.0;
    if (seconds <= 0.0) {
        std::fprintf(stderr, "usage: bare_swap SECONDS\n");
        return 2;
    }
    app.runMode = RunMode::Saver;
    app.instance = GetModuleHandleA(nullptr);
    app.screenWidth = GetSystemMetrics(SM_CXSCREEN);
    app.screenHeight = GetSystemMetrics(SM_CYSCREEN);
    app.mainWindow = CreateMainWindow();
    if (app.mainWindow == nullptr) return 1;
    ShowWindow(app.mainWindow, SW_SHOW);
    app.windowDC = GetDC(app.mainWindow);
    if (!gmInitOpenGL() || !gmInitExtensions() || !gmInitMultisample()) {
        std::fprintf(stderr, "bare_swap: no OpenGL window: %s", app.errorLog.text());
        return 1;
    }
    gmInitGLState();
    std::printf("bare_swap: %dx%d, %s\n", app.screenWidth, app.screenHeight,
                app.multisampleAvailable ? "multisampled" : "not multisampled");
    std::fflush(stdout);

    const DWORD start = GetTickCount();
    MSG msg = {};
    while (msg.message != WM_QUIT) {
        if (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            DispatchMessageA(&msg);
            continue;
        }
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
        SwapBuffers(app.windowDC);
        if ((GetTickCount() - start) / 1000.0 > seconds) DestroyWindow(app.mainWindow);
    }
    return 0;
}
