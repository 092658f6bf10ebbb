// The message loop that draws a frame whenever the queue is empty, and the composition of a
// full-screen frame.
#include "app/frame_loop.h"

#include <windows.h>
#include <GL/gl.h>
#include <GL/glext.h>

#include "app/app_state.h"
#include "app/camera.h"
#include "app/close_request.h"
#include "app/frame_clock.h"
#include "app/input.h"
#include "app/step_seam.h"
#include "scene/screen_passes.h"

bool gmRender() {
    // Until the desktop backdrop covers the colour buffer, the frame clears it as well.
    glClearColor(1.0f, 1.0f, 1.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
    app.frameTime = gmGetTime(0);

    gmSetPerspective(40.0, static_cast<double>(app.screenWidth) / app.screenHeight, 0.5, 100.0,
                     0.0, 0.0, 0.0, 0.0, 1.0);

    float sway[16];
    gmSetSway(app.frameTime, sway);

    if (ExitTimeIsUp(app)) PostClose();

    // The sway multiplies the camera on the right, so the scene turns about its own origin.
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    gmSetCamera();
    glMultMatrixf(sway);
    glPushMatrix();
    if (app.multisampleAvailable) glEnable(GL_MULTISAMPLE_ARB);

    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();

    if (app.multisampleAvailable) glDisable(GL_MULTISAMPLE_ARB);

    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    if (app.desktopFade > 0.0f) app.desktopFade = 1.0f - app.frameTime / 1.0f;
    glDisable(GL_BLEND);
    SwapBuffers(app.windowDC);
    return true;
}

void RunFrameLoop() {
    MSG msg = {};
    msg.message = 0;
    while (msg.message != WM_QUIT) {
        if (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
            continue;
        }
        if (app.runMode == RunMode::Preview) {
            Sleep(10);
            if (!app.quitDuringWait && !app.failed &&
                (StepForcedToFail(RunStep::Preview) || !gmPreview()))
                FailAndClose("gmPreview: Could not draw preview\n");
        } else if (!app.quitDuringWait && !app.failed &&
                   (StepForcedToFail(RunStep::Render) || !gmRender())) {
            FailAndClose("gmRender: Could not render\n");
        }
    }
}
