// The hand cursor of the About box's links (cursor group 111): a 32 x 32 monochrome pointing
// hand of our own drawing, black outline and white fill, transparent elsewhere, with its hot
// spot (5, 0) on the tip of the raised index finger.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "bmp_file.h"
#include "icon_file.h"
#include "pictures.h"

namespace assetgen {

namespace {

constexpr int kSize = 32;
constexpr int kHotX = 5;
constexpr int kHotY = 0;

// 'X' black, 'o' white, '.' transparent; rows left out at the bottom are transparent.
// clang-format off
const char* const kHand[] = {
    "....XXX.............",
    "...XoooX............",
    "...XoooX............",
    "...XoooX............",
    "...XoooX............",
    "...XoooX............",
    "...XoooX............",
    "...XoooXXXX.........",
    "...XoooXoooXXXX.....",
    "...XoooXoooXoooXXX..",
    "...XoooXoooXoooXooX.",
    "...XoooXoooXoooXooX.",
    ".XXXooooooooooooooX.",
    "XoooXoooooooooooooX.",
    "XooooXooooooooooooX.",
    "XoooooXoooooooooooX.",
    ".XoooooooooooooooX..",
    "..XooooooooooooooX..",
    "...XooooooooooooX...",
    "....XooooooooooX....",
    "....XooooooooooX....",
    "....XXXXXXXXXXXX....",
};
// clang-format on
constexpr int kHandRows = sizeof(kHand) / sizeof(kHand[0]);

char HandPixel(int x, int y) {
    if (y >= kHandRows || x >= static_cast<int>(std::strlen(kHand[y]))) return '.';
    return kHand[y][x];
}

// The XOR bitmap (1 for white) and the AND mask (1 for transparent), bottom row first.
Bytes CursorImage() {
    const int row_bytes = DibRowBytes(kSize, 1);
    Bytes image;
    PutInfoHeader(&image, DibUse::IconImage, kSize, kSize * 2, 1, row_bytes * kSize * 2, 2);
    PutLe32(&image, 0x000000);  // palette: black
    PutLe32(&image, 0xFFFFFF);  // white
    for (int mask = 0; mask < 2; ++mask) {
        for (int y = kSize - 1; y >= 0; --y) {
            for (int byte = 0; byte < row_bytes; ++byte) {
                unsigned bits = 0;
                for (int bit = 0; bit < 8; ++bit) {
                    const char pixel = HandPixel(byte * 8 + bit, y);
                    const bool set = mask == 0 ? pixel == 'o' : pixel == '.';
                    if (set) bits |= 0x80u >> bit;
                }
                image.push_back(static_cast<unsigned char>(bits));
            }
        }
    }
    return image;
}

RgbaPicture HandPicture() {
    RgbaPicture picture(kSize, kSize);
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            const char pixel = HandPixel(x, y);
            if (pixel == '.') continue;
            unsigned char* out = picture.at(x, y);
            const unsigned char level = pixel == 'o' ? 255 : 0;
            out[0] = out[1] = out[2] = level;
            out[3] = 255;
        }
    }
    return picture;
}

}  // namespace

void MakeHandCursor(Generated* out) {
    if (HandPixel(kHotX, kHotY) != 'X') {
        std::fprintf(stderr, "assetgen: the cursor's hot spot is not on the finger tip\n");
        std::exit(1);
    }
    IconImage image;
    image.width = kSize;
    image.height = kSize;
    image.colour_count = 2;
    image.planes_or_hot_x = kHotX;
    image.bits_or_hot_y = kHotY;
    image.bytes = CursorImage();
    out->files.push_back({"hand.cur", EncodeIconFile(IconKind::Cursor, {image})});

    // On a light and on a dark ground, as it shows over the About box and elsewhere.
    const RgbaPicture hand = HandPicture();
    RgbPicture sheet(2 * (kSize + 16), kSize + 8);
    const unsigned char light[3] = {236, 233, 216};
    const unsigned char dark[3] = {58, 58, 58};
    Fill(&sheet, 0, 0, sheet.width / 2, sheet.height, light);
    Fill(&sheet, sheet.width / 2, 0, sheet.width / 2, sheet.height, dark);
    Paste(&sheet, 8, 4, hand);
    Paste(&sheet, sheet.width / 2 + 8, 4, hand);
    out->sheet.push_back(ToSheet("hand.cur 32 x 32, hot spot (5, 0)", sheet));
}

}  // namespace assetgen
