// The Bezier curve with the stations as control points: a smoothing method
// whose points do not fall on the grid. It draws and scores its own curve and
// leaves est untouched.
#pragma once

#include <cstdint>

#include "display/picture.hpp"
#include "world/world.hpp"

namespace tour {

// The curve's 1001 points X(i), Y(i) for the parameter t = i / 1000.
struct BezierCurve {
    Array1<double> x{kGridFirst, kGridLast};
    Array1<double> y{kGridFirst, kGridLast};
};
BezierCurve beziercurve(const World& world);

// Draws the curve's 1001 points in red with the current pen width (a dot at
// the first, then 1000 segments) and stores rmserr(stage) and maxerr(stage),
// scoring each point against the true field at the point's own x.
void bezier(World& world, Picture& picture, std::int16_t stage);

}  // namespace tour
