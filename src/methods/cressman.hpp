// Cressman's method: every station within the influence radius R gets the
// weight ((R² - d²) / (R² + d²))^E, stations beyond it get 0, and the weights
// are normalised. A smoothing method: it does not reproduce station values.
#pragma once

#include "world/world.hpp"

namespace tour {

// est(1..1000); est(0) keeps the previous method's value. R is first enlarged
// in place, when needed, to one more than half the largest station gap, so that
// every position between the first and the last station has a station inside
// it. statw keeps the normalised weights of position 1000. Where no station
// carries weight (a position outside the span of a layout that does not reach
// an end of the world), the estimate is the nearest station's value.
void cressman(World& world, float& R, float E);

}  // namespace tour
