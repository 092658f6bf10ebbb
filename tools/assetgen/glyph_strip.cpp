// "font.bmp": the 41 glyphs of the falling rain, white on black, each in a cell 10 pixels wide
// and 16 tall, side by side from the left edge of a 512 x 16 strip.
//
// The glyphs are our own: each is drawn on a grid of 4 x 5 blocks, a block 2 pixels wide and
// 2 or 3 tall, so that every stroke survives the rain's shrinking of a cell to 6.4 x 8.53 pixels
// with linear filtering. A glyph is a stem with bars, hooks and forks: no letter or digit.
// The rain lays the strip's top row at the lower edge of each cell, so the strip holds every
// glyph upside down and the rain shows it upright.
#include <cstdio>
#include <cstdlib>

#include "bmp_file.h"
#include "pictures.h"

namespace assetgen {

namespace {

constexpr int kBlockWidth = 2;
constexpr int kGridColumns = 4;
constexpr int kGridRows = 5;
// Block rows of the upright cell: the rows that carry most bars are 3 pixels tall, the two
// between them 2, and three black rows (one on top, two below) part a glyph from the next
// one in its column.
constexpr int kBlockTop[kGridRows] = {1, 4, 6, 9, 11};
constexpr int kBlockHeight[kGridRows] = {3, 2, 3, 2, 3};

// Each glyph upright as the rain shows it, top row first.
// clang-format off
const char* const kGlyphs[kGlyphCount][kGridRows] = {
    {".#..", ".###", "##..", ".#..", ".##."},
    {"##..", ".#..", ".###", ".#..", ".#.#"},
    {".###", ".#..", "##..", ".#.#", ".#.."},
    {".#..", "##.#", ".###", ".#..", "##.."},
    {".##.", "..#.", "#.##", "..#.", "..##"},
    {"..#.", "..##", "###.", "..#.", ".##."},
    {"..#.", ".###", "..#.", "###.", "..##"},
    {"####", "..#.", ".##.", "..#.", "..##"},
    {"..##", "#.#.", "####", "..#.", ".##."},
    {"#.#.", ".##.", "..##", "..#.", "###."},
    {"..#.", "###.", "..##", ".##.", "..#."},
    {".##.", "..##", "#.#.", "###.", "..#."},
    {"#..#", "###.", "..#.", "..##", "#.#."},
    {"#.#.", "###.", "#.##", "..#.", "..#."},
    {".#..", "##..", ".#.#", ".###", ".#.."},
    {"..#.", ".###", "..#.", "##.#", "..#."},
    {"##..", ".##.", ".#..", "###.", ".#.#"},
    {"..##", ".##.", "..#.", ".###", "..#."},
    {"#..#", "#.##", "#..#", "###.", "...#"},
    {".###", ".#..", ".#..", "##.#", ".#.#"},
    {"##..", ".#.#", ".#..", ".###", ".#.."},
    {"..#.", "#.##", "..#.", ".##.", "#.#."},
    {"#.##", "..#.", ".###", "..#.", ".##."},
    {".#..", ".###", ".#..", "##..", ".###"},
    {"#...", "###.", ".#..", ".#.#", "##.."},
    {"...#", ".###", "..#.", "..##", "###."},
    {"#.#.", "###.", "#.#.", "#..#", "...#"},
    {".###", "##..", ".#..", ".###", ".#.."},
    {"..#.", ".##.", "#.#.", "..##", "..#."},
    {".#.#", "##.#", ".#..", ".#..", "##.."},
    {"###.", ".#..", ".##.", "##..", ".#.#"},
    {"..##", "###.", "..#.", "#.##", "..#."},
    {"##.#", ".#..", ".#..", ".###", "##.."},
    {"#...", "##..", ".#.#", ".#.#", ".##."},
    {".##.", "#.##", "..#.", "..##", ".#.."},
    {"..#.", ".#.#", "###.", "..#.", "#.##"},
    {".#..", ".#..", "####", ".#..", "##.."},
    {"#.##", ".##.", "..#.", "###.", "..#."},
    {".#.#", ".###", ".##.", "##..", ".#.."},
    {"..#.", "#.#.", ".###", "..#.", ".###"},
    {"##..", ".#.#", ".##.", ".#..", "##.."},
};
// clang-format on

bool Ink(int glyph, int column, int row) { return kGlyphs[glyph][row][column] == '#'; }

// Glyphs that differ in fewer than three blocks would read as one at the rain's size.
void CheckGlyphsDiffer() {
    for (int a = 0; a < kGlyphCount; ++a) {
        for (int b = a + 1; b < kGlyphCount; ++b) {
            int differences = 0;
            for (int row = 0; row < kGridRows; ++row)
                for (int column = 0; column < kGridColumns; ++column)
                    differences += Ink(a, column, row) != Ink(b, column, row);
            if (differences < 3) {
                std::fprintf(stderr, "assetgen: glyphs %d and %d are too alike\n", a, b);
                std::exit(1);
            }
        }
    }
}

}  // namespace

GreyPicture UprightGlyph(int glyph) {
    GreyPicture cell(kGlyphCellWidth, kGlyphCellHeight);
    // A black column on each side parts a glyph from its neighbours in the row.
    for (int row = 0; row < kGridRows; ++row) {
        for (int column = 0; column < kGridColumns; ++column) {
            if (!Ink(glyph, column, row)) continue;
            for (int dy = 0; dy < kBlockHeight[row]; ++dy)
                for (int dx = 0; dx < kBlockWidth; ++dx)
                    cell.at(1 + column * kBlockWidth + dx, kBlockTop[row] + dy) = 255;
        }
    }
    return cell;
}

namespace {

// The cells side by side from the left edge of a picture of the given width.
GreyPicture GlyphRow(int width, bool upside_down) {
    GreyPicture row(width, kGlyphCellHeight);
    for (int glyph = 0; glyph < kGlyphCount; ++glyph) {
        const GreyPicture cell = UprightGlyph(glyph);
        for (int y = 0; y < kGlyphCellHeight; ++y) {
            const int to_y = upside_down ? kGlyphCellHeight - 1 - y : y;
            for (int x = 0; x < kGlyphCellWidth; ++x)
                row.at(glyph * kGlyphCellWidth + x, to_y) = cell.at(x, y);
        }
    }
    return row;
}

}  // namespace

GreyPicture GlyphStripPicture() {
    CheckGlyphsDiffer();
    return GlyphRow(512, true);
}

void MakeGlyphStrip(Generated* out) {
    const GreyPicture strip = GlyphStripPicture();
    out->files.push_back({"font.bmp", EncodeGreyBmp(strip)});
    out->sheet.push_back(ToSheet("font.bmp 512 x 16 (stored upside down)", strip));
    out->sheet.push_back(ToSheet("the glyphs upright", GlyphRow(kGlyphCount * kGlyphCellWidth, false)));
}

}  // namespace assetgen
