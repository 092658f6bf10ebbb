// The display mode: the check at start, the switch to 32 bits per pixel, the restore at exit.
#pragma once

// Reads the current mode, refuses a 256-colour desktop and switches a desktop below 16 bits
// to 32. Returns false when the program must end (its box has been shown).
bool CheckDisplayMode();
// Full screen, after the capture: puts the display at 32 bits if it is not there already.
// The capture keeps its own depth (desktopBytesPerPixel), which alone decides its conversion.
// Returns false when the program must end (its box has been shown).
bool SwitchFullScreenDepth();
// Returns the display to the mode stored in the registry.
void RestoreDisplayMode();
