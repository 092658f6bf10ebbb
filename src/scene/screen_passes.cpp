// Flat passes drawn in normalized device coordinates outside the 3D scene, each with the GL
// state it expects and leaves.
#include "scene/screen_passes.h"

#include <windows.h>
#include <GL/gl.h>

#include <cstdint>

#include "app/app_state.h"
#include "app/desktop_pixels.h"
#include "assets/texture.h"
#include "gl/pbuffer.h"
#include "scene/glyph_rain.h"

namespace {

void BindTexture(const char* name) {
    if (app.textureRoot != nullptr) app.textureRoot->bind(name);
}

// One corner of a textured quad drawn in immediate mode: texture coordinate, then position.
struct QuadCorner {
    float u, v;
    float x, y;
};

void DrawQuad(const QuadCorner (&corners)[4]) {
    glBegin(GL_QUADS);
    for (const QuadCorner& c : corners) {
        glTexCoord2f(c.u, c.v);
        glVertex2f(c.x, c.y);
    }
    glEnd();
}

// The failure message "SYSFAIL.bmp": its 104 x 20 texels, top row at the upper edge, centred
// as 208 x 40 pixels of the 512 x 512 picture.
void DrawFailureMessage() {
    BindTexture("SYSFAIL.bmp");
    glColor3f(0.0f, 0.95f, 0.0f);
    DrawQuad({{0.0f, 0.625f, -0.40625f, -0.078125f},
              {0.8125f, 0.625f, 0.40625f, -0.078125f},
              {0.8125f, 0.0f, 0.40625f, 0.078125f},
              {0.0f, 0.0f, -0.40625f, 0.078125f}});
}

// GL contract: runs with the pbuffer context current in the state init_pbuffer gave it, with
// GL_MODULATE; leaves that state but for the bound texture and the current colour. During the
// exit the picture is neither cleared nor redrawn, so the message lies over the frozen rain.
void DrawScreenPicture(void*) {
    if (app.exitStarted) {
        DrawFailureMessage();
        return;
    }
    if (app.glyphRain != nullptr) app.glyphRain->update();
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    BindTexture("font.bmp");
    if (app.glyphRain != nullptr) app.glyphRain->draw();
}

}  // namespace

// GL contract: expects the resting state of gmInitGLState and GL_MODULATE. Leaves it, blending
// off if it turned it on, both matrices as they were, and GL_PROJECTION selected.
void gmDrawDesktop(float alpha) {
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_CULL_FACE);
    glDisable(GL_LIGHTING);
    glShadeModel(GL_FLAT);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    BindTexture("desktop.bmp");
    glEnableClientState(GL_COLOR_ARRAY);
    glDisableClientState(GL_NORMAL_ARRAY);

    // The capture fills the lower-left screen-sized corner of a texture with sides rounded up.
    const float u = static_cast<float>(app.screenWidth) /
                    static_cast<float>(RoundTextureSize(static_cast<std::uint32_t>(app.screenWidth)));
    const float v = static_cast<float>(app.screenHeight) /
                    static_cast<float>(RoundTextureSize(static_cast<std::uint32_t>(app.screenHeight)));
    const float positions[8] = {1.0f, -1.0f, -1.0f, -1.0f, -1.0f, 1.0f, 1.0f, 1.0f};
    const float texCoords[8] = {u, 0.0f, 0.0f, 0.0f, 0.0f, v, u, v};
    float colours[16];
    for (int i = 0; i < 4; ++i) {
        colours[4 * i] = colours[4 * i + 1] = colours[4 * i + 2] = 1.0f;
        colours[4 * i + 3] = alpha;
    }
    glVertexPointer(2, GL_FLOAT, 0, positions);
    glTexCoordPointer(2, GL_FLOAT, 0, texCoords);
    glColorPointer(4, GL_FLOAT, 0, colours);
    const bool blend = alpha < 1.0f;
    if (blend) {
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    }
    glDrawArrays(GL_QUADS, 0, 4);
    if (blend) glDisable(GL_BLEND);

    glEnable(GL_CULL_FACE);
    glEnable(GL_DEPTH_TEST);
    glEnableClientState(GL_NORMAL_ARRAY);
    glDisableClientState(GL_COLOR_ARRAY);
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glShadeModel(GL_SMOOTH);
    glEnable(GL_LIGHTING);
}

// GL contract: expects the window context current; returns with it current, "Screen.tga"
// bound and its matrices and states untouched. When the pbuffer cannot be released from the
// texture nothing is drawn and the texture keeps the previous picture.
void gmRenderScreen() {
    BindTexture("Screen.tga");
    gmRenderToPbuffer(DrawScreenPicture, nullptr);
}

// GL contract: expects the resting state of gmInitGLState. Leaves it with GL_MODULATE, both
// matrices at identity and GL_MODELVIEW selected; blending is not touched.
void gmDrawBanner() {
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_CULL_FACE);
    glDisable(GL_LIGHTING);
    glShadeModel(GL_FLAT);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    BindTexture("GM.raw");
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    // 23/24: the banner is 1/48 of the screen height tall, its first row at the top edge.
    DrawQuad({{0.0f, 0.0f, -0.25f, 1.0f},
              {1.0f, 0.0f, 0.25f, 1.0f},
              {1.0f, 1.0f, 0.25f, 0.9583333f},
              {0.0f, 1.0f, -0.25f, 0.9583333f}});
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_CULL_FACE);
    glEnable(GL_LIGHTING);
    glShadeModel(GL_SMOOTH);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
}

// GL contract: the preview context keeps identity matrices and GL_REPLACE; nothing is cleared.
// Leaves GL_TEXTURE_2D on and the picture bound.
bool gmPreview() {
    glEnable(GL_TEXTURE_2D);
    BindTexture("ASmallTexture1.jpg");
    // The picture covers the window from the bottom edge up to y = 0.83036.
    DrawQuad({{0.0f, 0.875f, -1.0f, -1.0f},
              {0.59375f, 0.875f, 1.0f, -1.0f},
              {0.59375f, 0.0f, 1.0f, 0.83036f},
              {0.0f, 0.0f, -1.0f, 0.83036f}});
    SwapBuffers(app.windowDC);
    return true;
}
