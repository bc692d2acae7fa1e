// A two-parameter modification of inverse-distance averaging: each station
// gets the weight 1/d^p, multiplied by (d_i/d)^q for every nearer station i
// on the same side of the position, so that stations hidden behind nearer
// ones count less. It reproduces every station value.
#pragma once

#include "world/world.hpp"

namespace tour {

// est(1..1000); est(0) keeps the previous method's value. At the last position
// that is not on a station, statw holds the plain weights 1/d^p and combw the
// shadowed weights, normalised.
void orvelmethod(World& world, float p, float q);

}  // namespace tour
