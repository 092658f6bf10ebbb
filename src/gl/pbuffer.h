// The off-screen 512 x 512 target whose colour buffer becomes the monitor screen's texture.
#pragma once

#include <windows.h>
#include <GL/gl.h>
#include <GL/wglext.h>

struct Pbuffer {
    HPBUFFERARB handle;  // null when absent
    HDC dc;              // the pbuffer's own device context
    HGLRC context;       // rendering context made on dc
    int width;           // as the driver reports it after creation
    int height;
};
