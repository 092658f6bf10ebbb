// The end-to-end test driver: starts the screen saver as a user's system would, finds its
// windows and message boxes, reads and presses them, sends real input, and looks at the screen.
// Runs under wine64 on the same display as the saver.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace e2e {

// How long the tests wait for anything the saver does: far more than a loaded 2-core machine
// needs, so that only a saver that never does it fails.
const DWORD kPatienceMs = 60000;

// The screen saver under test: $VELOTH_SCR, or the one this build made.
std::string SaverPath();

// A started screen-saver process. Ends the process if it is still running when destroyed.
class SaverProcess {
public:
    SaverProcess() = default;
    ~SaverProcess();
    SaverProcess(const SaverProcess&) = delete;
    SaverProcess& operator=(const SaverProcess&) = delete;

    // Starts "<saver path>" followed by one blank and args (if any).
    bool start(const std::string& args);
    DWORD pid() const { return pid_; }
    bool running() const;
    // Waits up to timeoutMs; true with the exit code when the process ended.
    bool waitForExit(DWORD timeoutMs, DWORD* exitCode);

private:
    HANDLE process_ = nullptr;
    DWORD pid_ = 0;
};

// Waits up to ms for the saver to end while this thread answers messages: the saver's windows
// wait on this thread's windows (a preview's parent, the About box's owner). True with the
// exit code when it ended.
bool EndsWithin(SaverProcess& saver, DWORD ms, DWORD* code);

// Milliseconds since an arbitrary start, at the best resolution Wine gives.
double NowMs();
void SleepMs(DWORD ms);

// A top-level window of the process with this class ("#32770" for message boxes), or a child
// of parent when parent is given. Waits up to timeoutMs. Null when none appeared.
HWND WaitForWindow(DWORD pid, const char* className, DWORD timeoutMs, HWND parent = nullptr);
// True when the window is gone (or never existed) within timeoutMs.
bool WaitForWindowGone(HWND window, DWORD timeoutMs);

std::string WindowText(HWND window);
std::string ClassName(HWND window);

struct MessageBoxText {
    HWND box = nullptr;
    std::string title;
    std::string text;
    bool errorIcon = false;   // the screen shows the box's error icon (a red one)
    bool topMost = false;     // the box stands in the top-most band, with full-screen windows
    bool uncovered = false;   // no window above the box in the window order overlaps it
    bool foreground = false;  // the box is the foreground window, so the keyboard reaches it
};
// Waits for a message box of the process and reads its title, message, icon and place.
bool WaitForMessageBox(DWORD pid, DWORD timeoutMs, MessageBoxText* out);
// Presses the box's OK button as a user would.
void PressOk(HWND box);

// Real input through the system's input queue, as hardware input arrives.
void MoveMouse(int x, int y);
void ClickMouse();
// A click that carries its own position: it lands there even while earlier pointer moves are
// still on their way.
void ClickAt(int x, int y, bool right = false);
void PressKey(WORD virtualKey);
void PressKeyWithAlt(WORD virtualKey);

// A picture of the whole screen, 32 bits per pixel, top row first.
struct Screenshot {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> bgrx;
    COLORREF pixel(int x, int y) const;  // RGB(...) of the pixel
    bool save_bmp(const std::string& path) const;
};
Screenshot CaptureScreen();
// The share of pixels in the rectangle whose colour is within tolerance of colour.
double ShareOfColour(const Screenshot& shot, const RECT& area, COLORREF colour, int tolerance);

// Starts the full-screen saver and waits, as long as timeoutMs, until it draws: its first
// window gone (the saver makes it again with a multisampled format), the new one shown, and
// the screen changed from what it showed before the start by at least the monitor's share
// (the saver's frames show the desktop around it). Returns the drawing window, or null.
HWND StartFullScreen(SaverProcess& saver, DWORD timeoutMs);

// Makes a visible top-level window of this process, standing in for the Display Properties
// preview area (or for any other application's window).
HWND CreateHostWindow(int x, int y, int width, int height);
// Dispatches this thread's messages for ms milliseconds (the host window needs it).
void PumpMessages(DWORD ms);

}  // namespace e2e
