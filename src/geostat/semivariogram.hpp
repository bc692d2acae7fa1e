// The empirical semivariogram: for every pair of stations (each station also
// paired with itself) the distance between them and the squared difference of
// their values, with no lag classes; and its plot as a cloud of points.
#pragma once

#include "display/picture.hpp"
#include "world/world.hpp"

namespace tour {

// pairdist(i, j) and pairsq(i, j) for 1 <= i <= j <= nstat.
void semivariogram(World& world);

// Erases the picture, then one dot per pair at (distance, squared
// difference) in the foreground colour with the current pen width.
void drawsemivar(const World& world, Picture& picture);

}  // namespace tour
