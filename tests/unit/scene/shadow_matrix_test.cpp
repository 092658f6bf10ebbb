// The silhouette's matrix for the program's light and plane, entry by entry, and where it
// puts a model's points: at half size, moved to the left.
#include "scene/shadow_matrix.h"

#include <gtest/gtest.h>

namespace {

const float kPlane[4] = {0, 0, 1, 100};
const float kLight[4] = {5, 0, 1, 1};

TEST(ShadowMatrix, NormalisesThePlaneByAllFourComponents) {
    float n[4];
    normalize_plane(kPlane, n);
    EXPECT_EQ(n[0], 0.0f);
    EXPECT_EQ(n[1], 0.0f);
    EXPECT_NEAR(n[2], 0.0099995, 1e-7);
    EXPECT_NEAR(n[3], 0.99995, 1e-6);
}

TEST(ShadowMatrix, MatchesTheTableForTheProgramsLight) {
    // By rows, as written down; the matrix itself is column-major.
    const double rows[4][4] = {
        {1.0099495, 0, 0.0499975, -4.9997500},
        {0, 1.0099495, 0, 0},
        {0, 0, 1.0199490, 0.9999500},
        {0, 0, 0.0099995, 2.0098990},
    };
    float s[16];
    shadow_matrix(kPlane, kLight, s);
    for (int row = 0; row < 4; ++row)
        for (int column = 0; column < 4; ++column)
            EXPECT_NEAR(s[4 * column + row], rows[row][column], 2e-6)
                << "row " << row << " column " << column;
}

TEST(ShadowMatrix, PutsPointsAtHalfSizeMovedLeft) {
    float s[16];
    shadow_matrix(kPlane, kLight, s);
    // In the plane z = 0; deeper points move a little further (w = 2.0099 + 0.01 z).
    const float points[][3] = {{0, 0, 0}, {2, 1.5f, 0}, {-2, -1.5f, 0}, {2.7f, 2.3f, 0}};
    for (const auto& p : points) {
        float out[4];
        for (int row = 0; row < 4; ++row)
            out[row] = s[row] * p[0] + s[4 + row] * p[1] + s[8 + row] * p[2] + s[12 + row];
        const float x = out[0] / out[3];
        const float y = out[1] / out[3];
        EXPECT_NEAR(x, 0.5f * p[0] - 2.49f, 0.015f) << p[0] << " " << p[1] << " " << p[2];
        EXPECT_NEAR(y, 0.5f * p[1], 0.01f) << p[0] << " " << p[1] << " " << p[2];
    }
}

}  // namespace
