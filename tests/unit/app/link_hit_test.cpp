// The pointer on a link: a control's rectangle counts with all four of its edges.
#include "app/link_hit.h"

#include <gtest/gtest.h>

namespace {

struct HitCase {
    const char* name;
    long x, y;
    bool on;
};

TEST(IsOnLink, EdgesIncludedOnAllFourSides) {
    const LinkRect link = {122, 45, 277, 59};
    const HitCase cases[] = {
        {"inside", 200, 50, true},
        {"left edge", 122, 50, true},
        {"right edge", 277, 50, true},
        {"top edge", 200, 45, true},
        {"bottom edge", 200, 59, true},
        {"top-left corner", 122, 45, true},
        {"bottom-right corner", 277, 59, true},
        {"left of it", 121, 50, false},
        {"right of it", 278, 50, false},
        {"above", 200, 44, false},
        {"below", 200, 60, false},
        {"diagonally past the corner", 278, 60, false},
    };
    for (const HitCase& c : cases) EXPECT_EQ(IsOnLink(link, c.x, c.y), c.on) << c.name;
}

}  // namespace
