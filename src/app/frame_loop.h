// The message loop that draws a frame whenever the queue is empty, and the composition of a
// full-screen frame.
#pragma once

// One full-screen frame. Always 1.
bool gmRender();
// Runs until WM_QUIT. Draws only while nothing has failed and the preview's parent stayed.
void RunFrameLoop();
