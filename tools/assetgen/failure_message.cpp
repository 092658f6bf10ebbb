// "SYSFAIL.bmp": the message the monitor shows over the frozen rain when the saver ends. White
// capitals in a black box of 104 x 20 pixels at the top left of a 128 x 32 picture, framed by
// a thin line one pixel inside the box; everything else black. The screen saver draws the box
// at twice its size, tinted green.
#include <string>

#include "bmp_file.h"
#include "pictures.h"
#include "pixel_letters.h"

namespace assetgen {

namespace {

constexpr int kBoxWidth = 104;
constexpr int kBoxHeight = 20;
const std::string kMessage = "CODE HALTED";

}  // namespace

GreyPicture FailureMessagePicture() {
    GreyPicture picture(128, 32);
    // The frame, inset by one pixel so that black separates it from the rain around the box.
    for (int x = 1; x < kBoxWidth - 1; ++x) {
        picture.at(x, 1) = 255;
        picture.at(x, kBoxHeight - 2) = 255;
    }
    for (int y = 1; y < kBoxHeight - 1; ++y) {
        picture.at(1, y) = 255;
        picture.at(kBoxWidth - 2, y) = 255;
    }
    const TextStyle style;
    const int width = TextWidth(kMessage, style);
    DrawText(&picture, (kBoxWidth - width) / 2, (kBoxHeight - kLetterHeight) / 2, kMessage, style);
    return picture;
}

void MakeFailureMessage(Generated* out) {
    const GreyPicture picture = FailureMessagePicture();
    out->files.push_back({"SYSFAIL.bmp", EncodeGreyBmp(picture)});
    out->sheet.push_back(ToSheet("SYSFAIL.bmp 128 x 32", picture));
}

}  // namespace assetgen
