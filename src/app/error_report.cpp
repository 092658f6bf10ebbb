// Message boxes for failures the user must see at once, and for the error log at exit.
#include "app/error_report.h"

const char kProductName[] = "A Veloth 3D Screen Saver";

int ShowError(const char* caption, const char* text) {
    return MessageBoxA(nullptr, text, caption, MB_OK | MB_ICONERROR);
}
