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

// Creates the pbuffer with its own DC and context, sets that context's initial state and
// makes the window context current again. Called with the window context current, once
// gmInitExtensions has found every required entry point (this code relies on them). False on
// failure; handles made before the failure stay in the record for destroy_pbuffer.
bool init_pbuffer(Pbuffer* pbuffer, int width, int height);
// Releases what the program's pbuffer (app.pbuffer) holds. The fields keep their values.
void destroy_pbuffer();

// Draws the frame's content with the pbuffer context current. user is passed through.
typedef void (*PbufferDraw)(void* user);

// One frame of render-to-texture on app.pbuffer: release its image from the texture, make
// its context current, draw, make the window context current and bind the image again.
// Expects the window context current and the receiving texture bound to GL_TEXTURE_2D; always
// returns with the window context current. False, with nothing drawn and the texture keeping
// its previous image, when the release fails.
bool gmRenderToPbuffer(PbufferDraw draw, void* user);
