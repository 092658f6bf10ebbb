// Message boxes for failures the user must see at once, and for the error log at exit.
#include "app/error_report.h"

#include <cstring>

const char kProductName[] = "A Veloth 3D Screen Saver";

namespace {

const UINT kBoxStyle = MB_OK | MB_ICONERROR | MB_TOPMOST | MB_SETFOREGROUND;

// Some message-box implementations (Wine's among them) ignore MB_TOPMOST; the box is then
// raised into the top-most band here, as it is activated, so that the user can reach its
// button above the full-screen window wherever the program runs.
LRESULT CALLBACK RaiseBox(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE) {
        HWND window = reinterpret_cast<HWND>(wParam);
        char className[16] = {};
        GetClassNameA(window, className, sizeof(className));
        if (std::strcmp(className, "#32770") == 0)
            SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

int ShowError(const char* caption, const char* text) {
    HHOOK hook = SetWindowsHookExA(WH_CBT, RaiseBox, nullptr, GetCurrentThreadId());
    const int result = MessageBoxA(nullptr, text, caption, kBoxStyle);
    if (hook != nullptr) UnhookWindowsHookEx(hook);
    return result;
}
