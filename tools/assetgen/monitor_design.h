// The monitor's measurements and where each of its parts lies in the 512 x 512 casing atlas,
// shared by the model (its texture coordinates) and by the painter of the atlas.
//
// The head is built in its own frame: x to the right, y up, z towards the viewer, the bezel's
// flat front in the plane z = 0. It is then tilted back on its foot and placed so that the
// whole monitor spans about x -2.74..2.74, y -3.91..2.27, z -4.38..-0.40.
#pragma once

#include "loft.h"
#include "vec.h"

namespace assetgen {
namespace monitor {

constexpr double kTiltDegrees = 18;  // the head leans back: its screen faces slightly up
constexpr int kCornerSegments = 6;   // per rounded corner of the head (even: seams split there)
constexpr int kFootPoints = 40;      // around each ring of the foot

// Bezel: the flat front face, its rounded outer edge and its side wall.
constexpr double kEdgeRadius = 0.14;
constexpr RoundRect kFace = {0, 0, 2.60, 2.50, 0.40, 0};
constexpr double kBezelDepth = 0.55;
// The opening of the front face, the chamfer inside it and the screen's edge behind it.
constexpr RoundRect kOpening = {0, 0.16, 2.20, 1.72, 0.30, 0};
constexpr double kChamferDepth = 0.20;
constexpr double kChamferInset = 0.16;
constexpr double kLipDepth = 0.08;  // the short wall behind the screen's edge
// The screen quad lies just behind the edge and a little larger, so no gap shows.
constexpr double kScreenBehindEdge = 0.03;
constexpr double kScreenOverlap = 0.02;

// Rear housing: a step in from the bezel, then a funnel that narrows to a straight back box.
constexpr double kStep = 0.08;
constexpr double kHeadDepth = 3.05;
constexpr double kBackRadius = 0.18;
constexpr double kBackHalfWidth = 1.55;
constexpr double kBackTop = 1.15;
constexpr double kBackBottom = -1.90;
constexpr double kBackCornerRadius = 0.36;
constexpr double kTaperStart = 0.10;  // of the funnel's length: where it starts and ends
constexpr double kTaperEnd = 0.85;

// Where the head's highest point and its most forward point go.
constexpr double kHeadTop = 2.27;
constexpr double kFront = -0.40;

// Foot: an elliptical base with a rounded top edge and a waisted swivel neck that rises into
// the head's underside.
constexpr double kFloor = -3.85;
constexpr double kFootCentreZ = -2.20;
constexpr double kBaseHalfWidth = 1.80;
constexpr double kBaseHalfDepth = 1.60;
constexpr double kBaseHeight = 0.28;
constexpr double kBaseEdgeRadius = 0.12;
constexpr double kBaseBottomChamfer = 0.04;
constexpr double kNeckHalfWidth = 1.05;
constexpr double kNeckHalfDepth = 0.85;
constexpr double kNeckWaist = 0.08;   // how much narrower the neck is halfway up
constexpr double kNeckFillet = 0.12;  // the curve from the neck out onto the base
constexpr double kNeckTop = -2.60;    // inside the head

// The screen's texture coordinates: half a texel in from the pbuffer's edges.
constexpr double kScreenTexMin = 0.001992;
constexpr double kScreenTexMax = 0.998008;

// Features painted on the bezel front (head frame, units of the model).
constexpr double kControlsY = -2.03;  // the middle of the bezel strip under the screen
constexpr double kBadgeX = 0;
constexpr double kLetterHeight = 0.13;
constexpr double kPowerX = 2.08;
constexpr double kLedX = 1.80;
constexpr double kKnobsX = 1.16;  // the first of the four small buttons
constexpr double kKnobSpacing = 0.15;

}  // namespace monitor

// The atlas: pixel rows top to bottom; a texture coordinate is (column, row) / 512.
namespace atlas {

constexpr int kSize = 512;

// The bezel front, seen from the front, with the rounded edge unrolled around it.
constexpr double kFrontScale = 77;  // texels per unit
constexpr double kFrontCentreU = 256, kFrontCentreV = 212;
inline Vec2 Front(double x, double y) {
    return {kFrontCentreU + x * kFrontScale, kFrontCentreV - y * kFrontScale};
}

// Inside the screen's edge the front map is never sampled; the smaller parts live there.
// Rear cap, seen from behind.
constexpr double kBackScale = 44;
constexpr double kBackCentreU = 173, kBackCentreV = 149;
// Top of the foot's base, seen from above (front at the bottom), its edge unrolled.
constexpr double kFootScale = 36;
constexpr double kFootCentreU = 336, kFootCentreV = 150;
// The base's rim and the neck, unrolled from the back, the top edge at the top.
constexpr double kRimScale = 24, kRimU = 110, kRimV = 228;
constexpr double kNeckScale = 26, kNeckU = 110, kNeckV = 248;
// The base's underside, small: it is never seen from the camera.
constexpr double kUnderScale = 12;
constexpr double kUnderCentreU = 370, kUnderCentreV = 280;

// Bottom strip: the four sides of the housing, each unrolled from the bezel's front edge
// (top row) to the back cap, centred on its side's middle.
constexpr double kSideScale = 23;
constexpr double kSideV = 428;
enum Side { kTop = 0, kLeft = 1, kBottom = 2, kRight = 3 };
constexpr double kSideCentreU[4] = {66, 190, 316, 444};

inline Vec2 Texcoord(Vec2 texel) { return {texel.x / kSize, texel.y / kSize}; }

}  // namespace atlas
}  // namespace assetgen
