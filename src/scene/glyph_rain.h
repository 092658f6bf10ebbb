// GlyphRain: the falling green glyph columns and the blinking black spots of the monitor
// screen, on a grid of 80 x 60 cells. Portable header (no windows.h): the simulation and the
// per-frame arrays build natively; only draw and drawSpots (glyph_rain_draw.cpp) touch OpenGL.
#pragma once

#include <cstdint>
#include <vector>

#include "scene/rain_random.h"

// Milliseconds of a free-running counter that wraps at 2^32, as GetTickCount gives them (on
// Windows this is DWORD (*)()). Only the low 32 bits are used.
typedef unsigned long (*RainTickSource)();

struct GlyphCell {
    int glyph;  // 0 to 40; a gap cell keeps 0, it is drawn black whatever its glyph
    float red;
    float green;
    float blue;
    float alpha;
};

struct BlankSpot {
    int column;  // 0 to 79
    int row;     // 0 to 59
    float birthTime;
    float lifetime;  // whole seconds, 3 to 8
    int active;
};

// One column of the list; cell 0 is the head at the current row, cell l lies l rows above it.
struct GlyphColumn {
    GlyphColumn* next;
    float lifetime;  // seconds after birth; 0 once the column has fallen off the bottom
    float birthTime;
    float column;    // whole numbers 0 to 79
    float startRow;  // whole numbers 0 to 59
    float row;       // the head's row now, fractional
    float speed;     // rows per second downwards; 0 for a standing column
    GlyphCell* cells;
    int length;      // 1 to 24
};

class GlyphRain {
public:
    static constexpr int kSpotSlots = 200;
    static constexpr int kGridColumns = 80;
    static constexpr int kGridRows = 60;
    static constexpr int kGlyphs = 41;

    // Times are seconds since construction, read from ticks: the differences the rain compares
    // keep millisecond precision however long the machine has been up, and a wrap of the
    // counter between two readings is taken as the milliseconds that really passed.
    GlyphRain(int initialColumns, RainTickSource ticks);
    ~GlyphRain();
    GlyphRain(const GlyphRain&) = delete;
    GlyphRain& operator=(const GlyphRain&) = delete;

    // One time step: ages, moves and removes columns, starts the new ones that are due, and
    // expires and starts spots.
    void update();
    // Draws every column's cells and then the spots into the current context (OpenGL).
    void draw();

    // The per-frame arrays, rebuilt in buffers kept from frame to frame. buildCells fills
    // cellPositions (2 floats a vertex), cellColours (4) and cellTexCoords (2) with 4 vertices
    // per cell, columns in list order and each from its head up; buildSpots fills
    // spotPositions with one quad per active spot in slot order. Both return the vertices.
    int buildCells();
    int buildSpots();
    const float* cellPositions() const { return cellPositions_.data(); }
    const float* cellColours() const { return cellColours_.data(); }
    const float* cellTexCoords() const { return cellTexCoords_.data(); }
    const float* spotPositions() const { return spotPositions_.data(); }

    GlyphColumn* columns;  // an empty sentinel column heads the list and is never drawn
    BlankSpot* spots;      // kSpotSlots slots
    int columnCount;       // listed columns, the sentinel not counted
    int cellCount;         // the sum of their lengths
    int spotCount;         // active spots
    float lastSpawnTime;   // the latest update that created a column
    float columnLifetime;
    float columnRate;      // new columns per second
    float spotRate;        // spot starts per second
    float now;             // the latest update's time
    int minLength;
    int maxLength;

private:
    float currentTime() const;
    void advanceColumns(int newColumns);
    void initColumn(GlyphColumn* column);
    void moveColumn(GlyphColumn* column);
    void initSpots();
    void updateSpots(int allowance);
    void drawSpots();

    RainTickSource ticks_;
    std::uint32_t baseTick_;
    RainRandom random_;
    std::vector<float> cellPositions_;
    std::vector<float> cellColours_;
    std::vector<float> cellTexCoords_;
    std::vector<float> spotPositions_;
};
