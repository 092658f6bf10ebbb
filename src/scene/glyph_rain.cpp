// The glyph rain's simulation: columns born, moved and removed, spots started and expired, with
// the random draws in their fixed order so that every run shows the same rain.
#include "scene/glyph_rain.h"

GlyphRain::GlyphRain(int initialColumns, RainTickSource ticks)
    : ticks_(ticks), baseTick_(static_cast<std::uint32_t>(ticks())) {
    const float t = currentTime();
    columnLifetime = 10.0f;
    columnRate = 50.0f;
    spotRate = 100.0f;
    lastSpawnTime = t;
    now = t;
    minLength = 1;
    maxLength = 24;
    columnCount = 0;
    cellCount = 0;
    spotCount = 0;
    columns = new GlyphColumn{};
    spots = new BlankSpot[kSpotSlots]();
    initSpots();
    advanceColumns(initialColumns);
}

GlyphRain::~GlyphRain() {
    GlyphColumn* column = columns;
    while (column != nullptr) {
        GlyphColumn* next = column->next;
        delete[] column->cells;
        delete column;
        column = next;
    }
    delete[] spots;
}

float GlyphRain::currentTime() const {
    // Unsigned 32-bit subtraction: the milliseconds since construction, also across a wrap.
    const std::uint32_t elapsed = static_cast<std::uint32_t>(ticks_()) - baseTick_;
    return static_cast<float>(elapsed / 1000.0);
}

void GlyphRain::update() {
    now = currentTime();
    const float elapsed = now - lastSpawnTime;
    const int newColumns = static_cast<int>(columnRate * elapsed);
    // From the same elapsed time: while no column is due it keeps growing, and so does the
    // allowance of every frame in between.
    const int spotAllowance = static_cast<int>(spotRate * elapsed);
    advanceColumns(newColumns);
    updateSpots(spotAllowance);
    if (newColumns != 0) lastSpawnTime = now;
}

void GlyphRain::advanceColumns(int newColumns) {
    GlyphColumn* previous = columns;
    GlyphColumn* column = columns->next;
    while (column != nullptr) {
        GlyphColumn* next = column->next;
        if (column->birthTime + column->lifetime >= now) {
            moveColumn(column);
            previous = column;
        } else {
            previous->next = next;
            cellCount -= column->length;
            columnCount -= 1;
            delete[] column->cells;
            delete column;
        }
        column = next;
    }
    for (int i = 0; i < newColumns; ++i) {
        GlyphColumn* added = new GlyphColumn{};
        initColumn(added);
        previous->next = added;
        previous = added;
    }
}

void GlyphRain::initColumn(GlyphColumn* c) {
    c->birthTime = now;
    c->lifetime = columnLifetime;
    c->column = static_cast<float>(random_.next() % kGridColumns);
    c->startRow = static_cast<float>(random_.next() % kGridRows);
    c->row = c->startRow;
    c->speed = static_cast<float>(random_.next() % 16 + 5);
    c->length = random_.next() % (maxLength - minLength + 1) + minLength;
    if (c->length == 1) {
        c->speed = 0.0f;
        c->lifetime = static_cast<float>(random_.next() % 3 + 1);
    }
    // Any column may stand still for a short life; a single glyph draws its lifetime again.
    if (random_.next() % 100 < 5) {
        c->speed = 0.0f;
        c->lifetime = static_cast<float>(random_.next() % 3 + 1);
    }
    c->next = nullptr;
    c->cells = new GlyphCell[c->length]();

    c->cells[0] = {random_.next() % kGlyphs, 1.0f, 1.0f, 1.0f, 1.0f};
    for (int i = 1; i < c->length; ++i) {
        GlyphCell& cell = c->cells[i];
        if (random_.next() % 100 < 5) {
            // A gap shows black; no number is drawn for its glyph.
            cell = {0, 0.0f, 0.0f, 0.0f, 1.0f};
            continue;
        }
        const float green = static_cast<float>(i) * -0.85f / static_cast<float>(c->length - 1) + 0.95f;
        cell = {0, 0.0f, green, 0.0f, 1.0f};
        cell.glyph = random_.next() % kGlyphs;
    }
    columnCount += 1;
    cellCount += c->length;
}

void GlyphRain::moveColumn(GlyphColumn* c) {
    c->row = c->startRow - (now - c->birthTime) * c->speed;
    if (c->row <= static_cast<float>(-c->length)) c->lifetime = 0.0f;
}

void GlyphRain::initSpots() {
    spotCount = random_.next() % 101 + 100;
    for (int i = 0; i < kSpotSlots; ++i) {
        BlankSpot& spot = spots[i];
        if (i >= spotCount) {
            spot.active = 0;
            continue;
        }
        spot.birthTime = now;
        spot.lifetime = static_cast<float>(random_.next() % 6 + 3);
        spot.column = random_.next() % kGridColumns;
        spot.row = random_.next() % kGridRows;
        spot.active = 1;
    }
}

void GlyphRain::updateSpots(int allowance) {
    int started = 0;
    for (int i = 0; i < kSpotSlots; ++i) {
        BlankSpot& spot = spots[i];
        if (spot.active) {
            // A slot freed here waits for the next call.
            if (spot.birthTime + spot.lifetime < now) {
                spot.active = 0;
                spotCount -= 1;
            }
        } else if (started < allowance) {
            spot.birthTime = now;
            spot.lifetime = static_cast<float>(random_.next() % 6 + 3);
            spot.column = random_.next() % kGridColumns;
            spot.row = random_.next() % kGridRows;
            spot.active = 1;
            spotCount += 1;
            started += 1;
        }
    }
}
