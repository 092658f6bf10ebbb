// Flat passes drawn in normalized device coordinates outside the 3D scene.
#include "scene/screen_passes.h"

#include <windows.h>
#include <GL/gl.h>

#include "app/app_state.h"

bool gmPreview() {
    // The preview context keeps identity matrices; nothing is cleared, the picture covers the
    // window from the bottom edge up to y = 0.83036.
    glEnable(GL_TEXTURE_2D);
    glBegin(GL_QUADS);
    glTexCoord2f(0.0f, 0.875f);
    glVertex2f(-1.0f, -1.0f);
    glTexCoord2f(0.59375f, 0.875f);
    glVertex2f(1.0f, -1.0f);
    glTexCoord2f(0.59375f, 0.0f);
    glVertex2f(1.0f, 0.83036f);
    glTexCoord2f(0.0f, 0.0f);
    glVertex2f(-1.0f, 0.83036f);
    glEnd();
    SwapBuffers(app.windowDC);
    return true;
}
