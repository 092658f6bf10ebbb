// The desktop's picture: captured before the full-screen window opens, turned into the
// texture "desktop.bmp" once OpenGL runs.
#pragma once

// Copies the whole screen into desktopPixels and sets screenWidth, screenHeight and
// desktopBytesPerPixel (and desktopWords555 for 16-bit words). A failure shows its own box
// and returns false.
bool GetDesktopBits();
// Makes "desktop.bmp" from the capture (bottom-up, in the lower-left corner of a texture of
// RoundTextureSize sides) and frees the capture. Needs the window context current and
// textureRoot made.
void gmLoadDesktop();
