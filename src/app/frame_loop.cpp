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
#include "assets/model.h"
#include "scene/screen_passes.h"

// GL contract: expects the resting state of gmInitGLState, the window context current and the
// assets of gmLoadStuff. Every pass puts that state back; the frame ends with blending off.
bool gmRender() {
    // The colour buffer is not cleared: the opaque desktop covers all of it.
    glClearColor(1.0f, 1.0f, 1.0f, 1.0f);
    glClear(GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
    app.frameTime = gmGetTime(0);

    gmSetPerspective(40.0, static_cast<double>(app.screenWidth) / app.screenHeight, 0.5, 100.0,
                     0.0, 0.0, 0.0, 0.0, 1.0);
    gmDrawDesktop(1.0f);

    float sway[16];
    gmSetSway(app.frameTime, sway);
    gmRenderScreen();

    if (ExitTimeIsUp(app)) PostClose();

    // The sway multiplies the camera on the right, so the scene turns about its own origin.
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    gmSetCamera();
    glMultMatrixf(sway);
    glPushMatrix();
    if (app.multisampleAvailable) glEnable(GL_MULTISAMPLE_ARB);

    if (app.modelRoot != nullptr) app.modelRoot->draw_shadow("output.gxu", "light1.gxl", 0);
    // Whatever the silhouette left, the model is drawn under this frame's projection and view.
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    if (app.modelRoot != nullptr) app.modelRoot->draw("output.gxu", 0);

    if (app.multisampleAvailable) glDisable(GL_MULTISAMPLE_ARB);
    gmDrawBanner();

    // The overlay lies over everything, the banner included: the run begins with an exact
    // picture of the desktop that dissolves into the scene within a second.
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    if (app.desktopFade > 0.0f) {
        gmDrawDesktop(app.desktopFade);
        app.desktopFade = 1.0f - app.frameTime / 1.0f;
    }
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
