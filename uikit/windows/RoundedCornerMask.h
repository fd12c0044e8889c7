#pragma once

// Bits selecting the rounded corners of a rectangle, named by the corner's coordinates
// in the drawing's own coordinate system.
using RoundedCornerMask = int;

namespace roundedcorner {

constexpr RoundedCornerMask kMinXMinY = 1;
constexpr RoundedCornerMask kMaxXMinY = 2;
constexpr RoundedCornerMask kMinXMaxY = 4;
constexpr RoundedCornerMask kMaxXMaxY = 8;
constexpr RoundedCornerMask kAll = 15;

} // namespace roundedcorner
