// The glyph rain's OpenGL submission: the cells in one glDrawArrays, the spots in a second.
//
// GL contract: expects the pbuffer context's state (identity matrices, GL_TEXTURE_2D on with
// the glyph strip bound and GL_MODULATE, the vertex, texture-coordinate and colour arrays on,
// depth test, culling, lighting and blending off). Leaves that state as it found it, except
// that the current colour is black and the array pointers point into the rain's buffers.
#include <windows.h>
#include <GL/gl.h>

#include "scene/glyph_rain.h"

void GlyphRain::draw() {
    if (columnCount == 0) return;  // not even the spots
    const int vertices = buildCells();
    glColorPointer(4, GL_FLOAT, 0, cellColours());
    glVertexPointer(2, GL_FLOAT, 0, cellPositions());
    glTexCoordPointer(2, GL_FLOAT, 0, cellTexCoords());
    // Without depth test or blending a column later in the list covers an earlier one.
    glDrawArrays(GL_QUADS, 0, vertices);
    drawSpots();
}

void GlyphRain::drawSpots() {
    if (spotCount == 0) return;
    const int vertices = buildSpots();
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glDisableClientState(GL_COLOR_ARRAY);
    glColor3f(0.0f, 0.0f, 0.0f);
    glDisable(GL_TEXTURE_2D);
    glVertexPointer(2, GL_FLOAT, 0, spotPositions());
    glDrawArrays(GL_QUADS, 0, vertices);
    glEnable(GL_TEXTURE_2D);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
}
