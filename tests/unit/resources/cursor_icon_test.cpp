// The hand cursor and the product icon as files of their formats: the cursor's size, depth,
// masks and hot spot, the icon's sizes and images, each read back from the committed file.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "unit/resources/resource_file.h"

namespace {

constexpr std::size_t kDirectoryHeader = 6;
constexpr std::size_t kDirectoryEntry = 16;

struct Entry {
    int width, height;  // 0 in the file stands for 256
    std::uint32_t word1, word2;  // planes and bit count; a cursor's hot spot x and y
    std::uint32_t bytes, offset;
};

// The directory of an .ico (type 1) or .cur (type 2) file; each image must lie in the file.
std::vector<Entry> Directory(const ResourceFile& file, std::uint32_t type) {
    std::vector<Entry> entries;
    EXPECT_EQ(file.u16(0), 0u);
    EXPECT_EQ(file.u16(2), type);
    const std::uint32_t count = file.u16(4);
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::size_t at = kDirectoryHeader + kDirectoryEntry * i;
        Entry entry{static_cast<int>(file.u8(at)), static_cast<int>(file.u8(at + 1)), file.u16(at + 4),
                    file.u16(at + 6), file.u32(at + 8), file.u32(at + 12)};
        if (entry.width == 0) entry.width = 256;
        if (entry.height == 0) entry.height = 256;
        EXPECT_TRUE(file.has(entry.offset, entry.bytes)) << "image " << i << " ends outside the file";
        EXPECT_GE(entry.offset, kDirectoryHeader + kDirectoryEntry * count) << "image " << i;
        entries.push_back(entry);
    }
    return entries;
}

// Bit x of row y (top row first) of a bottom-up 1-bit mask that starts at the given offset.
bool MaskBit(const ResourceFile& file, std::size_t mask, int size, int x, int y) {
    const std::size_t row_bytes = (static_cast<std::size_t>(size) + 31) / 32 * 4;
    const std::size_t row = mask + row_bytes * static_cast<std::size_t>(size - 1 - y);
    return (file.u8(row + x / 8) >> (7 - x % 8) & 1) != 0;
}

TEST(HandCursor, IsA32PixelMonochromeHandWithItsHotSpotOnTheFingerTip) {
    const ResourceFile file = ReadResource("hand.cur");
    const std::vector<Entry> entries = Directory(file, 2);
    ASSERT_EQ(entries.size(), 1u);
    const Entry& entry = entries[0];
    EXPECT_EQ(entry.width, 32);
    EXPECT_EQ(entry.height, 32);
    EXPECT_EQ(entry.word1, 5u) << "hot spot x";
    EXPECT_EQ(entry.word2, 0u) << "hot spot y";

    const std::size_t dib = entry.offset;
    EXPECT_EQ(file.u32(dib), 40u) << "BITMAPINFOHEADER";
    EXPECT_EQ(file.u32(dib + 4), 32u);
    EXPECT_EQ(file.u32(dib + 8), 64u) << "the picture and its AND mask";
    EXPECT_EQ(file.u16(dib + 12), 1u) << "planes";
    EXPECT_EQ(file.u16(dib + 14), 1u) << "monochrome";
    EXPECT_EQ(file.u32(dib + 40) & 0xFFFFFF, 0x000000u) << "palette entry 0 black";
    EXPECT_EQ(file.u32(dib + 44) & 0xFFFFFF, 0xFFFFFFu) << "palette entry 1 white";
    EXPECT_EQ(entry.bytes, 40u + 8 + 128 + 128);
    const std::size_t colour = dib + 48;
    const std::size_t mask = colour + 128;

    // 'X' black, 'o' white, '.' transparent; an AND and XOR bit both set would invert the
    // screen under the cursor.
    auto pixel = [&](int x, int y) {
        if (x < 0 || y < 0 || x >= 32 || y >= 32) return '.';
        const bool transparent = MaskBit(file, mask, 32, x, y);
        const bool white = MaskBit(file, colour, 32, x, y);
        EXPECT_FALSE(transparent && white) << "inverting pixel at (" << x << ", " << y << ")";
        return transparent ? '.' : white ? 'o' : 'X';
    };
    EXPECT_EQ(pixel(5, 0), 'X') << "the hot spot lies on the hand's outline";
    for (int x = 0; x < 32; ++x) EXPECT_EQ(x >= 4 && x <= 6 ? 'X' : '.', pixel(x, 0)) << "tip row, x " << x;
    int white = 0;
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            if (pixel(x, y) != 'o') continue;
            ++white;
            // Black outlines the white fill everywhere, so the hand shows on white windows.
            const int around[4][2] = {{x - 1, y}, {x + 1, y}, {x, y - 1}, {x, y + 1}};
            for (const auto& n : around)
                EXPECT_NE(pixel(n[0], n[1]), '.') << "white at (" << x << ", " << y << ") meets transparency";
        }
    }
    EXPECT_GT(white, 100) << "too little of a hand";
}

TEST(ProductIcon, HoldsFiveSizesWithTheLargestAsPng) {
    const ResourceFile file = ReadResource("veloth.ico");
    const std::vector<Entry> entries = Directory(file, 1);
    const int sizes[] = {16, 24, 32, 48, 256};
    ASSERT_EQ(entries.size(), 5u);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const Entry& entry = entries[i];
        const int size = sizes[i];
        SCOPED_TRACE(size);
        EXPECT_EQ(entry.width, size);
        EXPECT_EQ(entry.height, size);
        EXPECT_EQ(entry.word1, 1u) << "planes";
        EXPECT_EQ(entry.word2, 32u) << "bits per pixel";
        if (!file.has(entry.offset, entry.bytes)) continue;
        const unsigned char* image = &file.bytes[entry.offset];
        if (size == 256) {
            // Windows takes the largest size compressed, as a whole PNG file.
            const unsigned char signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
            ASSERT_GE(entry.bytes, 8u);
            EXPECT_TRUE(std::equal(signature, signature + 8, image)) << "a PNG image";
            const Pixels decoded = Decode(image, entry.bytes);
            EXPECT_EQ(decoded.width, 256) << "the PNG does not decode";
            EXPECT_EQ(decoded.height, 256);
        } else {
            // A BITMAPINFOHEADER, B, G, R, A rows and the AND mask, as Windows XP reads them.
            const std::size_t dib = entry.offset;
            const std::size_t mask_row = (static_cast<std::size_t>(size) + 31) / 32 * 4;
            EXPECT_EQ(file.u32(dib), 40u);
            EXPECT_EQ(file.u32(dib + 4), static_cast<std::uint32_t>(size));
            EXPECT_EQ(file.u32(dib + 8), static_cast<std::uint32_t>(2 * size));
            EXPECT_EQ(file.u16(dib + 14), 32u);
            EXPECT_EQ(entry.bytes, 40 + static_cast<std::size_t>(size) * size * 4 + mask_row * size);
            const std::size_t colour = dib + 40;
            const std::size_t mask = colour + static_cast<std::size_t>(size) * size * 4;
            int disagreeing = 0;
            for (int y = 0; y < size; ++y) {
                for (int x = 0; x < size; ++x) {
                    const std::uint32_t alpha =
                        file.u8(colour + (static_cast<std::size_t>(size - 1 - y) * size + x) * 4 + 3);
                    disagreeing += MaskBit(file, mask, size, x, y) != (alpha < 128);
                }
            }
            EXPECT_EQ(disagreeing, 0) << "pixels whose AND mask disagrees with their alpha";
        }
    }
}

// At every size the icon has a transparent surround and green rain on the middle of its
// screen.
TEST(ProductIcon, ShowsGreenRainOnAScreenAtEverySize) {
    const ResourceFile file = ReadResource("veloth.ico");
    for (const Entry& entry : Directory(file, 1)) {
        SCOPED_TRACE(entry.width);
        Pixels pixels;
        if (entry.width == 256) {
            if (file.has(entry.offset, entry.bytes)) pixels = Decode(&file.bytes[entry.offset], entry.bytes);
        } else {
            // stb_image reads .bmp files: give the DIB the file header it lacks, half its height.
            std::vector<unsigned char> bmp = {'B', 'M'};
            const std::uint32_t total = 14 + entry.bytes;
            for (int i = 0; i < 4; ++i) bmp.push_back(static_cast<unsigned char>(total >> (8 * i)));
            bmp.insert(bmp.end(), {0, 0, 0, 0, 54, 0, 0, 0});
            if (file.has(entry.offset, entry.bytes))
                bmp.insert(bmp.end(), file.bytes.begin() + entry.offset,
                           file.bytes.begin() + entry.offset + entry.bytes);
            if (bmp.size() >= 26) bmp[22] = static_cast<unsigned char>(entry.height);
            pixels = Decode(bmp.data(), bmp.size());
        }
        ASSERT_EQ(pixels.width, entry.width);
        ASSERT_EQ(pixels.height, entry.height);
        EXPECT_EQ(pixels.at(0, pixels.height - 1)[3], 0) << "the lower left corner is transparent";
        EXPECT_EQ(pixels.at(pixels.width - 1, pixels.height - 1)[3], 0) << "the lower right corner";
        int green = 0;
        for (int y = pixels.height / 4; y < pixels.height / 2; ++y) {
            for (int x = pixels.width / 4; x < pixels.width * 3 / 4; ++x) {
                const unsigned char* p = pixels.at(x, y);
                green += p[3] == 255 && p[1] > 2 * p[0] + 40 && p[1] > 2 * p[2] + 40;
            }
        }
        EXPECT_GT(green, 0) << "no green rain on the screen";
    }
}

}  // namespace
