// The display mode: the check at start, the switch to 32 bits per pixel, the restore at exit.
#include "app/display.h"

#include "app/app_state.h"
#include "app/error_report.h"
#include "app/step_seam.h"

namespace {

// The change is not stored in the registry, so the restore brings the user's mode back.
bool SetDepth32() {
    DEVMODEA& mode = app.displaySettings;
    mode.dmBitsPerPel = 32;
    mode.dmFields |= DM_BITSPERPEL;
    // A record that names no size (the settings query failed) asks for the screen's current
    // one: some systems refuse a mode that names only its depth.
    if (!(mode.dmFields & DM_PELSWIDTH) || !(mode.dmFields & DM_PELSHEIGHT)) {
        mode.dmPelsWidth = static_cast<DWORD>(GetSystemMetrics(SM_CXSCREEN));
        mode.dmPelsHeight = static_cast<DWORD>(GetSystemMetrics(SM_CYSCREEN));
        mode.dmFields |= DM_PELSWIDTH | DM_PELSHEIGHT;
    }
    if (StepForcedToFail(RunStep::DisplaySwitch) ||
        ChangeDisplaySettingsA(&mode, 0) != DISP_CHANGE_SUCCESSFUL) {
        ShowError(kProductName, "Cannot set display mode to 32bit");
        return false;
    }
    app.displayChanged = true;
    return true;
}

}  // namespace

bool CheckDisplayMode() {
    app.displaySettings = DEVMODEA{};
    app.displaySettings.dmSize = sizeof(DEVMODEA);
    if (StepForcedToFail(RunStep::DisplaySettings) ||
        !EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &app.displaySettings)) {
        ShowError(kProductName, "EnumDisplaySettings: Could not detect display settings.");
        app.errorLog.append("EnumDisplaySettings: Could not detect display settings\n");
    }
    const DWORD depth = app.displaySettings.dmBitsPerPel;
    if (depth == 8) {
        ShowError(kProductName,
                  "This program can't operate with 256 colors desktops.\n"
                  "Recommended desktop's color depth is 32 bits per pixel.");
        return false;
    }
    if (depth < 16) {
        if (!SetDepth32()) return false;
        app.lowDepthSwitched = true;
    }
    return true;
}

bool SwitchFullScreenDepth() {
    if (app.displaySettings.dmBitsPerPel == 32) return true;
    return SetDepth32();
}

void RestoreDisplayMode() { ChangeDisplaySettingsA(nullptr, 0); }
