// The Bezier curve with the stations as control points: a smoothing method
// whose points do not fall on the grid. It draws and scores its own curve and
// leaves est untouched.
#pragma once

#include <cstdint>

#include "display/picture.hpp"
#include "world/world.hpp"

namespace tour {

// Draws the curve's 1001 points in red with the current pen width (a dot at
// the first, then 1000 segments) and stores rmserr(stage) and maxerr(stage),
// scoring each point against the true field at the point's own x.
void bezier(World& world, Picture& picture, std::int16_t stage);

}  // namespace tour
