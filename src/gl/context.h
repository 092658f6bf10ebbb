// The main window's pixel format, its rendering context and the resting GL state.
#pragma once

// SetPixelFormat with the program's request; the multisampled format when one was found.
bool gmInitPixelFormat();
// Pixel format, context creation and activation; each failing step logs its own line.
bool gmInitOpenGL();
// The viewport, and full screen the state every pass returns to.
void gmInitGLState();
// Releases the pbuffer (full screen), the rendering context and the window DC. Always 1.
int gmCloseOpenGL();
