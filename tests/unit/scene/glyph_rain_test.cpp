// The glyph rain's simulation and arrays driven by an injected millisecond clock: the random
// sequence and the order of its draws, the spawn and spot allowances, the lives of columns and
// spots, the rows cells are drawn in, and the same rain whatever the machine's uptime.
#include "scene/glyph_rain.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

namespace {

// The injected tick source: base + offset, wrapping at 2^32 as GetTickCount does.
std::uint32_t g_baseTick = 0;
std::uint32_t g_offset = 0;
unsigned long TestTicks() { return static_cast<std::uint32_t>(g_baseTick + g_offset); }

// A rain made at the given uptime; At moves its clock to ms after its construction.
class RainClock {
public:
    explicit RainClock(std::uint32_t baseTick = 5000) {
        g_baseTick = baseTick;
        g_offset = 0;
    }
    void At(std::uint32_t ms) { g_offset = ms; }
};

float Seconds(std::uint32_t ms) { return static_cast<float>(ms / 1000.0); }

// The same recurrence in 64-bit arithmetic reduced modulo 2^32, apart from the generator under
// test: it replays the sequence the rain must have consumed.
class ReferenceDraws {
public:
    int next() {
        state_ = (state_ * 214013u + 2531011u) % 4294967296u;
        return static_cast<int>((state_ / 65536u) % 32768u);
    }

private:
    std::uint64_t state_ = 1;
};

std::vector<const GlyphColumn*> Listed(const GlyphRain& rain) {
    std::vector<const GlyphColumn*> list;
    for (const GlyphColumn* c = rain.columns->next; c != nullptr; c = c->next) list.push_back(c);
    return list;
}

// The counters agree with the list and the spot table.
void ExpectCountsAgree(const GlyphRain& rain) {
    int columns = 0, cells = 0, spots = 0;
    for (const GlyphColumn* c : Listed(rain)) {
        ++columns;
        cells += c->length;
    }
    for (int i = 0; i < GlyphRain::kSpotSlots; ++i) spots += rain.spots[i].active;
    EXPECT_EQ(rain.columns->length, 0) << "sentinel";
    EXPECT_EQ(rain.columnCount, columns);
    EXPECT_EQ(rain.cellCount, cells);
    EXPECT_EQ(rain.spotCount, spots);
}

int ColumnsBornNow(const GlyphRain& rain) {
    int born = 0;
    for (const GlyphColumn* c : Listed(rain)) born += c->birthTime == rain.now;
    return born;
}

int SpotsStartedNow(const GlyphRain& rain) {
    int started = 0;
    for (int i = 0; i < GlyphRain::kSpotSlots; ++i)
        started += rain.spots[i].active && rain.spots[i].birthTime == rain.now;
    return started;
}

TEST(RainRandom, FirstNumbersForSeedOne) {
    // The widely published start of this recurrence's sequence from state 1.
    const int published[] = {41, 18467, 6334, 26500, 19169, 15724, 11478, 29358, 26962, 24464};
    RainRandom random;
    for (int expected : published) EXPECT_EQ(random.next(), expected);

    RainRandom again;
    ReferenceDraws reference;
    for (int i = 0; i < 100000; ++i) {
        const int value = again.next();
        ASSERT_EQ(value, reference.next()) << "number " << i;
        ASSERT_GE(value, 0);
        ASSERT_LE(value, 32767);
    }
}

// Construction draws the spot count, then each spot's lifetime, column and row, then each
// column's column, start row, speed, length, its standing lifetimes, its head glyph and each
// tail cell's gap test and glyph.
TEST(GlyphRain, ConstructionDrawsInTheFixedOrder) {
    RainClock clock;
    GlyphRain rain(10, TestTicks);
    ReferenceDraws draws;

    // The first numbers are 41, 18467, 6334, 26500: 141 spots, the first 8 s long at (14, 40).
    EXPECT_EQ(rain.spotCount, draws.next() % 101 + 100);
    ASSERT_EQ(rain.spotCount, 141);
    EXPECT_EQ(rain.spots[0].lifetime, 8.0f);
    EXPECT_EQ(rain.spots[0].column, 14);
    EXPECT_EQ(rain.spots[0].row, 40);
    for (int i = 0; i < GlyphRain::kSpotSlots; ++i) {
        const BlankSpot& spot = rain.spots[i];
        if (i >= 141) {
            EXPECT_EQ(spot.active, 0) << i;
            continue;
        }
        EXPECT_EQ(spot.active, 1) << i;
        EXPECT_EQ(spot.birthTime, 0.0f) << i;
        EXPECT_EQ(spot.lifetime, static_cast<float>(draws.next() % 6 + 3)) << i;
        EXPECT_EQ(spot.column, draws.next() % 80) << i;
        EXPECT_EQ(spot.row, draws.next() % 60) << i;
    }

    const std::vector<const GlyphColumn*> list = Listed(rain);
    ASSERT_EQ(list.size(), 10u);
    for (const GlyphColumn* c : list) {
        EXPECT_EQ(c->birthTime, 0.0f);
        EXPECT_EQ(c->column, static_cast<float>(draws.next() % 80));
        EXPECT_EQ(c->startRow, static_cast<float>(draws.next() % 60));
        EXPECT_EQ(c->row, c->startRow);
        float speed = static_cast<float>(draws.next() % 16 + 5);
        const int length = draws.next() % 24 + 1;
        ASSERT_EQ(c->length, length);
        float lifetime = 10.0f;
        if (length == 1) {
            speed = 0.0f;
            lifetime = static_cast<float>(draws.next() % 3 + 1);
        }
        if (draws.next() % 100 < 5) {
            speed = 0.0f;
            lifetime = static_cast<float>(draws.next() % 3 + 1);
        }
        EXPECT_EQ(c->speed, speed);
        EXPECT_EQ(c->lifetime, lifetime);
        EXPECT_EQ(c->cells[0].glyph, draws.next() % 41);
        for (int i = 1; i < length; ++i) {
            const bool gap = draws.next() % 100 < 5;
            EXPECT_EQ(c->cells[i].green == 0.0f, gap) << "cell " << i;
            if (!gap) {
                EXPECT_EQ(c->cells[i].glyph, draws.next() % 41) << "cell " << i;
            }
        }
    }
    ExpectCountsAgree(rain);
}

TEST(GlyphRain, CellColoursFadeFromAWhiteHead) {
    RainClock clock;
    GlyphRain rain(200, TestTicks);
    int gaps = 0, tails = 0;
    for (const GlyphColumn* c : Listed(rain)) {
        const GlyphCell& head = c->cells[0];
        EXPECT_EQ(head.red + head.green + head.blue + head.alpha, 4.0f);
        for (int i = 1; i < c->length; ++i) {
            const GlyphCell& cell = c->cells[i];
            EXPECT_EQ(cell.red, 0.0f);
            EXPECT_EQ(cell.blue, 0.0f);
            EXPECT_EQ(cell.alpha, 1.0f);
            if (cell.green == 0.0f) {
                ++gaps;
                continue;
            }
            ++tails;
            const float expected = 0.95f - 0.85f * static_cast<float>(i) / (c->length - 1);
            EXPECT_NEAR(cell.green, expected, 1e-6f) << "cell " << i << " of " << c->length;
        }
        if (c->length > 1 && c->cells[c->length - 1].green != 0.0f) {
            EXPECT_NEAR(c->cells[c->length - 1].green, 0.10f, 1e-6f);
        }
    }
    // About 5 % of the tail cells are gaps.
    EXPECT_GT(gaps, tails / 50);
    EXPECT_LT(gaps, tails / 10);
}

// One rain through a run of updates: columns due at 50 a second, spot starts at 100 a second,
// both allowances from the time since the last update that made a column.
TEST(GlyphRain, SpawnAndSpotAllowancesFollowTheTimeSinceTheLastSpawn) {
    RainClock clock;
    GlyphRain rain(10, TestTicks);
    const struct {
        std::uint32_t ms;
        int bornColumns;
        std::uint32_t lastSpawnMs;
        int startedSpots;
        int spotCount;
    } steps[] = {
        // All 141 first spots have ended; their slots wait, the 59 free ones start.
        {9000, 450, 9000, 59, 59},
        // One second: 50 columns and 100 spot starts at once.
        {10000, 50, 10000, 100, 159},
        // Less than 1/50 s: no column, the spawn time stays; one spot start from 19 ms.
        {10019, 0, 10000, 1, 160},
        // 35 ms since the spawn: one column, and 3 spot starts from the same 35 ms.
        {10035, 1, 10035, 3, 163},
        {10040, 0, 10035, 0, 163},
        {10060, 1, 10060, 2, 165},
    };
    for (const auto& step : steps) {
        clock.At(step.ms);
        const int before = rain.columnCount;
        rain.update();
        EXPECT_EQ(rain.now, Seconds(step.ms)) << step.ms;
        EXPECT_EQ(ColumnsBornNow(rain), step.bornColumns) << step.ms;
        EXPECT_GE(rain.columnCount, step.bornColumns) << step.ms;
        EXPECT_LE(rain.columnCount, before + step.bornColumns) << step.ms;
        EXPECT_EQ(rain.lastSpawnTime, Seconds(step.lastSpawnMs)) << step.ms;
        EXPECT_EQ(SpotsStartedNow(rain), step.startedSpots) << step.ms;
        EXPECT_EQ(rain.spotCount, step.spotCount) << step.ms;
        ExpectCountsAgree(rain);
    }
}

TEST(GlyphRain, NoSpotStartsWhileAllSlotsAreActive) {
    RainClock clock;
    GlyphRain rain(10, TestTicks);
    clock.At(1000);
    rain.update();
    ASSERT_EQ(rain.spotCount, 200);
    for (std::uint32_t ms : {2000u, 2500u, 3000u}) {
        clock.At(ms);
        rain.update();
        EXPECT_EQ(rain.spotCount, 200) << ms;
        EXPECT_EQ(SpotsStartedNow(rain), 0) << ms;
    }
    // After 3.5 s the first spots with 3 s lives have ended; their slots are free from the next
    // update on, which may start 12 (0.125 s at 100 a second).
    int ending = 0;
    for (int i = 0; i < GlyphRain::kSpotSlots; ++i)
        ending += rain.spots[i].birthTime == 0.0f && rain.spots[i].lifetime == 3.0f;
    ASSERT_GT(ending, 12);
    clock.At(3500);
    rain.update();
    EXPECT_EQ(rain.spotCount, 200 - ending);
    EXPECT_EQ(SpotsStartedNow(rain), 0);
    clock.At(3625);
    rain.update();
    EXPECT_EQ(SpotsStartedNow(rain), 12);
    EXPECT_EQ(rain.spotCount, 200 - ending + 12);
    ExpectCountsAgree(rain);
}

// The first listed column that matches; null when none does.
template <typename Matches>
const GlyphColumn* FirstColumn(const GlyphRain& rain, Matches matches) {
    for (const GlyphColumn* c : Listed(rain))
        if (matches(*c)) return c;
    return nullptr;
}

// Identifies a column across updates without touching freed memory: no later column is born
// at the same time in the same place.
struct ColumnKey {
    float birthTime, column, startRow;
    int length;
};

const GlyphColumn* FindColumn(const GlyphRain& rain, const ColumnKey& key) {
    for (const GlyphColumn* c : Listed(rain)) {
        if (c->birthTime == key.birthTime && c->column == key.column &&
            c->startRow == key.startRow && c->length == key.length)
            return c;
    }
    return nullptr;
}

// Columns whose lifetime runs out while they are on the screen: present at the last moment of
// their life and gone at the first update after it.
TEST(GlyphRain, ColumnsLiveTheirLifetimeWhereverTheyAre) {
    const struct {
        const char* kind;
        bool (*matches)(const GlyphColumn&);
        float shortest, longest;
    } kinds[] = {
        {"one glyph", [](const GlyphColumn& c) { return c.length == 1; }, 1.0f, 3.0f},
        {"standing", [](const GlyphColumn& c) { return c.length > 1 && c.speed == 0.0f; },
         1.0f, 3.0f},
        // Still above the bottom after 10 s.
        {"slow and high",
         [](const GlyphColumn& c) { return c.speed > 0.0f && c.startRow - 10.0f * c.speed > 1.0f; },
         10.0f, 10.0f},
    };
    for (const auto& kind : kinds) {
        RainClock clock;
        GlyphRain rain(0, TestTicks);
        clock.At(1000);
        rain.update();  // 50 columns born at 1 s
        const GlyphColumn* found = FirstColumn(rain, kind.matches);
        ASSERT_NE(found, nullptr) << kind.kind;
        const ColumnKey key = {found->birthTime, found->column, found->startRow, found->length};
        const float lifetime = found->lifetime;
        const float speed = found->speed;
        EXPECT_GE(lifetime, kind.shortest) << kind.kind;
        EXPECT_LE(lifetime, kind.longest) << kind.kind;
        EXPECT_EQ(lifetime, std::floor(lifetime)) << kind.kind;
        if (kind.longest == 3.0f) {
            EXPECT_EQ(speed, 0.0f) << kind.kind;
        }

        const std::uint32_t end = 1000 + static_cast<std::uint32_t>(lifetime * 1000.0f);
        for (std::uint32_t ms : {1500u, end - 250, end}) {
            clock.At(ms);
            rain.update();
            const GlyphColumn* c = FindColumn(rain, key);
            ASSERT_NE(c, nullptr) << kind.kind << " at " << ms;
            EXPECT_EQ(c->row, key.startRow - (Seconds(ms) - 1.0f) * speed) << kind.kind;
            if (speed == 0.0f) {
                EXPECT_EQ(c->row, key.startRow) << kind.kind;
            }
        }
        clock.At(end + 1);
        rain.update();
        EXPECT_EQ(FindColumn(rain, key), nullptr) << kind.kind;
        ExpectCountsAgree(rain);
    }
}

TEST(GlyphRain, ColumnBelowTheBottomGoesOneUpdateLater) {
    RainClock clock;
    GlyphRain rain(0, TestTicks);
    clock.At(1000);
    rain.update();
    const GlyphColumn* found = FirstColumn(rain, [](const GlyphColumn& c) {
        return c.speed > 0.0f && (c.startRow + c.length) / c.speed < 8.0f;
    });
    ASSERT_NE(found, nullptr);
    const ColumnKey key = {found->birthTime, found->column, found->startRow, found->length};
    // The first whole millisecond after the top cell has passed row 0, and one more.
    const std::uint32_t below =
        1000 + static_cast<std::uint32_t>(std::ceil((key.startRow + key.length) / found->speed * 1000.0f)) + 1;

    clock.At(below - 100);
    rain.update();
    const GlyphColumn* c = FindColumn(rain, key);
    ASSERT_NE(c, nullptr);
    EXPECT_GT(c->row, static_cast<float>(-key.length));
    EXPECT_EQ(c->lifetime, 10.0f);

    clock.At(below);
    rain.update();
    c = FindColumn(rain, key);
    ASSERT_NE(c, nullptr) << "listed until the next update";
    EXPECT_LE(c->row, static_cast<float>(-key.length));
    EXPECT_EQ(c->lifetime, 0.0f);

    clock.At(below + 1);
    rain.update();
    EXPECT_EQ(FindColumn(rain, key), nullptr);
    ExpectCountsAgree(rain);
}

// The first vertex of each column's cells in the cell arrays.
int FirstVertexOf(const GlyphRain& rain, const GlyphColumn* column) {
    int vertex = 0;
    for (const GlyphColumn* c : Listed(rain)) {
        if (c == column) return vertex;
        vertex += 4 * c->length;
    }
    return -1;
}

// Cells are drawn in the row their fractional row truncates to; from -1 down they go to row
// -10, off the picture; above row 59 they are drawn outside it, unclipped.
TEST(GlyphRainArrays, CellRowsTruncateTowardsZeroAndGoOffBelowMinusOne) {
    const struct {
        float headRow;  // where the head is moved to
        int drawnRows[3];  // the head's row and the next two cells'
    } cases[] = {
        {2.5f, {2, 3, 4}},
        {0.5f, {0, 1, 2}},
        {-0.5f, {0, 0, 1}},
        {-1.5f, {-10, 0, 0}},
        {-2.5f, {-10, -10, 0}},
        {58.0f, {58, 59, 60}},
        {59.0f, {59, 60, 61}},
    };
    for (const auto& row : cases) {
        RainClock clock;
        GlyphRain rain(0, TestTicks);
        clock.At(4000);
        rain.update();  // 200 columns born at 4 s
        // A moving column long enough, starting above the target and reaching it in time.
        const float target = row.headRow;
        const GlyphColumn* found = FirstColumn(rain, [target](const GlyphColumn& c) {
            return c.speed > 0.0f && c.length >= 4 && c.startRow >= target &&
                   (c.startRow - target) / c.speed < 8.0f;
        });
        ASSERT_NE(found, nullptr) << row.headRow;
        const ColumnKey key = {found->birthTime, found->column, found->startRow, found->length};
        const double seconds = 4.0 + (found->startRow - row.headRow) / found->speed;
        clock.At(static_cast<std::uint32_t>(std::lround(seconds * 1000.0)));
        rain.update();
        const GlyphColumn* c = FindColumn(rain, key);
        ASSERT_NE(c, nullptr) << row.headRow;
        ASSERT_NEAR(c->row, row.headRow, 0.02f);

        const int vertices = rain.buildCells();
        ASSERT_EQ(vertices, 4 * rain.cellCount);
        const int first = FirstVertexOf(rain, c);
        ASSERT_GE(first, 0);
        for (int l = 0; l < 3; ++l) {
            const float* quad = rain.cellPositions() + 2 * (first + 4 * l);
            const float x0 = c->column / 40.0f - 1.0f;
            const float y0 = static_cast<float>(row.drawnRows[l]) / 30.0f - 1.0f;
            const float expected[8] = {x0, y0, x0 + 0.025f, y0, x0 + 0.025f, y0 + 0.033333335f,
                                       x0, y0 + 0.033333335f};
            for (int i = 0; i < 8; ++i)
                EXPECT_EQ(quad[i], expected[i]) << "head row " << row.headRow << " cell " << l << " value " << i;
        }
    }
}

TEST(GlyphRainArrays, CellsCarryTheirColourAndGlyph) {
    RainClock clock;
    GlyphRain rain(30, TestTicks);
    const int vertices = rain.buildCells();
    ASSERT_EQ(vertices, 4 * rain.cellCount);
    int vertex = 0;
    for (const GlyphColumn* c : Listed(rain)) {
        for (int l = 0; l < c->length; ++l, vertex += 4) {
            const GlyphCell& cell = c->cells[l];
            const float* colour = rain.cellColours() + 4 * vertex;
            const float* uv = rain.cellTexCoords() + 2 * vertex;
            const float wanted[4] = {cell.red, cell.green, cell.blue, cell.alpha};
            for (int i = 0; i < 16; ++i) ASSERT_EQ(colour[i], wanted[i % 4]);
            // Glyph g spans texels 10 g to 10 g + 10 of the 512-texel strip; v = 0 at the
            // cell's lower edge.
            const float u0 = cell.glyph * 10.0f / 512.0f;
            const float u1 = u0 + 10.0f / 512.0f;
            const float expected[8] = {u0, 0.0f, u1, 0.0f, u1, 1.0f, u0, 1.0f};
            for (int i = 0; i < 8; ++i) ASSERT_NEAR(uv[i], expected[i], 1e-6f) << i;
        }
    }
}

TEST(GlyphRainArrays, SpotsCoverTheirCellsInSlotOrder) {
    RainClock clock;
    GlyphRain rain(10, TestTicks);
    ASSERT_EQ(rain.buildSpots(), 4 * rain.spotCount);
    int quad = 0;
    for (int i = 0; i < GlyphRain::kSpotSlots; ++i) {
        const BlankSpot& spot = rain.spots[i];
        if (!spot.active) continue;
        const float* corners = rain.spotPositions() + 8 * quad++;
        const float x0 = spot.column / 40.0f - 1.0f;
        const float y0 = spot.row / 30.0f - 1.0f;
        EXPECT_EQ(corners[0], x0);
        EXPECT_EQ(corners[1], y0);
        EXPECT_EQ(corners[4], x0 + 0.025f);
        EXPECT_EQ(corners[5], y0 + 0.033333335f);
    }
    EXPECT_EQ(quad, rain.spotCount);
}

// Everything the rain holds and would draw after one update, for comparing two runs.
std::vector<float> Snapshot(GlyphRain& rain) {
    std::vector<float> s = {rain.now, rain.lastSpawnTime, static_cast<float>(rain.columnCount),
                            static_cast<float>(rain.cellCount), static_cast<float>(rain.spotCount)};
    for (const GlyphColumn* c : Listed(rain)) {
        s.insert(s.end(), {c->lifetime, c->birthTime, c->column, c->startRow, c->row, c->speed});
        for (int l = 0; l < c->length; ++l) s.push_back(static_cast<float>(c->cells[l].glyph));
    }
    for (int i = 0; i < GlyphRain::kSpotSlots; ++i) {
        const BlankSpot& spot = rain.spots[i];
        s.insert(s.end(), {static_cast<float>(spot.active), spot.birthTime, spot.lifetime,
                           static_cast<float>(spot.column), static_cast<float>(spot.row)});
    }
    const int cells = rain.buildCells();
    s.insert(s.end(), rain.cellPositions(), rain.cellPositions() + 2 * cells);
    const int spots = rain.buildSpots();
    s.insert(s.end(), rain.spotPositions(), rain.spotPositions() + 2 * spots);
    return s;
}

bool SameBits(const std::vector<float>& a, const std::vector<float>& b) {
    return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof(float)) == 0;
}

// The rain keeps its times from its own start: after 30 days of uptime, or with the tick count
// wrapping in the middle of the run, every frame is the same as on a freshly started machine.
TEST(GlyphRainClock, FramesAreTheSameAtAnyUptime) {
    // Frame intervals of a busy and of an idle machine, 25 s in all.
    std::vector<std::uint32_t> frames;
    std::uint32_t ms = 0;
    for (int i = 0; ms < 25000; ++i) {
        ms += (i % 97 == 0) ? 180 : (i % 7 == 0) ? 5 : 16 + i % 2;
        frames.push_back(ms);
    }

    std::vector<std::vector<float>> expected;
    {
        RainClock clock(5000);  // five seconds after the system started
        GlyphRain rain(10, TestTicks);
        for (std::uint32_t at : frames) {
            clock.At(at);
            rain.update();
            expected.push_back(Snapshot(rain));
        }
    }
    const struct {
        const char* label;
        std::uint32_t baseTick;
    } uptimes[] = {
        {"30 days", 30u * 24 * 3600 * 1000},
        {"wrap after 2.5 s", 0xFFFFFFFFu - 2500},
        {"wrap after 1 ms", 0xFFFFFFFFu},
        {"49 days", 49u * 24 * 3600 * 1000},
    };
    for (const auto& uptime : uptimes) {
        RainClock clock(uptime.baseTick);
        GlyphRain rain(10, TestTicks);
        EXPECT_EQ(rain.now, 0.0f) << uptime.label;
        for (size_t i = 0; i < frames.size(); ++i) {
            clock.At(frames[i]);
            rain.update();
            ASSERT_EQ(rain.now, Seconds(frames[i])) << uptime.label << " frame " << i;
            ASSERT_TRUE(SameBits(Snapshot(rain), expected[i])) << uptime.label << " frame " << i;
        }
    }
}

}  // namespace
