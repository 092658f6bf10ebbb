// The program's entry point: the whole run as the system's command line asks for it.
#include <windows.h>

#include "app/run.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    // The whole line, program path included: the switch parser skips the path itself.
    return RunScreenSaver(instance, GetCommandLineA());
}
