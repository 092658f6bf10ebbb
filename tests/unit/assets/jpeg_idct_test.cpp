// The inverse DCT: skipping the passes over all-zero inputs changes no bit of the result, and
// the transform is the inverse DCT (against a direct double-precision evaluation).
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>

#include "assets/jpeg_decoder.h"

namespace {

const float kAan[8] = {1.0f, 1.3870399f,  1.306563f,  1.1758755f,
                       1.0f, 0.78569496f, 0.5411961f, 0.27589938f};

TEST(JpegIdct, SkippedPassesChangeNoBit) {
    std::mt19937 random(7);
    for (int round = 0; round < 2000; ++round) {
        // Few non-zero values, mostly near the top-left, as in real blocks; some DC-only.
        float sparse[64] = {};
        std::uint64_t nonzero = 1;
        sparse[0] = static_cast<float>(static_cast<int>(random() % 4001) - 2000);
        const int count = static_cast<int>(random() % 6);
        for (int i = 0; i < count; ++i) {
            const int n = (round % 2) ? static_cast<int>(random() % 64)
                                      : static_cast<int>(random() % 3) * 8;  // column 0 only
            sparse[n] = static_cast<float>(static_cast<int>(random() % 601) - 300) * 1.3f;
            nonzero |= std::uint64_t{1} << n;
        }
        float full[64];
        std::memcpy(full, sparse, sizeof full);
        jpeg_idct_float(sparse, nonzero);
        jpeg_idct_float(full, ~std::uint64_t{0});
        ASSERT_EQ(0, std::memcmp(sparse, full, sizeof full)) << "round " << round;
    }
}

TEST(JpegIdct, IsTheInverseDctTimesEight) {
    std::mt19937 random(11);
    for (int round = 0; round < 50; ++round) {
        double coefficients[64];
        float block[64];
        for (int n = 0; n < 64; ++n) {
            coefficients[n] = static_cast<double>(static_cast<int>(random() % 201) - 100);
            block[n] = static_cast<float>(coefficients[n]) * kAan[n & 7] * kAan[n >> 3];
        }
        jpeg_idct_float(block, ~std::uint64_t{0});
        const double pi = std::acos(-1.0);
        for (int y = 0; y < 8; ++y) {
            for (int x = 0; x < 8; ++x) {
                double sum = 0.0;
                for (int v = 0; v < 8; ++v) {
                    for (int u = 0; u < 8; ++u) {
                        const double cu = u == 0 ? std::sqrt(0.5) : 1.0;
                        const double cv = v == 0 ? std::sqrt(0.5) : 1.0;
                        sum += cu * cv * coefficients[8 * v + u] *
                               std::cos((2 * x + 1) * u * pi / 16) *
                               std::cos((2 * y + 1) * v * pi / 16);
                    }
                }
                // T.81 gives sum / 4; the transform leaves a factor 8 to the sample store.
                EXPECT_NEAR(block[8 * y + x], 2.0 * sum, 0.05) << x << "," << y;
            }
        }
    }
}

}  // namespace
