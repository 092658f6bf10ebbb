// The tests' seam into the run: a step whose outcome a test replaces by a failure, to drive the
// failure branches that a working system never takes.
#pragma once

// The steps whose failure has a branch of its own, named after the call each stands for.
enum class RunStep : int {
    DisplaySettings,  // EnumDisplaySettings at start
    DisplaySwitch,    // ChangeDisplaySettings to 32 bits per pixel
    CaptureBitmap,    // CreateCompatibleBitmap of the desktop capture
    CaptureCopy,      // BitBlt of the desktop capture
    CaptureBits,      // GetBitmapBits of the desktop capture
    MainWindow,       // CreateMainWindow, at start and when the window is made again
    PixelFormat,      // gmInitPixelFormat
    CreateContext,    // wglCreateContext of the window
    ActivateContext,  // wglMakeCurrent of the window context
    Extensions,       // gmInitExtensions
    Pbuffer,          // init_pbuffer as a whole
    ActivatePbuffer,  // wglMakeCurrent of the pbuffer context
    LoadStuff,        // gmLoadStuff
    Render,           // gmRender
    Preview,          // gmPreview
};

// Asked as each of those steps is about to run. When it answers true, the step fails as if its
// call had failed, without the call being made. Only tests set it: in the program it stays null
// and every step runs for real.
typedef bool (*StepFailureHook)(RunStep step);
inline StepFailureHook stepFailureHook = nullptr;

inline bool StepForcedToFail(RunStep step) {
    return stepFailureHook != nullptr && stepFailureHook(step);
}
