// Whether the pointer is on one of the About box's links.
#include "app/link_hit.h"

bool IsOnLink(const LinkRect& link, long x, long y) {
    return link.left <= x && x <= link.right && link.top <= y && y <= link.bottom;
}
