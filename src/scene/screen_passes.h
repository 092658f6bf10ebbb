// Flat passes drawn in normalized device coordinates outside the 3D scene.
#pragma once

// The whole preview frame: the still picture, then the buffer swap. Always 1.
bool gmPreview();
