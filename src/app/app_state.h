// AppState: the one program-wide record of plain global state.
#pragma once

#include <windows.h>

#include "app/error_log.h"
#include "app/run_mode.h"
#include "gl/pbuffer.h"

class Texture;
class Light;
class Model;
class GlyphRain;

struct AppState {
    RunMode runMode = RunMode::Configure;
    HINSTANCE instance = nullptr;
    HWND parentWindow = nullptr;  // the preview's parent, the About box's owner
    HWND mainWindow = nullptr;
    HDC windowDC = nullptr;
    HGLRC renderContext = nullptr;
    int screenWidth = 0;   // full screen: the desktop; preview: the child's client area
    int screenHeight = 0;

    DEVMODEA displaySettings = {};
    bool displayChanged = false;    // restore the display mode at exit
    bool lowDepthSwitched = false;  // the display was below 16 bits and was switched to 32
    unsigned char* desktopPixels = nullptr;
    int desktopBytesPerPixel = 0;
    bool desktopWords555 = false;  // a 16-bit capture in 5-5-5 rather than 5-6-5

    bool previewWaiting = false;
    bool quitDuringWait = false;
    bool failed = false;
    bool windowRecreating = false;

    float frameTime = 0.0f;  // seconds, read once per full-screen frame
    int exitStarted = 0;
    int exitTimeUp = 0;
    int spacePressed = 0;
    float exitStartTime = 0.0f;
    int lastMouseX = -1;  // the first recorded mouse position
    int lastMouseY = -1;
    float desktopFade = 1.0f;

    char browserCommand[512] = {};
    DWORD clockBase = 0;  // the tick count at the frame clock's last reset
    ErrorLog errorLog;

    bool multisampleAvailable = false;
    int multisampleFormat = 0;
    Pbuffer pbuffer = {};

    Texture* textureRoot = nullptr;
    Light* lightList = nullptr;
    Model* modelRoot = nullptr;
    GlyphRain* glyphRain = nullptr;
};

extern AppState app;
