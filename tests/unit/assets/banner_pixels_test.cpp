// The banner's raw picture expanded into 4-byte pixels: every pixel in its place with alpha
// 255, exactly the picture's bytes read, and a source too short for the picture refused.
#include "assets/banner_pixels.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// Source byte i: distinct enough that a pixel read from the wrong place shows.
unsigned char SourceByte(std::size_t i) { return static_cast<unsigned char>((i * 7 + i / 768) & 0xFF); }

TEST(BannerPixels, EverySourcePixelLandsInItsPlaceWithAlpha255) {
    // Exactly the picture, and longer ones whose tail is not part of it.
    for (std::size_t extra : {std::size_t{0}, std::size_t{1}, std::size_t{3}, std::size_t{4096}}) {
        // Sized exactly, so that the sanitizer sees a read past the end.
        std::vector<unsigned char> source(kBannerSourceBytes + extra);
        for (std::size_t i = 0; i < source.size(); ++i) source[i] = SourceByte(i);
        std::vector<unsigned char> rgba(kBannerPixelBytes, 0xCD);
        ASSERT_TRUE(ExpandBannerPixels(source.data(), source.size(), rgba.data())) << extra;
        int wrong = 0;
        for (int row = 0; row < kBannerHeight; ++row) {
            for (int column = 0; column < kBannerWidth; ++column) {
                const std::size_t from = (static_cast<std::size_t>(row) * kBannerWidth + column) * 3;
                const unsigned char* to = &rgba[(static_cast<std::size_t>(row) * kBannerWidth + column) * 4];
                if ((to[0] != source[from] || to[1] != source[from + 1] ||
                     to[2] != source[from + 2] || to[3] != 255) && ++wrong <= 3)
                    ADD_FAILURE() << "pixel " << column << ", " << row << " with " << extra << " extra";
            }
        }
        EXPECT_EQ(wrong, 0);
    }
}

TEST(BannerPixels, ShortOrAbsentSourceIsRefusedWithoutTouchingTheBuffer) {
    const struct {
        std::size_t bytes;
        bool present;
    } cases[] = {{0, true}, {1, true}, {kBannerSourceBytes - 1, true}, {kBannerSourceBytes, false}};
    for (const auto& c : cases) {
        std::vector<unsigned char> source(c.bytes == 0 ? 1 : c.bytes, 0x55);
        std::vector<unsigned char> rgba(kBannerPixelBytes, 0xCD);
        EXPECT_FALSE(ExpandBannerPixels(c.present ? source.data() : nullptr, c.bytes, rgba.data()))
            << c.bytes;
        EXPECT_EQ(rgba, std::vector<unsigned char>(kBannerPixelBytes, 0xCD)) << c.bytes;
    }
}

}  // namespace
