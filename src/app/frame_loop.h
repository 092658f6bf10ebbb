// The message loop that draws a frame whenever the queue is empty, the frame clock and the
// composition of a full-screen frame.
#pragma once

// Seconds since the last reset (reset = 1 restarts the clock and returns 0).
float gmGetTime(int reset);
// One full-screen frame. Always 1.
bool gmRender();
// Runs until WM_QUIT. Draws only while nothing has failed and the preview's parent stayed.
void RunFrameLoop();
