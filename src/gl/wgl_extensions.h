// The WGL extension entry points, looked up once in the first window context and used
// unchanged in every context afterwards.
#pragma once

#include <windows.h>
#include <GL/gl.h>
#include <GL/wglext.h>

struct WglEntryPoints {
    PFNWGLCHOOSEPIXELFORMATARBPROC wglChoosePixelFormatARB;
    PFNWGLRELEASEPBUFFERDCARBPROC wglReleasePbufferDCARB;
    PFNWGLDESTROYPBUFFERARBPROC wglDestroyPbufferARB;
    PFNWGLCREATEPBUFFERARBPROC wglCreatePbufferARB;
    PFNWGLGETPBUFFERDCARBPROC wglGetPbufferDCARB;
    PFNWGLQUERYPBUFFERARBPROC wglQueryPbufferARB;
    PFNWGLRELEASETEXIMAGEARBPROC wglReleaseTexImageARB;
    PFNWGLBINDTEXIMAGEARBPROC wglBindTexImageARB;
    PFNWGLSWAPINTERVALEXTPROC wglSwapIntervalEXT;  // optional
};

extern WglEntryPoints wgl;
