// The float AAN inverse DCT. Its input is prescaled (quantiser x AAN factors), so each 8-point
// pass needs five multiplications; the final division by 8 is left to the sample store.
// Four columns (or rows) go through a pass at once in SSE registers: each lane does exactly
// the single-precision operations of the one-at-a-time pass, so the results are the same.
#include <xmmintrin.h>

#include "assets/jpeg_decoder.h"

namespace {

// The 8-point butterfly on x[0..7], in place; T is float or four floats (__m128).
template <typename T>
void butterfly(T* x) {
    const T t10 = x[0] + x[4];
    const T t11 = x[0] - x[4];
    const T t13 = x[2] + x[6];
    const T t12 = (x[2] - x[6]) * 1.4142135f - t13;
    const T e0 = t10 + t13;
    const T e3 = t10 - t13;
    const T e1 = t11 + t12;
    const T e2 = t11 - t12;

    const T z13 = x[5] + x[3];
    const T z10 = x[5] - x[3];
    const T z11 = x[1] + x[7];
    const T z12 = x[1] - x[7];
    const T o7 = z11 + z13;
    const T o11 = (z11 - z13) * 1.4142135f;
    const T z5 = (z10 + z12) * 1.847759f;
    const T o10 = z12 * 1.0823922f - z5;
    const T o12 = z10 * -2.613126f + z5;
    const T o6 = o12 - o7;
    const T o5 = o11 - o6;
    const T o4 = o10 + o5;

    x[0] = e0 + o7;
    x[7] = e0 - o7;
    x[1] = e1 + o6;
    x[6] = e1 - o6;
    x[2] = e2 + o5;
    x[5] = e2 - o5;
    x[4] = e3 + o4;
    x[3] = e3 - o4;
}

// Columns 4h to 4h + 3 of the block, one per lane.
void column_pass(float* block, int h) {
    __m128 x[8];
    for (int k = 0; k < 8; ++k) x[k] = _mm_loadu_ps(block + 8 * k + 4 * h);
    butterfly(x);
    for (int k = 0; k < 8; ++k) _mm_storeu_ps(block + 8 * k + 4 * h, x[k]);
}

// Rows 4h to 4h + 3 of the block, one per lane: the two 4 x 4 tiles are transposed in and
// out of the registers.
void row_pass(float* block, int h) {
    float* rows = block + 32 * h;
    __m128 x[8];
    for (int k = 0; k < 4; ++k) {
        x[k] = _mm_loadu_ps(rows + 8 * k);
        x[k + 4] = _mm_loadu_ps(rows + 8 * k + 4);
    }
    _MM_TRANSPOSE4_PS(x[0], x[1], x[2], x[3]);
    _MM_TRANSPOSE4_PS(x[4], x[5], x[6], x[7]);
    butterfly(x);
    _MM_TRANSPOSE4_PS(x[0], x[1], x[2], x[3]);
    _MM_TRANSPOSE4_PS(x[4], x[5], x[6], x[7]);
    for (int k = 0; k < 4; ++k) {
        _mm_storeu_ps(rows + 8 * k, x[k]);
        _mm_storeu_ps(rows + 8 * k + 4, x[k + 4]);
    }
}

}  // namespace

void jpeg_idct_float(float* block, std::uint64_t nonzero) {
    const std::uint64_t kColumn = 0x0101010101010101u;
    if ((nonzero & ~kColumn) == 0) {
        // Only column 0 holds values. An input of only x0 gives x0 at all eight outputs
        // (x0 + 0 and x0 - 0 are exact), so the other columns stay 0 and each row of the
        // result is its x0 repeated.
        float column[8];
        for (int k = 0; k < 8; ++k) column[k] = block[8 * k];
        butterfly(column);
        for (int row = 0; row < 8; ++row) {
            for (int j = 0; j < 8; ++j) block[8 * row + j] = column[row];
        }
        return;
    }
    column_pass(block, 0);
    column_pass(block, 1);
    row_pass(block, 0);
    row_pass(block, 1);
}
