// Message boxes for failures the user must see at once, and for the error log at exit.
#pragma once

#include <windows.h>

extern const char kProductName[];  // "A Veloth 3D Screen Saver": every box's title

// An error box with no owner, one OK button and the error icon. It comes up top-most and in
// the foreground: the full-screen window is top-most too and may still cover the screen.
int ShowError(const char* caption, const char* text);
