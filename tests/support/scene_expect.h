// The expectations on a complete full-screen frame, once the desktop has dissolved, shared by
// the unit tests' read-backs and the end-to-end screenshots.
#pragma once

#include <gtest/gtest.h>

#include "support/scene_picture.h"

namespace scene {

// The banner at the top centre with the desktop beside it; the monitor in the middle, about
// half the screen wide, lit, its screen raining green glyph columns with white heads and no
// message; its silhouette on the side away from the light.
inline void ExpectCompleteScene(const SceneParts& parts, int width, int height) {
    EXPECT_GE(parts.bannerShare, 0.97);
    EXPECT_GE(parts.besideBanner, 0.99);
    EXPECT_NEAR((parts.model.left + parts.model.right) / 2, width / 2, width / 10);
    EXPECT_NEAR((parts.model.top + parts.model.bottom) / 2, height / 2, height / 8);
    EXPECT_GT(parts.model.width(), width / 3);
    EXPECT_LT(parts.model.width(), width * 3 / 4);
    EXPECT_GT(parts.casingLight, 120.0);
    EXPECT_GT(parts.green, 300);
    EXPECT_GT(parts.white, 15);
    EXPECT_EQ(parts.messageCells, 0);
    EXPECT_GT(parts.silhouette, 20000);
    EXPECT_GT(parts.silhouetteLeft, parts.silhouette * 9 / 10);
    EXPECT_GT(parts.desktopShare, 0.4);
}

}  // namespace scene
