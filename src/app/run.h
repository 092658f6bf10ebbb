// The run's whole life, from the command line to the shutdown: the start-up steps in their
// fixed order, the frame loop, and the shutdown that puts the user's display back.
#pragma once

#include <windows.h>

// Runs the screen saver as the command line asks (the whole line, program path included) and
// returns the program's exit code, which is always 0.
int RunScreenSaver(HINSTANCE instance, const char* commandLine);
