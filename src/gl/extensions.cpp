// Discovery of the WGL extension entry points and of a multisampled window pixel format, and
// the one-time recreation of the main window with that format.
#include "gl/extensions.h"

#include <windows.h>
#include <GL/gl.h>
#include <GL/glext.h>
#include <GL/wglext.h>

#include "app/app_state.h"
#include "app/main_window.h"
#include "gl/context.h"
#include "gl/extension_search.h"
#include "gl/proc_address.h"
#include "gl/wgl_extensions.h"

namespace {

bool ChooseWindowFormat(int samples) {
    const int attributes[] = {
        WGL_DRAW_TO_WINDOW_ARB, 1,
        WGL_SUPPORT_OPENGL_ARB, 1,
        WGL_ACCELERATION_ARB, WGL_FULL_ACCELERATION_ARB,
        WGL_COLOR_BITS_ARB, 32,
        WGL_DEPTH_BITS_ARB, 16,
        WGL_STENCIL_BITS_ARB, 1,
        WGL_DOUBLE_BUFFER_ARB, 1,
        WGL_SAMPLE_BUFFERS_ARB, 1,
        WGL_SAMPLES_ARB, samples,
        0, 0,
    };
    const float noFloatAttributes[] = {0.0f, 0.0f};
    int format = 0;
    UINT count = 0;
    if (!wgl.wglChoosePixelFormatARB(app.windowDC, attributes, noFloatAttributes, 1, &format,
                                     &count) ||
        count < 1)
        return false;
    app.multisampleFormat = format;
    app.multisampleAvailable = true;
    return true;
}

}  // namespace

bool gmIsExtensionSupported(const char* name) {
    const char* glList = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
    const char* wglList = nullptr;
    const auto getWglList = LookUpEntryPoint<PFNWGLGETEXTENSIONSSTRINGARBPROC>("wglGetExtensionsStringARB");
    if (getWglList != nullptr) wglList = getWglList(wglGetCurrentDC());
    return ExtensionIsListed(glList, wglList, name);
}

bool gmInitExtensions() {
    wgl.wglChoosePixelFormatARB = LookUpEntryPoint<PFNWGLCHOOSEPIXELFORMATARBPROC>("wglChoosePixelFormatARB");
    wgl.wglReleasePbufferDCARB = LookUpEntryPoint<PFNWGLRELEASEPBUFFERDCARBPROC>("wglReleasePbufferDCARB");
    wgl.wglDestroyPbufferARB = LookUpEntryPoint<PFNWGLDESTROYPBUFFERARBPROC>("wglDestroyPbufferARB");
    wgl.wglCreatePbufferARB = LookUpEntryPoint<PFNWGLCREATEPBUFFERARBPROC>("wglCreatePbufferARB");
    wgl.wglGetPbufferDCARB = LookUpEntryPoint<PFNWGLGETPBUFFERDCARBPROC>("wglGetPbufferDCARB");
    wgl.wglQueryPbufferARB = LookUpEntryPoint<PFNWGLQUERYPBUFFERARBPROC>("wglQueryPbufferARB");
    wgl.wglReleaseTexImageARB = LookUpEntryPoint<PFNWGLRELEASETEXIMAGEARBPROC>("wglReleaseTexImageARB");
    wgl.wglBindTexImageARB = LookUpEntryPoint<PFNWGLBINDTEXIMAGEARBPROC>("wglBindTexImageARB");
    wgl.wglSwapIntervalEXT = LookUpEntryPoint<PFNWGLSWAPINTERVALEXTPROC>("wglSwapIntervalEXT");
    return wgl.wglChoosePixelFormatARB != nullptr && wgl.wglReleasePbufferDCARB != nullptr &&
           wgl.wglDestroyPbufferARB != nullptr && wgl.wglCreatePbufferARB != nullptr &&
           wgl.wglGetPbufferDCARB != nullptr && wgl.wglQueryPbufferARB != nullptr &&
           wgl.wglReleaseTexImageARB != nullptr && wgl.wglBindTexImageARB != nullptr;
}

bool gmFindMultisampleFormat() {
    if (!gmIsExtensionSupported("WGL_ARB_multisample") || wgl.wglChoosePixelFormatARB == nullptr) {
        app.multisampleAvailable = false;
        return false;
    }
    if (ChooseWindowFormat(4)) return true;
    if (ChooseWindowFormat(2)) return true;
    return app.multisampleAvailable;
}

int gmInitMultisample() {
    if (app.runMode != RunMode::Saver) return 1;
    if (!gmFindMultisampleFormat()) return 1;

    // A window's pixel format is set once for its life, so the multisampled one needs a new
    // window. The old context goes while still current; nothing draws in between.
    wglDeleteContext(app.renderContext);
    app.renderContext = nullptr;
    ReleaseDC(app.mainWindow, app.windowDC);
    app.windowDC = nullptr;
    app.windowRecreating = true;  // this WM_DESTROY is not the end of the program
    DestroyWindow(app.mainWindow);

    // Without the new window, or without its context, nothing could be drawn and no window's
    // destruction would end the run: the caller ends it as after a failed first context.
    app.mainWindow = CreateMainWindow();
    if (app.mainWindow == nullptr) {
        app.windowRecreating = false;
        app.errorLog.append("CreateMainWindow: Could not create main window\n");
        return 0;
    }
    app.windowDC = GetDC(app.mainWindow);
    if (!gmInitOpenGL()) {
        app.windowRecreating = false;
        app.errorLog.append("gmInitOpenGL: Could not create OpenGL context\n");
        return 0;
    }
    glDisable(GL_MULTISAMPLE_ARB);  // each frame turns it on for the 3D scene only

    ShowWindow(app.mainWindow, SW_SHOW);
    app.windowRecreating = false;
    return 1;
}
