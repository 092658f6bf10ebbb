// The one-time loading of every asset from the program's resources, in both contexts, and the
// deletion of the scene objects after the frame loop.
#pragma once

// Makes the texture tree and, full screen, the light, the model tree, the pbuffer's textures
// and the glyph rain, with the window context current; returns with it current. 1 on success;
// 0 when the model tree refuses "output.gxu" or the banner's resource is missing or short.
int gmLoadStuff();
// Deletes the scene objects that exist: the texture tree, then the light list, the model tree
// and the glyph rain. Their OpenGL objects went with the contexts.
void gmFreeStuff();
