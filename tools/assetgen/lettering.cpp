// The badge's letters: each a few straight strokes (the O a rounded outline) on a grid four
// units wide and six tall, with a stroke a little under one unit wide.
#include "lettering.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "paint.h"

namespace assetgen {

namespace {

constexpr double kStroke = 0.95;  // grid units
constexpr double kAdvance = 5.6;  // from one letter's left edge to the next's
constexpr double kGridHeight = 6;

struct Stroke {
    double x0, y0, x1, y1;
};

std::vector<Stroke> Strokes(char letter) {
    switch (letter) {
        case 'V': return {{0, 6, 2, 0}, {2, 0, 4, 6}};
        case 'E': return {{0, 0, 0, 6}, {0, 6, 3.8, 6}, {0, 3.1, 3.2, 3.1}, {0, 0, 3.8, 0}};
        case 'L': return {{0, 0, 0, 6}, {0, 0, 3.6, 0}};
        case 'T': return {{0, 6, 4, 6}, {2, 0, 2, 6}};
        case 'H': return {{0, 0, 0, 6}, {4, 0, 4, 6}, {0, 3.1, 4, 3.1}};
        default: return {};
    }
}

double LetterDistance(char letter, Vec2 q) {
    if (letter == 'O') {
        const RoundRect ring = {2, 3, 2, 3, 1.9, 0};
        return std::fabs(RoundRectDistance(q, ring)) - kStroke / 2;
    }
    double d = 1e9;
    for (const Stroke& s : Strokes(letter)) {
        d = std::min(d, SegmentDistance(q, {s.x0, s.y0}, {s.x1, s.y1}) - kStroke / 2);
    }
    return d;
}

}  // namespace

double TextDistance(Vec2 p, const std::string& word, Vec2 centre, double height) {
    const double unit = height / (kGridHeight + kStroke);
    const double width = (word.size() - 1) * kAdvance + 4;
    // Grid coordinates; the strokes' outer edges span the given height about the centre.
    const Vec2 q = {(p.x - centre.x) / unit + width / 2, (p.y - centre.y) / unit + kGridHeight / 2};
    double d = 1e9;
    for (std::size_t i = 0; i < word.size(); ++i) {
        d = std::min(d, LetterDistance(word[i], {q.x - i * kAdvance, q.y}));
    }
    return d * unit;
}

}  // namespace assetgen
