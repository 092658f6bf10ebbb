// The one window the program draws into, and its window procedure.
#pragma once

#include <windows.h>

// Registers the class (a second registration fails harmlessly and the existing class is used)
// and creates the window for the current run mode. Returns null on failure.
HWND CreateMainWindow();

LRESULT CALLBACK MainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The preview shows "Loading..." for half a second before OpenGL starts. A parent that goes
// away meanwhile (GetMessage fails or quits) sets quitDuringWait and posts the quit.
void RunPreviewWait();
