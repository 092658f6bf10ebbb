// The matrix that flattens the model into its stencil silhouette, from a plane and the light.
// Portable: no OpenGL.
#pragma once

// out = plane divided by the length of all four of its components.
void normalize_plane(const float plane[4], float out[4]);

// 16 floats in OpenGL's column-major order (entry 4 x column + row): with n the normalised
// plane and k = n . light over all four components, entry = k (on the diagonal) +
// light[row] x n[column], except column 3 row 0, which is -light.x x n.w. The signs are the
// silhouette's: for the light (5, 0, 1, 1) and the plane z = -100 it lands a model point at
// about half its distance from the origin, moved left by about 2.49.
void shadow_matrix(const float plane[4], const float light[4], float out[16]);
