// The desktop texture's size rule and the conversion of every captured layout, on small
// synthetic captures.
#include "app/desktop_pixels.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(RoundTextureSize, PowersOfTwoUpTo4096ThenExact) {
    const struct {
        std::uint32_t side, expected;
    } cases[] = {
        {0, 512},       {1, 512},       {512, 512},       {513, 1024},       {768, 1024},
        {1024, 1024},   {1280, 2048},   {2048, 2048},     {2049, 4096},      {4096, 4096},
        {4097, 4097},   {7680, 7680},   {0xFFFFFFFFu, 0xFFFFFFFFu},
    };
    for (const auto& c : cases) EXPECT_EQ(RoundTextureSize(c.side), c.expected) << c.side;
}

TEST(DesktopCaptureBytes, RowsPadToEvenBytesAndTotalsStayReadable) {
    const struct {
        int width, height, bytesPerPixel;
        bool ok;
        std::size_t bytes;
    } cases[] = {
        {1280, 1024, 4, true, 5242880},
        {1024, 768, 2, true, 1572864},
        {1, 1, 2, true, 2},
        {4, 2, 3, true, 24},
        {3, 2, 3, true, 20},  // 9 bytes a row, padded to 10
        {1, 5, 3, true, 20},
        {65535, 8192, 4, true, 2147450880u},
        {65536, 8192, 4, false, 0},  // 2^31 bytes: past what one read can take
        {0x7fffffff, 0x7fffffff, 4, false, 0},
        {0x7fffffff, 1, 3, false, 0},
        {0, 768, 4, false, 0},
        {1024, 0, 4, false, 0},
        {-1024, 768, 4, false, 0},
        {1024, -768, 4, false, 0},
        {1024, 768, 1, false, 0},  // 256 colours: no layout to convert
        {1024, 768, 0, false, 0},
        {1024, 768, 5, false, 0},
    };
    for (const auto& c : cases) {
        std::size_t bytes = 12345;
        EXPECT_EQ(DesktopCaptureBytes(c.width, c.height, c.bytesPerPixel, &bytes), c.ok)
            << c.width << "x" << c.height << "x" << c.bytesPerPixel;
        EXPECT_EQ(bytes, c.ok ? c.bytes : 12345u) << c.width << "x" << c.height;
    }
}

struct Rgb {
    unsigned char r, g, b;
};

const unsigned char kUntouched = 0xAB;

// A texture larger than the capture, filled with a value the conversion never writes.
std::vector<unsigned char> SentinelTexture(std::uint32_t width, std::uint32_t height) {
    return std::vector<unsigned char>(static_cast<std::size_t>(width) * height * 4, kUntouched);
}

// The screen's pixels (top row first) stand bottom-up in the lower-left corner, alpha 255;
// everything else is as it was.
void ExpectCorner(const std::vector<unsigned char>& texture, std::uint32_t textureWidth,
                  std::uint32_t textureHeight, int width, int height,
                  const std::vector<Rgb>& screen, const char* label) {
    for (std::uint32_t row = 0; row < textureHeight; ++row) {
        for (std::uint32_t col = 0; col < textureWidth; ++col) {
            const unsigned char* t = &texture[(row * textureWidth + col) * 4];
            if (row < static_cast<std::uint32_t>(height) && col < static_cast<std::uint32_t>(width)) {
                const Rgb& s = screen[(height - 1 - row) * width + col];
                EXPECT_EQ(t[0], s.r) << label << " row " << row << " col " << col;
                EXPECT_EQ(t[1], s.g) << label << " row " << row << " col " << col;
                EXPECT_EQ(t[2], s.b) << label << " row " << row << " col " << col;
                EXPECT_EQ(t[3], 255) << label << " row " << row << " col " << col;
            } else {
                for (int k = 0; k < 4; ++k)
                    EXPECT_EQ(t[k], kUntouched) << label << " row " << row << " col " << col;
            }
        }
    }
}

struct LayoutCase {
    const char* label;
    int width, height, bytesPerPixel;
    bool words555;
    std::vector<unsigned char> capture;  // as GetBitmapBits leaves it, top row first
    std::vector<Rgb> screen;             // what the user saw, top row first
};

const LayoutCase kLayouts[] = {
    {"32-bit B,G,R,X",
     2, 2, 4, false,
     {1, 2, 3, 99, 4, 5, 6, 99,
      7, 8, 9, 99, 10, 11, 12, 99},
     {{3, 2, 1}, {6, 5, 4}, {9, 8, 7}, {12, 11, 10}}},
    // Odd width: every 9-byte row carries one byte of padding (0xEE), never a pixel.
    {"24-bit B,G,R with padded rows",
     3, 2, 3, false,
     {1, 2, 3, 4, 5, 6, 7, 8, 9, 0xEE,
      10, 11, 12, 13, 14, 15, 16, 17, 18, 0xEE},
     {{3, 2, 1}, {6, 5, 4}, {9, 8, 7}, {12, 11, 10}, {15, 14, 13}, {18, 17, 16}}},
    {"24-bit even width",
     2, 2, 3, false,
     {1, 2, 3, 4, 5, 6,
      7, 8, 9, 10, 11, 12},
     {{3, 2, 1}, {6, 5, 4}, {9, 8, 7}, {12, 11, 10}}},
    // 5-6-5 words, low byte first; the expansion only shifts, so full intensity is 248/252.
    {"16-bit 5-6-5",
     3, 2, 2, false,
     {0x00, 0xF8, 0xE0, 0x07, 0x1F, 0x00,
      0xFF, 0xFF, 0x00, 0x00, 0x51, 0x8A},
     {{248, 0, 0}, {0, 252, 0}, {0, 0, 248},
      {248, 252, 248}, {0, 0, 0}, {136, 72, 136}}},
    // 5-5-5 words: bit 15 carries nothing.
    {"16-bit 5-5-5",
     3, 2, 2, true,
     {0x00, 0x7C, 0xE0, 0x03, 0x1F, 0x00,
      0xFF, 0x7F, 0x00, 0x80, 0x31, 0xC6},
     {{248, 0, 0}, {0, 248, 0}, {0, 0, 248},
      {248, 248, 248}, {0, 0, 0}, {136, 136, 136}}},
};

TEST(ConvertDesktopPixels, EveryLayoutLandsBottomUpInTheLowerLeftCorner) {
    for (const LayoutCase& c : kLayouts) {
        const std::uint32_t tw = 5, th = 4;
        std::vector<unsigned char> texture = SentinelTexture(tw, th);
        const DesktopImage image = {c.capture.data(), c.capture.size(), c.width, c.height,
                                    c.bytesPerPixel, c.words555};
        ASSERT_TRUE(ConvertDesktopPixels(image, texture.data(), tw, th)) << c.label;
        ExpectCorner(texture, tw, th, c.width, c.height, c.screen, c.label);
    }
}

TEST(ConvertDesktopPixels, CaptureFillingTheWholeTexture) {
    const LayoutCase& c = kLayouts[0];
    std::vector<unsigned char> texture = SentinelTexture(2, 2);
    const DesktopImage image = {c.capture.data(), c.capture.size(), 2, 2, 4, false};
    ASSERT_TRUE(ConvertDesktopPixels(image, texture.data(), 2, 2));
    ExpectCorner(texture, 2, 2, 2, 2, c.screen, "whole");
}

// Nothing is written when the capture cannot be what it claims to be.
TEST(ConvertDesktopPixels, RefusesCapturesThatDoNotFit) {
    const std::vector<unsigned char> bytes(64, 7);
    const struct {
        const char* label;
        DesktopImage image;
        std::uint32_t textureWidth, textureHeight;
    } cases[] = {
        // 3 x 2 at 3 bytes needs 20 bytes with the padding: 18 (no padding) is short.
        {"24-bit without padding", {bytes.data(), 18, 3, 2, 3, false}, 4, 4},
        {"one byte short", {bytes.data(), 15, 2, 2, 4, false}, 4, 4},
        {"wider than the texture", {bytes.data(), 64, 5, 2, 4, false}, 4, 4},
        {"higher than the texture", {bytes.data(), 64, 2, 5, 4, false}, 4, 4},
        {"8 bits per pixel", {bytes.data(), 64, 4, 4, 1, false}, 4, 4},
        {"no pixels", {nullptr, 64, 2, 2, 4, false}, 4, 4},
        {"empty capture", {bytes.data(), 64, 0, 0, 4, false}, 4, 4},
        {"texture sides that cannot exist", {bytes.data(), 64, 2, 2, 4, false}, 0xFFFFFFFFu,
         0xFFFFFFFFu},
    };
    for (const auto& c : cases) {
        std::vector<unsigned char> texture = SentinelTexture(4, 4);
        EXPECT_FALSE(ConvertDesktopPixels(c.image, texture.data(), c.textureWidth, c.textureHeight))
            << c.label;
        EXPECT_EQ(texture, SentinelTexture(4, 4)) << c.label;
    }
}

}  // namespace
