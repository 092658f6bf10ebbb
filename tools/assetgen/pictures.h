// The screen saver's pictures, cursor and icon: what each generator makes, and the pictures
// the on-screen views are simulated from.
#pragma once

#include "asset.h"
#include "picture.h"

namespace assetgen {

constexpr int kGlyphCount = 41;
constexpr int kGlyphCellWidth = 10;
constexpr int kGlyphCellHeight = 16;

// "font.bmp" as stored (glyphs upside down), and one glyph's cell upright.
GreyPicture GlyphStripPicture();
GreyPicture UprightGlyph(int glyph);

// "SYSFAIL.bmp": 128 x 32, the message in its 104 x 20 box at the top left.
GreyPicture FailureMessagePicture();

// "GM.raw": 256 x 32.
RgbPicture BannerPicture();

void MakeGlyphStrip(Generated* out);
void MakeFailureMessage(Generated* out);
void MakeBanner(Generated* out);
// The rain, the failure message over it and the banner as the screen saver draws them.
void MakeScreenViews(Generated* out);
void MakeHandCursor(Generated* out);
void MakeProductIcon(Generated* out);

}  // namespace assetgen
