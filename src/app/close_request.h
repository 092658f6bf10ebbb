// How the run asks for its end: a close posted between frames, and a failure after the window
// exists.
#pragma once

// Posts WM_CLOSE to the main window; its destruction then releases OpenGL and posts the quit.
// When there is no main window (its replacement could not be made), no destruction would ever
// post that quit and a close sent nowhere would reach no window, so the quit is posted instead.
void PostClose();

// A failure after the window exists: one line in the log, the flag, and the close.
void FailAndClose(const char* logLine);
