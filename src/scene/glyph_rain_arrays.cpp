// The glyph rain's per-frame vertex arrays, built into buffers the rain keeps: one textured,
// coloured quad per cell and one plain quad per active spot, in normalized device coordinates.
#include <cstddef>

#include "scene/glyph_rain.h"

namespace {

const float kCellWidth = 0.025f;         // 2 / 80
const float kCellHeight = 0.033333335f;  // 2 / 60
const float kGlyphStride = 0.80078125f;  // 410 of the strip's 512 texels hold the 41 glyphs
const float kGlyphWidth = 0.01953125f;   // 10 texels
// A cell whose row lies at -1 or below goes this far down, off the picture.
const int kRowBelowPicture = -10;

// The quad's corners (x0, y0), (x1, y0), (x1, y1), (x0, y1).
float* PutQuad(float* out, float column, int row) {
    const float x0 = column / 40.0f - 1.0f;
    const float x1 = x0 + kCellWidth;
    const float y0 = static_cast<float>(row) / 30.0f - 1.0f;
    const float y1 = y0 + kCellHeight;
    const float corners[8] = {x0, y0, x1, y0, x1, y1, x0, y1};
    for (float value : corners) *out++ = value;
    return out;
}

}  // namespace

int GlyphRain::buildCells() {
    const std::size_t vertices = static_cast<std::size_t>(cellCount) * 4;
    // resize keeps the storage once the largest frame so far has been seen.
    cellPositions_.resize(vertices * 2);
    cellColours_.resize(vertices * 4);
    cellTexCoords_.resize(vertices * 2);
    float* position = cellPositions_.data();
    float* colour = cellColours_.data();
    float* texCoord = cellTexCoords_.data();
    for (const GlyphColumn* c = columns->next; c != nullptr; c = c->next) {
        for (int l = 0; l < c->length; ++l) {
            // Truncated towards zero: a row between -1 and 0 is still drawn in row 0.
            int row = static_cast<int>(c->row + static_cast<float>(l));
            if (row < 0) row = kRowBelowPicture;
            position = PutQuad(position, c->column, row);

            const GlyphCell& cell = c->cells[l];
            for (int v = 0; v < 4; ++v) {
                *colour++ = cell.red;
                *colour++ = cell.green;
                *colour++ = cell.blue;
                *colour++ = cell.alpha;
            }
            // The strip's first row lies at the cell's lower edge.
            const float u0 = static_cast<float>(cell.glyph) / 41.0f * kGlyphStride;
            const float u1 = u0 + kGlyphWidth;
            const float corners[8] = {u0, 0.0f, u1, 0.0f, u1, 1.0f, u0, 1.0f};
            for (float value : corners) *texCoord++ = value;
        }
    }
    return static_cast<int>(vertices);
}

int GlyphRain::buildSpots() {
    int quads = 0;
    spotPositions_.resize(static_cast<std::size_t>(kSpotSlots) * 8);
    float* position = spotPositions_.data();
    for (int i = 0; i < kSpotSlots; ++i) {
        if (!spots[i].active) continue;
        position = PutQuad(position, static_cast<float>(spots[i].column), spots[i].row);
        ++quads;
    }
    return quads * 4;
}
