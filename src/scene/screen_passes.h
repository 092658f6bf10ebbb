// Flat passes drawn in normalized device coordinates outside the 3D scene: the captured
// desktop, the monitor screen's pbuffer picture, the banner and the preview frame.
#pragma once

// The captured desktop ("desktop.bmp") over the whole window with the given opacity; 1 draws
// it opaque without blending, anything below 1 blends it over the frame.
void gmDrawDesktop(float alpha);
// Redraws the pbuffer (the glyph rain, or the failure message over the last rain picture once
// the exit has started) and binds it to "Screen.tga" in the window context.
void gmRenderScreen();
// The banner ("GM.raw") centred at the top edge, a quarter of the width wide.
void gmDrawBanner();
// The whole preview frame: the still picture, then the buffer swap. Always 1.
bool gmPreview();
