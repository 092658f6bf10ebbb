// The float AAN inverse DCT. Its input is prescaled (quantiser x AAN factors), so each 8-point
// pass needs five multiplications; the final division by 8 is left to the sample store.
#include "assets/jpeg_decoder.h"

namespace {

// One 8-point pass over x[0], x[stride], ..., x[7 * stride], in place.
void idct_pass(float* x, int stride) {
    const float x0 = x[0], x1 = x[stride], x2 = x[2 * stride], x3 = x[3 * stride];
    const float x4 = x[4 * stride], x5 = x[5 * stride], x6 = x[6 * stride], x7 = x[7 * stride];

    const float t10 = x0 + x4;
    const float t11 = x0 - x4;
    const float t13 = x2 + x6;
    const float t12 = (x2 - x6) * 1.4142135f - t13;
    const float e0 = t10 + t13;
    const float e3 = t10 - t13;
    const float e1 = t11 + t12;
    const float e2 = t11 - t12;

    const float z13 = x5 + x3;
    const float z10 = x5 - x3;
    const float z11 = x1 + x7;
    const float z12 = x1 - x7;
    const float o7 = z11 + z13;
    const float o11 = (z11 - z13) * 1.4142135f;
    const float z5 = (z10 + z12) * 1.847759f;
    const float o10 = z12 * 1.0823922f - z5;
    const float o12 = z10 * -2.613126f + z5;
    const float o6 = o12 - o7;
    const float o5 = o11 - o6;
    const float o4 = o10 + o5;

    x[0] = e0 + o7;
    x[7 * stride] = e0 - o7;
    x[stride] = e1 + o6;
    x[6 * stride] = e1 - o6;
    x[2 * stride] = e2 + o5;
    x[5 * stride] = e2 - o5;
    x[4 * stride] = e3 + o4;
    x[3 * stride] = e3 - o4;
}

}  // namespace

void jpeg_idct_float(float* block, std::uint64_t nonzero) {
    // An input of only x0 gives x0 at all eight outputs (x0 + 0 and x0 - 0 are exact), and
    // an all-zero input gives zeros, so such passes are replaced by copies.
    const std::uint64_t kColumn = 0x0101010101010101u;
    for (int column = 0; column < 8; ++column) {
        if ((nonzero & (kColumn << column)) == 0) continue;
        if ((nonzero & ((kColumn << 8) << column)) == 0) {
            for (int row = 1; row < 8; ++row) block[8 * row + column] = block[column];
        } else {
            idct_pass(block + column, 8);
        }
    }
    if ((nonzero & ~kColumn) == 0) {
        // Only column 0 held values: every row now holds just its x0.
        for (int row = 0; row < 8; ++row) {
            for (int column = 1; column < 8; ++column) block[8 * row + column] = block[8 * row];
        }
        return;
    }
    for (int row = 0; row < 8; ++row) idct_pass(block + 8 * row, 1);
}
