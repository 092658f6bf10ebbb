// Conversions of the in-memory pictures into contact-sheet pictures, and pasting pictures
// into larger ones.
#include "picture.h"

namespace assetgen {

SheetPicture ToSheet(const std::string& label, const GreyPicture& picture) {
    SheetPicture sheet{label, picture.width, picture.height, {}};
    for (unsigned char level : picture.pixels) sheet.rgb.insert(sheet.rgb.end(), 3, level);
    return sheet;
}

SheetPicture ToSheet(const std::string& label, const RgbPicture& picture) {
    return SheetPicture{label, picture.width, picture.height, picture.pixels};
}

void Paste(RgbPicture* target, int x, int y, const RgbPicture& picture) {
    for (int row = 0; row < picture.height; ++row) {
        for (int column = 0; column < picture.width; ++column) {
            const unsigned char* from = picture.at(column, row);
            unsigned char* to = target->at(x + column, y + row);
            for (int c = 0; c < 3; ++c) to[c] = from[c];
        }
    }
}

void Paste(RgbPicture* target, int x, int y, const RgbaPicture& picture) {
    for (int row = 0; row < picture.height; ++row) {
        for (int column = 0; column < picture.width; ++column) {
            const unsigned char* from = picture.at(column, row);
            unsigned char* to = target->at(x + column, y + row);
            for (int c = 0; c < 3; ++c)
                to[c] = static_cast<unsigned char>((from[c] * from[3] + to[c] * (255 - from[3]) + 127) / 255);
        }
    }
}

void Fill(RgbPicture* target, int x, int y, int width, int height, const unsigned char rgb[3]) {
    for (int row = y; row < y + height; ++row) {
        for (int column = x; column < x + width; ++column) {
            unsigned char* to = target->at(column, row);
            for (int c = 0; c < 3; ++c) to[c] = rgb[c];
        }
    }
}

}  // namespace assetgen
