// "GM.raw": the banner at the top of the screen, inviting the user to press the space bar (the
// download page opens after the saver ends). 256 x 32 pixels of R, G, B, first row first, no
// header. The screen saver squeezes it to a quarter of the screen's width and 1/48 of its
// height (320 x 21 at 1280 x 1024), so the letters are drawn twice as tall as our font and
// keep strokes four pixels thick that survive the squeeze.
#include <string>

#include "pictures.h"
#include "pixel_letters.h"

namespace assetgen {

namespace {

const std::string kInvitation = "PRESS SPACE TO DOWNLOAD";

}  // namespace

RgbPicture BannerPicture() {
    GreyPicture letters(256, 32);
    const TextStyle style{1, 2, 2};
    const int width = TextWidth(kInvitation, style);
    DrawText(&letters, (letters.width - width) / 2, (letters.height - 2 * kLetterHeight) / 2,
             kInvitation, style);
    RgbPicture banner(letters.width, letters.height);
    for (int y = 0; y < banner.height; ++y) {
        // A little brighter and yellower towards the top: the letters look lit from above.
        const float top = 1.0f - static_cast<float>(y) / (banner.height - 1);
        for (int x = 0; x < banner.width; ++x) {
            const float ink = letters.at(x, y) / 255.0f;
            unsigned char* pixel = banner.at(x, y);
            pixel[0] = static_cast<unsigned char>(ink * (20.0f + 90.0f * top) + 0.5f);
            pixel[1] = static_cast<unsigned char>(ink * (215.0f + 40.0f * top) + 0.5f);
            pixel[2] = static_cast<unsigned char>(ink * (40.0f + 30.0f * top) + 0.5f);
        }
    }
    return banner;
}

void MakeBanner(Generated* out) {
    const RgbPicture banner = BannerPicture();
    out->files.push_back({"GM.raw", banner.pixels});
    out->sheet.push_back(ToSheet("GM.raw 256 x 32", banner));
}

}  // namespace assetgen
