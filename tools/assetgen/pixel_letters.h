// Our bold capital-letter pixel font, for the failure message, the banner and any other text
// on a picture: letters 10 pixels tall with strokes two pixels thick, most 7 pixels wide.
#pragma once

#include <string>

#include "picture.h"

namespace assetgen {

constexpr int kLetterHeight = 10;

struct TextStyle {
    int scale_x = 1;  // every font pixel becomes scale_x x scale_y picture pixels
    int scale_y = 1;
    int gap = 1;      // font pixels between neighbouring letters
};

// Width in picture pixels; the text holds capital letters, digits, blanks and . : ! -
int TextWidth(const std::string& text, const TextStyle& style);

// Sets the text's pixels to white (255), its top-left corner at (x, y); what falls outside
// the picture is left out.
void DrawText(GreyPicture* picture, int x, int y, const std::string& text, const TextStyle& style);

}  // namespace assetgen
