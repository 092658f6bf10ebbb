// Whether the pointer is on one of the About box's links. Portable: plain arithmetic only.
#pragma once

// A link control's window rectangle in screen coordinates, as the system reports it.
struct LinkRect {
    long left;
    long top;
    long right;
    long bottom;
};

// True when the point lies in the rectangle, its edges included on all four sides: the pixel
// column at `right` and the row at `bottom` count too.
bool IsOnLink(const LinkRect& link, long x, long y);

