// The silhouette's flattening matrix.
#include "scene/shadow_matrix.h"

#include <cmath>

void normalize_plane(const float plane[4], float out[4]) {
    const float length = std::sqrt(plane[0] * plane[0] + plane[1] * plane[1] +
                                   plane[2] * plane[2] + plane[3] * plane[3]);
    for (int i = 0; i < 4; ++i) out[i] = plane[i] / length;
}

void shadow_matrix(const float plane[4], const float light[4], float out[16]) {
    float n[4];
    normalize_plane(plane, n);
    const float k = n[0] * light[0] + n[1] * light[1] + n[2] * light[2] + n[3] * light[3];
    for (int column = 0; column < 4; ++column)
        for (int row = 0; row < 4; ++row)
            out[4 * column + row] = (row == column ? k : 0.0f) + light[row] * n[column];
    out[12] = -light[0] * n[3];
}
