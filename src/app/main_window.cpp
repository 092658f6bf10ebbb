// The one window the program draws into, and its window procedure: full screen a top-most
// borderless popup whose first input starts the exit, in the preview a child that shows
// "Loading..." for half a second.
#include "app/main_window.h"

#include "app/app_state.h"
#include "app/close_request.h"
#include "app/error_report.h"
#include "app/input.h"
#include "app/step_seam.h"
#include "gl/context.h"

namespace {

const char kClassName[] = "MyClass";
const UINT_PTR kLoadingTimer = 1;

void RegisterMainClass() {
    const bool saver = app.runMode == RunMode::Saver;
    WNDCLASSA wc = {};
    wc.style = saver ? CS_VREDRAW : 0;
    wc.lpfnWndProc = MainWndProc;
    wc.hInstance = app.instance;
    wc.hCursor = saver ? nullptr : LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = saver ? nullptr : static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
    wc.lpszClassName = kClassName;
    RegisterClassA(&wc);
}

void PaintLoadingText(HWND window) {
    RECT client;
    GetClientRect(window, &client);
    FillRect(app.windowDC, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    const char text[] = "Loading...";
    const int length = static_cast<int>(sizeof(text) - 1);
    SIZE extent = {};
    GetTextExtentPoint32A(app.windowDC, text, length, &extent);
    SetTextColor(app.windowDC, RGB(255, 255, 255));
    SetBkColor(app.windowDC, RGB(0, 0, 0));
    TextOutA(app.windowDC, client.right / 2 - extent.cx / 2, client.bottom / 2 - extent.cy / 2,
             text, length);
}

// Returns true when the message is swallowed (handled without the default procedure).
bool HandleSaverMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    bool input = false;
    switch (message) {
        case WM_DESTROY:
            // While the window is being replaced for a multisampled format, its destruction
            // is not the end of the program.
            if (!app.windowRecreating) {
                gmCloseOpenGL();
                PostQuitMessage(0);
            }
            break;
        case WM_ACTIVATEAPP:
            if (wParam == FALSE) PostClose();
            break;
        case WM_POWERBROADCAST:
            if (wParam == PBT_APMSUSPEND) PostClose();
            break;
        case WM_SYSCOMMAND:
            if (wParam == SC_NEXTWINDOW || wParam == SC_PREVWINDOW || wParam == SC_CLOSE ||
                wParam == SC_SCREENSAVE)
                return true;
            break;
        case WM_MOUSEMOVE:
            input = IsMouseInput(app, lParam);
            break;
        case WM_KEYDOWN:
            if (wParam == VK_SPACE) app.spacePressed = 1;
            input = true;
            break;
        case WM_SYSKEYDOWN:
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
            input = true;
            break;
        default:
            break;
    }
    if (input && OnUserInput(app)) PostClose();
    return false;
}

void HandlePreviewMessage(HWND window, UINT message) {
    switch (message) {
        case WM_USER:
            SetTimer(window, kLoadingTimer, 500, nullptr);
            break;
        case WM_TIMER:
            app.previewWaiting = false;
            KillTimer(window, kLoadingTimer);
            break;
        case WM_DESTROY:
            gmCloseOpenGL();
            PostQuitMessage(0);
            break;
        case WM_PAINT:
            PaintLoadingText(window);
            break;
        default:
            break;
    }
}

}  // namespace

HWND CreateMainWindow() {
    if (StepForcedToFail(RunStep::MainWindow)) return nullptr;
    RegisterMainClass();
    if (app.runMode == RunMode::Saver) {
        return CreateWindowExA(WS_EX_APPWINDOW | WS_EX_TOPMOST, kClassName, kProductName,
                               WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, 0, 0,
                               app.screenWidth, app.screenHeight, nullptr, nullptr,
                               app.instance, nullptr);
    }

    // The child starts a menu bar's height above the parent's client area, as the system's
    // own savers do, and the viewport covers that band too.
    RECT rect = {};
    GetClientRect(app.parentWindow, &rect);
    AdjustWindowRect(&rect, WS_CHILD | WS_VISIBLE, TRUE);
    HWND window = CreateWindowExA(0, kClassName, "A Veloth", WS_CHILD | WS_VISIBLE, rect.left,
                                  rect.top, rect.right - rect.left, rect.bottom - rect.top,
                                  app.parentWindow, nullptr, app.instance, nullptr);
    if (window != nullptr) {
        RECT client = {};
        GetClientRect(window, &client);
        app.screenWidth = client.right;
        app.screenHeight = client.bottom;
    }
    return window;
}

LRESULT CALLBACK MainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (app.runMode == RunMode::Saver) {
        if (HandleSaverMessage(message, wParam, lParam)) return 0;
    } else if (app.runMode == RunMode::Preview) {
        HandlePreviewMessage(window, message);
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void RunPreviewWait() {
    app.previewWaiting = true;
    PostMessageA(app.mainWindow, WM_USER, 0, 0);
    MSG msg;
    while (app.previewWaiting) {
        const BOOL result = GetMessageA(&msg, app.mainWindow, 0, 0);
        if (result == 0 || result == -1) {
            app.quitDuringWait = true;
            PostQuitMessage(0);
            break;
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}
