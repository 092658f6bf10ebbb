// Our own capital letters for the badge on the bezel, drawn as strokes of even width.
#pragma once

#include <string>

#include "vec.h"

namespace assetgen {

// Signed distance from p to the text `word` (capitals of V, E, L, O, T, H; others are left
// out) set centred on `centre`, its letters `height` tall.
double TextDistance(Vec2 p, const std::string& word, Vec2 centre, double height);

}  // namespace assetgen
