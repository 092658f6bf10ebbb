// The main window's pixel format, its rendering context and the resting GL state.
#include "gl/context.h"

#include <windows.h>
#include <GL/gl.h>

#include "app/app_state.h"
#include "app/step_seam.h"
#include "gl/pbuffer.h"
#include "gl/wgl_extensions.h"

namespace {

PIXELFORMATDESCRIPTOR PixelFormatRequest() {
    PIXELFORMATDESCRIPTOR pfd = {};
    pfd.nSize = sizeof(PIXELFORMATDESCRIPTOR);
    pfd.nVersion = 1;
    pfd.dwFlags = PFD_DOUBLEBUFFER | PFD_SUPPORT_OPENGL | PFD_SWAP_EXCHANGE;
    pfd.iPixelType = PFD_TYPE_RGBA;
    // The preview draws into a small window on whatever desktop there is.
    pfd.cColorBits = (app.runMode == RunMode::Preview && !app.lowDepthSwitched) ? 16 : 32;
    pfd.cDepthBits = 16;
    pfd.cStencilBits = 1;
    pfd.iLayerType = PFD_MAIN_PLANE;
    return pfd;
}

}  // namespace

bool gmInitPixelFormat() {
    const PIXELFORMATDESCRIPTOR pfd = PixelFormatRequest();
    int format = app.multisampleFormat;
    if (!app.multisampleAvailable) {
        format = ChoosePixelFormat(app.windowDC, &pfd);
        if (format == 0) return false;
    }
    return SetPixelFormat(app.windowDC, format, &pfd) != FALSE;
}

bool gmInitOpenGL() {
    if (StepForcedToFail(RunStep::PixelFormat) || !gmInitPixelFormat()) {
        app.errorLog.append("gmInitPixelFormat(): Could not initialize pixel format\n");
        return false;
    }
    app.renderContext =
        StepForcedToFail(RunStep::CreateContext) ? nullptr : wglCreateContext(app.windowDC);
    if (app.renderContext == nullptr) {
        app.errorLog.append("wglCreateContext(): Could not create OpenGL context\n");
        return false;
    }
    if (StepForcedToFail(RunStep::ActivateContext) ||
        !wglMakeCurrent(app.windowDC, app.renderContext)) {
        app.errorLog.append("wglMakeCurrent(): Could not activate OpenGL context\n");
        return false;
    }
    return true;
}

void gmInitGLState() {
    glViewport(0, 0, app.screenWidth, app.screenHeight);
    if (app.runMode != RunMode::Saver) return;

    glEnable(GL_CULL_FACE);
    glFrontFace(GL_CCW);
    glCullFace(GL_BACK);
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glShadeModel(GL_SMOOTH);
    glEnable(GL_LIGHTING);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_NORMAL_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glClearDepth(0.999);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
    if (wgl.wglSwapIntervalEXT != nullptr) wgl.wglSwapIntervalEXT(1);
}

int gmCloseOpenGL() {
    if (app.runMode == RunMode::Saver) destroy_pbuffer();
    if (app.renderContext != nullptr) {
        wglMakeCurrent(app.windowDC, nullptr);
        wglDeleteContext(app.renderContext);
        app.renderContext = nullptr;
    }
    if (app.windowDC != nullptr) {
        ReleaseDC(app.mainWindow, app.windowDC);
        app.windowDC = nullptr;
    }
    return 1;
}
